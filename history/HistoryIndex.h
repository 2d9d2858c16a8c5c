#pragma once

#include "history/FileState.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The list of operations of one project's history, as its index file keeps
// it: every operation with its files' states before and after, which of
// them can be taken back (the undo stack) and which take-backs can be
// taken back in turn (the redo stack).
//
// The file is UTF-8 text, one field a line:
//
//     morawin-history 1
//     undo 3 5
//     redo 7
//     op 5 done
//     time 1765290000
//     kind convert
//     description Konvertierung von anlage.seq: 54 Operanden in S01
//     file GS01.731 - 97:<XXH3-128 in hex>
//     end
//
// An operation still running is "op <id> open <process>"; a take-back
// names what it takes back ("takes 3 5") and the description of that
// ("subject ..."). Reading never trusts the file: an operation with any
// line it cannot read, or with a file name that is not a group file of
// the project, is left out, and the line where it starts is kept among
// the damaged ones.
class CHistoryIndex {
public:
    struct File {
        std::string name; // as on disk, Windows-1252
        CFileState before = CFileState::Absent();
        CFileState after = CFileState::Unknown();
    };

    struct Record {
        int id = 0;
        bool open = false;
        long owner = 0; // the process that runs an open operation
        std::int64_t time = 0;
        std::string kind;        // "convert", "diff", "undo", "redo", ...
        std::string description; // Windows-1252
        std::string subject;     // a take-back: what it takes back
        std::vector<int> takes;  // a take-back: the operations taken back
        std::vector<File> files;

        bool IsTakeBack() const { return !takes.empty(); }
        const File* FindFile(std::string_view name) const;
    };

    // `extension`: the project's, for the group file names ("731").
    static CHistoryIndex Parse(std::string_view text, std::string_view extension);
    std::string ToText() const;

    // A plain group file name of a project with this extension: "G", three
    // characters that an identifier may have, a point and the extension
    // (letters in either case). Nothing that could lead out of the folder.
    static bool IsProjectFileName(std::string_view name, std::string_view extension);

    Record* Find(int id);
    const Record* Find(int id) const;
    void Remove(int id);
    int NextId() const;

    std::vector<Record> records; // by id, oldest first
    std::vector<int> undo;       // bottom first: the last is taken back first
    std::vector<int> redo;
    // First lines of what was left out when the index was read.
    std::vector<int> damagedLines;
};
