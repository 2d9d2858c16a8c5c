#include "tests/convert/ScriptedHost.h"

#include "convert/AnswerCode.h"
#include "convert/Converter.h"
#include "data/text/Charset.h"
#include "data/sequence/SequenceEntry.h"

using charset::Cp1252ToUtf8;

void ScriptedHost::ShowInfo(const std::string& text)
{
    log.push_back("info: " + Cp1252ToUtf8(text));
}

void ScriptedHost::ShowError(unsigned messageId, const std::string& fileName)
{
    m_errorIds.push_back(messageId);
    log.push_back("error " + std::to_string(messageId) + ": " + Cp1252ToUtf8(fileName));
}

void ScriptedHost::ShowSaveFailed(unsigned messageId, const std::string& fileName, const std::string& notConverted)
{
    ShowError(messageId, fileName);
    log.push_back("not converted: " + Cp1252ToUtf8(notConverted));
}

bool ScriptedHost::AskOkCancel(const std::string& text)
{
    log.push_back("okcancel: " + Cp1252ToUtf8(text));
    if (okCancelAnswers.empty())
        return true;
    const bool answer = okCancelAnswers.front();
    okCancelAnswers.pop_front();
    return answer;
}

int ScriptedHost::AskOverwrite(const std::string& text)
{
    log.push_back("overwrite: " + Cp1252ToUtf8(text));
    if (whileAsking)
        whileAsking();
    if (overwriteAnswers.empty())
        return answer_code::kYes;
    const int answer = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return answer;
}

void ScriptedHost::OnGroupAdded(const std::string& groupId)
{
    log.push_back("group added: " + Cp1252ToUtf8(groupId));
}

void ScriptedHost::OnListAdded(const std::string& listId)
{
    log.push_back("list added: " + Cp1252ToUtf8(listId));
}

void ScriptedHost::OnListChoices(const std::vector<std::string>& listIds)
{
    listChoices = listIds;
}

bool ScriptedHost::ContinueAcceptAll(const CConverter& converter)
{
    if (!converter.GetBatch().empty())
        shownAndConvertedKinds.push_back(converter.GetKindLetterText() + "/"
                                         + KindLetter(converter.GetBatch().front()->GetKind()));
    if (passesBeforeCancel < 0)
        return true;
    return passesBeforeCancel-- > 0;
}

std::vector<std::string> ScriptedHost::Requests(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const auto& line : log)
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

std::vector<unsigned> ScriptedHost::ErrorIds() const
{
    return m_errorIds;
}
