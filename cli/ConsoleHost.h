#pragma once

#include "convert/ConverterHost.h"

#include <iosfwd>
#include <string>

// The conversion engine's host on a terminal or in a script: messages go
// to stdout (information) and stderr (errors), questions are answered by a
// fixed policy or asked on the terminal.
class CConsoleHost : public IConverterHost {
public:
    enum class Answer { ask, yes, no, yesAll, noAll };

    CConsoleHost(Answer answer, bool json, std::istream& in, std::ostream& out, std::ostream& err);

    void ShowInfo(const std::string& text) override;
    void ShowError(unsigned messageId, const std::string& fileName) override;
    bool AskOkCancel(const std::string& text) override;
    int AskOverwrite(const std::string& text) override;
    void OnGroupAdded(const std::string&) override {}
    void OnListAdded(const std::string&) override {}
    void OnListChoices(const std::vector<std::string>&) override {}
    void OnBatchConverted(const std::string& groupBaseName, const std::string& listText, const std::string& range,
                          std::size_t count) override;

    int ErrorCount() const { return m_errors; }

    // "ask", "yes", "no", "yes-all", "no-all".
    static bool ParseAnswer(const std::string& text, Answer& answer);

private:
    std::string Prompt(const std::string& question, const std::string& choices);

    Answer m_answer;
    bool m_json;
    std::istream& m_in;
    std::ostream& m_out;
    std::ostream& m_err;
    int m_errors = 0;
};
