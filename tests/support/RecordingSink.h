#pragma once

#include "data/text/MessageSink.h"

#include <string>
#include <vector>

// Collects the messages that CErrorMessage reports while it is installed.
class RecordingSink : public IMessageSink {
public:
    RecordingSink();
    ~RecordingSink() override;

    void ShowMessage(const std::string& text, MessageKind kind) override;

    struct Message {
        std::string text; // Windows-1252, as reported
        MessageKind kind;
    };
    std::vector<Message> messages;
};
