#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CConverter;

// What the conversion engine asks of the program that runs it: the
// conversion dialog in the desktop program, the console in morawin-cli.
// Texts are Windows-1252, like the string table.
class IConverterHost {
public:
    virtual ~IConverterHost() = default;

    // An information message (the batch converted, all converted, ...).
    virtual void ShowInfo(const std::string& text) = 0;
    // An error: string-table message `messageId` with a file name (may be
    // empty), as CErrorMessage builds it.
    virtual void ShowError(unsigned messageId, const std::string& fileName) = 0;
    // A group that "Alle übernehmen" converted could not be written: error
    // `messageId` with its file name, and `notConverted` saying how many
    // operands are therefore not converted. A host that reports what is
    // left in its own way (the console) shows the error alone.
    virtual void ShowSaveFailed(unsigned messageId, const std::string& fileName, const std::string& notConverted)
    {
        (void)notConverted;
        ShowError(messageId, fileName);
    }
    // OK (true) or Cancel.
    virtual bool AskOkCancel(const std::string& text) = 0;
    // The four-answer question; returns one of answer_code::*.
    virtual int AskOverwrite(const std::string& text) = 0;

    // A new group or list identifier has become a choice.
    virtual void OnGroupAdded(const std::string& groupId) = 0;
    virtual void OnListAdded(const std::string& listId) = 0;
    // The list identifier choices are replaced (and the entry emptied).
    virtual void OnListChoices(const std::vector<std::string>& listIds) = 0;

    // A batch went into `groupBaseName` (e.g. GS01), list `listText` (e.g.
    // E001): the operands `range`, `count` of them.
    virtual void OnBatchConverted(const std::string& groupBaseName, const std::string& listText,
                                  const std::string& range, std::size_t count)
    {
        (void)groupBaseName, (void)listText, (void)range, (void)count;
    }

    // Around loading and saving (the wait cursor).
    virtual void BeginWait() {}
    virtual void EndWait() {}

    // Called after every pass of AcceptAll; false stops after this pass
    // (what was converted stays, and is saved by Close).
    virtual bool ContinueAcceptAll(const CConverter&) { return true; }
};
