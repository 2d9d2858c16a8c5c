#pragma once

#include "data/records/FileStamp.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

// Replaces a file with new content so that at every moment the path holds
// either the complete old file or the complete new one: the data goes to a
// temporary file in the same folder, is flushed to the disk, takes over the
// old file's permissions and is then renamed over the old file. On any
// failure the temporary file is removed, the old file stays as it was, and a
// CFileException (cause generic, with the system's error code) is thrown.
class CAtomicFile {
public:
    enum class Step { createTemp, write, flush, permissions, close, rename };

    static void Write(const std::filesystem::path& path, std::span<const std::uint8_t> data);
    // The same, but only while the file still holds what `expected` says
    // (absent: while there is no file of that name). That is checked at the
    // last moment, right before the rename, with the file held (see
    // CFileGuard); if it holds something else, nothing is written and a
    // CFileException with cause changedOnDisk is thrown.
    static void Write(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                      const CFileStamp& expected);

    // Test hook: called before each step; a nonzero result fails that step
    // with that error code (ENOSPC, EACCES, ...). An empty function removes it.
    using FaultHook = std::function<int(Step)>;
    static void SetFaultHook(FaultHook hook);

private:
    static void WriteChecked(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                             const CFileStamp* expected);
};
