#pragma once

#include "data/records/FileStamp.h"

#include <cstdint>
#include <filesystem>
#include <vector>

// Holds one file from the moment its content is checked until it is
// replaced or deleted, so that a change another program makes meanwhile is
// never overwritten unseen.
//
// How firmly it holds depends on the system, and that difference lives
// here only. Windows lets a program open a file so that no other program
// may write it: the guard keeps such a handle until the file is replaced.
// POSIX systems have only advisory locks, which other programs ignore: the
// guard there reads the file, and the caller replaces it at once after.
// What remains is the time between that read and the rename, a few system
// calls long; a write another program makes within it is lost.
class CFileGuard {
public:
    explicit CFileGuard(std::filesystem::path file);
    ~CFileGuard();
    CFileGuard(const CFileGuard&) = delete;
    CFileGuard& operator=(const CFileGuard&) = delete;

    // What the file holds now, in the form of `like`: whole, header or
    // absent (then only whether the file exists counts). `bytes`, if
    // given, receives what was read.
    CFileStamp Current(const CFileStamp& like, std::vector<std::uint8_t>* bytes = nullptr) const;
    // Puts the file `replacement` (in the same folder) in the file's place;
    // with `mustBeNew` only if no file of this name exists by then (EEXIST
    // otherwise). 0 or the system's error code.
    int ReplaceWith(const std::filesystem::path& replacement, bool mustBeNew);
    // Deletes the file; 0 or the system's error code.
    int Remove();

    const std::filesystem::path& GetPath() const { return m_file; }

private:
    std::filesystem::path m_file;
    void* m_handle = nullptr; // the held file, where the system has one
};
