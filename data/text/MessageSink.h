#pragma once

#include <string>

enum class MessageKind { error, information };

// Where user messages go: the GUI shows a message box, the command-line tool
// prints to stderr. Texts are Windows-1252, like the string table.
class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;
};

// Writes the message as UTF-8 to stderr, each line of its text as a line
// of its own.
class CStderrMessageSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text, MessageKind kind) override;
    // The UTF-8 lines that ShowMessage writes, each ending with "\n".
    static std::string Lines(const std::string& text);
};
