#pragma once

#include <string>

class IMessageSink;

// A message from the string table with an optional text (usually a file
// name) and a number, built where an error is found and reported at once.
class CErrorMessage {
public:
    CErrorMessage() = default;
    CErrorMessage(unsigned id, int number) : m_id(id), m_number(number) {}
    CErrorMessage(unsigned id, std::string text, int number)
        : m_id(id), m_number(number), m_text(std::move(text)) {}

    // A second line that says more (why a file could not be read), shown
    // below the message.
    CErrorMessage& AddLine(std::string line)
    {
        m_line = std::move(line);
        return *this;
    }

    // The Windows-1252 text that Report shows.
    std::string BuildText() const;
    // Shows the text as an error through the current sink.
    void Report() const;

    unsigned GetId() const { return m_id; }
    int GetNumber() const { return m_number; }
    const std::string& GetText() const { return m_text; }

    // The sink that Report uses; null restores the default (stderr).
    static void SetSink(IMessageSink* sink);
    static IMessageSink& GetSink();

private:
    unsigned m_id = 0;
    int m_number = 0;
    std::string m_text;
    std::string m_line;
};
