#pragma once

#include "data/MessageSink.h"

// Shows the program's messages in message boxes: errors with the stop icon,
// information with the information icon, titled with the program's name.
class CWxMessageSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text, MessageKind kind) override;
};
