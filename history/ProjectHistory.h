#pragma once

#include "history/BlobStore.h"
#include "history/HistoryIndex.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CAppSettings;
class CPanelProject;

// The history of one panel project: every operation that changed its
// files, with what each file held before and after, kept outside the
// project folder (below the history folder of the program, one folder per
// project named after a hash of the project folder's full path, which
// project.txt in it spells out). Contents are kept once each (CBlobStore),
// the list of operations in one index file (CHistoryIndex) that is
// replaced atomically, and only while it still holds what was read: two
// programs that record at the same time both get their operation in.
//
// Take-backs work like an editor's: Undo takes back the newest operation
// (or every one down to a given one), Redo takes back the newest take-back;
// each take-back is an operation of the history in its turn, and a new
// operation after an undo empties the redo list. A take-back writes
// nothing unless every file it touches still holds what the operation
// left; each file is replaced by the checked atomic write. The index says
// a take-back is running before the first file changes, so that one cut
// short (the program was killed) is finished by the next Undo, or turned
// back by the next Redo.
class CProjectHistory {
public:
    struct Limits {
        int keep = 100;      // operations; 0 turns the history off
        int maxSizeMb = 200; // contents kept, in megabytes

        // Keep and MaxSizeMB of the settings' [History] section.
        static Limits Of(const CAppSettings& settings);
    };

    struct TakeBack {
        enum class Outcome {
            done,
            nothing, // no such operation to take back
            refused, // files changed since; nothing written (or not those)
            failed,  // the history could not be read or written
        };
        Outcome outcome = Outcome::nothing;
        // What the user is told, one sentence each (Windows-1252).
        std::vector<std::string> messages;
        // Done: the description of the take-back.
        std::string description;
        // Refused before anything was written, for these files changed
        // since: the others alone can still be taken back.
        std::vector<std::string> changedFiles;
    };

    // A file, for a newly started operation: its name and what it held
    // before (with the bytes, if it existed).
    struct Kept {
        CHistoryIndex::File file;
        std::vector<std::uint8_t> bytes;
        std::filesystem::path source; // the project file that holds them
    };

    // The history of `project` below `root` (CAppPaths::HistoryFolder).
    CProjectHistory(const std::filesystem::path& root, const CPanelProject& project, Limits limits);

    bool IsOff() const { return m_limits.keep <= 0; }
    const std::filesystem::path& Folder() const { return m_folder; }
    const std::filesystem::path& ProjectFolder() const { return m_projectFolder; }
    const std::string& Extension() const { return m_extension; }

    // The operations as they are now, without changing anything.
    CHistoryIndex Read() const;
    // What Undo and Redo would take back; nothing when there is none.
    std::optional<CHistoryIndex::Record> NextUndo() const;
    std::optional<CHistoryIndex::Record> NextRedo() const;
    // For "Rückgängig: ..." and "Wiederherstellen: ...": what an operation
    // did, a take-back named after what it took back.
    static const std::string& SubjectOf(const CHistoryIndex::Record& record);

    // Takes back the newest operation, or with `downTo` every operation
    // down to and including that one (which must be one Undo can reach).
    // With `onlyUnchanged` files changed since are left out instead of
    // refusing the whole take-back.
    TakeBack Undo(std::optional<int> downTo = std::nullopt, bool onlyUnchanged = false);
    TakeBack Redo(bool onlyUnchanged = false);

    // For CHistoryOperation. Begin keeps the contents of `kept` and records
    // `record` (with them among its files) as running, giving it an id
    // first; Finish records it as done with the files whose content
    // changed, or drops it when none did. Both throw CFileException when
    // the history cannot be written.
    void Begin(CHistoryIndex::Record& record, const std::vector<Kept>& kept);
    void Finish(const CHistoryIndex::Record& record);

    // A file of the project by its name as the history keeps it.
    std::filesystem::path PathOf(const std::string& name) const;

private:
    struct Step;

    std::filesystem::path IndexPath() const;
    // Reads the index, lets `change` change it and writes it back while
    // the file still holds what was read (else again, from the start).
    // The index as written.
    CHistoryIndex Update(const std::function<void(CHistoryIndex&)>& change);
    void ClaimFolder();
    void ApplyLimits(CHistoryIndex& index) const;
    void RemoveUnused(const CHistoryIndex& index) const;
    void SettleAbandoned(CHistoryIndex& index) const;
    std::optional<TakeBack> FinishInterrupted(const CHistoryIndex& index, const std::string& kind);
    TakeBack Run(const CHistoryIndex& index, const std::vector<int>& ids, const std::string& kind, bool onlyUnchanged);
    // The bytes a step writes, from the blobs; false (and `result` says
    // the history lacks them) when they are gone.
    bool LoadTarget(Step& step, TakeBack& result) const;
    bool WriteSteps(std::vector<Step>& steps, TakeBack& result) const;
    void Complete(int id);
    TakeBack Unwritable() const;
    // Reads the index into `index`, settles what programs left unfinished
    // and finishes (or turns back) an interrupted take-back: its result
    // when that was one.
    std::optional<TakeBack> Prepare(CHistoryIndex& index, const std::string& kind);

    std::filesystem::path m_folder;
    std::filesystem::path m_projectFolder;
    std::string m_extension;
    std::string m_key;
    Limits m_limits;
    CBlobStore m_blobs;
};
