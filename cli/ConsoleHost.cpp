#include "cli/ConsoleHost.h"

#include "cli/JsonWriter.h"
#include "convert/AnswerCode.h"
#include "data/text/Charset.h"
#include "data/text/ErrorMessage.h"

#include <cctype>
#include <istream>
#include <ostream>

using charset::Cp1252ToUtf8;

CConsoleHost::CConsoleHost(Answer answer, bool json, std::istream& in, std::ostream& out, std::ostream& err)
    : m_answer(answer), m_json(json), m_in(in), m_out(out), m_err(err)
{
}

bool CConsoleHost::ParseAnswer(const std::string& text, Answer& answer)
{
    static const std::pair<const char*, Answer> kAnswers[] = {
        {"ask", Answer::ask}, {"yes", Answer::yes}, {"no", Answer::no},
        {"yes-all", Answer::yesAll}, {"no-all", Answer::noAll},
    };
    for (const auto& [name, value] : kAnswers) {
        if (text == name) {
            answer = value;
            return true;
        }
    }
    return false;
}

void CConsoleHost::ShowInfo(const std::string& text)
{
    if (m_json)
        m_out << CJsonWriter::Document([&](CJsonWriter& json) {
            json.BeginObject().Key("info").Cp1252String(text).EndObject();
        }) << '\n';
    else
        m_out << Cp1252ToUtf8(text) << '\n';
}

void CConsoleHost::ShowError(unsigned messageId, const std::string& fileName)
{
    ++m_errors;
    m_err << "morawin-cli: " << Cp1252ToUtf8(CErrorMessage(messageId, fileName, 0).BuildText()) << '\n';
}

void CConsoleHost::OnBatchConverted(const std::string& groupBaseName, const std::string& listText,
                                    const std::string& range, std::size_t count)
{
    if (!m_json)
        return; // the text form has the engine's own message for each step
    m_out << CJsonWriter::Document([&](CJsonWriter& json) {
        json.BeginObject()
            .Key("group").Cp1252String(groupBaseName.substr(1))
            .Key("list").Cp1252String(listText.substr(1))
            .Key("range").Cp1252String(range)
            .Key("count").Number(static_cast<std::int64_t>(count))
            .EndObject();
    }) << '\n';
}

std::string CConsoleHost::Prompt(const std::string& question, const std::string& choices)
{
    m_err << Cp1252ToUtf8(question) << "\n" << choices << " " << std::flush;
    std::string line;
    if (!std::getline(m_in, line))
        return {};
    const auto first = line.find_first_not_of(" \t");
    return first == std::string::npos ? std::string(" ")
                                      : std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(line[first]))));
}

bool CConsoleHost::AskOkCancel(const std::string& text)
{
    switch (m_answer) {
    case Answer::yes:
    case Answer::yesAll: return true;
    case Answer::no:
    case Answer::noAll: return false;
    case Answer::ask: break;
    }
    return Prompt(text, "[o] OK  [a] Abbrechen:") == "o";
}

int CConsoleHost::AskOverwrite(const std::string& text)
{
    switch (m_answer) {
    case Answer::yes: return answer_code::kYes;
    case Answer::no: return answer_code::kNo;
    case Answer::yesAll: return answer_code::kYesForAll;
    case Answer::noAll: return answer_code::kNoForAll;
    case Answer::ask: break;
    }
    for (;;) {
        const std::string reply = Prompt(text, "[j] Ja  [n] Nein  [a] Ja für Alle  [k] Nein für Alle:");
        if (reply.empty())
            return answer_code::kNoForAll; // input ended: no consent to overwrite anything
        if (reply == "j")
            return answer_code::kYes;
        if (reply == "n")
            return answer_code::kNo;
        if (reply == "a")
            return answer_code::kYesForAll;
        if (reply == "k")
            return answer_code::kNoForAll;
    }
}
