#pragma once

#include "convert/ConverterHost.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A converter host that records every request (as UTF-8 text lines such as
// "info: ...", "error 1041: GS01.731", "overwrite: ...") and answers the
// questions from scripted queues.
class ScriptedHost : public IConverterHost {
public:
    void ShowInfo(const std::string& text) override;
    void ShowError(unsigned messageId, const std::string& fileName) override;
    // The error as ShowError logs it, then "not converted: <text>".
    void ShowSaveFailed(unsigned messageId, const std::string& fileName, const std::string& notConverted) override;
    bool AskOkCancel(const std::string& text) override;
    int AskOverwrite(const std::string& text) override;
    void OnGroupAdded(const std::string& groupId) override;
    void OnListAdded(const std::string& listId) override;
    void OnListChoices(const std::vector<std::string>& listIds) override;
    void BeginWait() override { ++waitDepth; }
    void EndWait() override { --waitDepth; }
    bool ContinueAcceptAll(const CConverter&) override;

    // Everything asked of the host, in order.
    std::vector<std::string> log;
    // Only the requests that start with `prefix`.
    std::vector<std::string> Requests(const std::string& prefix) const;
    std::vector<unsigned> ErrorIds() const;

    std::deque<int> overwriteAnswers; // used up front to back; empty: yes
    std::deque<bool> okCancelAnswers; // empty: OK
    std::function<void()> whileAsking; // runs while the overwrite question is open
    int passesBeforeCancel = -1;      // AcceptAll passes before stopping it
    int waitDepth = 0;
    std::vector<std::string> listChoices;
    // Per AcceptAll pass with operands left: the kind letter shown and the
    // kind of the operands it is shown for, as "E/E".
    std::vector<std::string> shownAndConvertedKinds;

private:
    std::vector<unsigned> m_errorIds;
};
