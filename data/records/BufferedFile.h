#pragma once

#include "data/records/FileStamp.h"
#include "data/records/MemFile.h"

#include <filesystem>

// A disk file handled as a whole in memory. Opened for reading, the whole
// file is read at construction; opened for writing, the data is collected in
// memory and the disk file is replaced in one atomic step by Close(). A
// writer that never reaches Close() leaves the disk untouched.
class CBufferedFile : public CMemFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        shareDenyWrite = 0x0020,
        modeCreate = 0x1000,
    };

    // Reading: throws CFileException (generic) when the file cannot be read.
    CBufferedFile(std::filesystem::path path, unsigned openFlags);

    // Writing: replaces the disk file with the image (see CAtomicFile);
    // throws CFileException on failure, the old file then stays intact.
    // Reading: nothing to do.
    void Close();
    // Writing: the same, but only while the disk file still holds what
    // `expected` says; otherwise nothing is written and the exception's
    // cause is changedOnDisk.
    void Close(const CFileStamp& expected);

    const std::filesystem::path& GetPath() const { return m_path; }
    bool IsWriting() const { return (m_flags & modeWrite) != 0; }

private:
    std::filesystem::path m_path;
    unsigned m_flags;
};
