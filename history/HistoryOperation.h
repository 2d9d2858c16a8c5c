#pragma once

#include "data/records/FileJournal.h"
#include "history/HistoryIndex.h"

#include <map>
#include <string>
#include <vector>

class CPanelProject;
class CProjectHistory;

// One user action in the project history, from its start to its end: while
// the object lives it is the project's journal, so every file that the
// project's lists write, rename or delete is kept as it was before the
// first change (on disk, in the history, before the file is touched) and
// as it is after the last. Ending it (Finish, or the destructor on any
// other way out) records the operation with each file whose content
// changed, or nothing when none did.
//
// Without a history, or with the history off, it records nothing and lets
// every change go ahead. When the history cannot be written it refuses
// the change (see IFileJournal), so that nothing changes that could not be
// taken back.
class CHistoryOperation : public IFileJournal {
public:
    // `kind`: one lower-case word ("convert", "diff", "paste", ...);
    // `history` may be null.
    CHistoryOperation(CProjectHistory* history, CPanelProject& project, std::string kind);
    ~CHistoryOperation() override;
    CHistoryOperation(const CHistoryOperation&) = delete;
    CHistoryOperation& operator=(const CHistoryOperation&) = delete;

    // The one-line German description (Windows-1252), set before Finish.
    void SetDescription(std::string description) { m_record.description = std::move(description); }
    // Records the operation; false when the history could not be written
    // (it is then finished by the next program that takes something back).
    bool Finish();
    // The names of the files changed so far (as on disk), in name order.
    std::vector<std::string> ChangedFiles() const;

    void WillChange(std::span<const std::filesystem::path> paths,
                    std::span<const std::vector<std::uint8_t>* const> held) override;
    void Changed(const std::filesystem::path& path, const std::vector<std::uint8_t>* bytes) override;

private:
    bool Records() const;
    std::string NameOf(const std::filesystem::path& path) const;

    CProjectHistory* m_history;
    CPanelProject& m_project;
    IFileJournal* m_previous;
    CHistoryIndex::Record m_record;
    // After each change: what the file holds.
    std::map<std::string, CFileState> m_after;
    bool m_finished = false;
};
