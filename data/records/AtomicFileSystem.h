#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

// What the atomic write needs from the operating system, one source file
// per system (AtomicFilePosix.cpp, AtomicFileWindows.cpp). Each function
// that can fail returns 0 or an errno-style code (ENOSPC, EACCES, ...).
namespace atomic_file_system {

// A new file beside the target, removed again unless it is kept.
class CTempFile {
public:
    CTempFile() = default;
    ~CTempFile();
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    int Create(const std::filesystem::path& target);
    int Write(std::span<const std::uint8_t> data);
    int Flush();
    // The target's permissions, or a plain new file's where it has none.
    int TakePermissionsOf(const std::filesystem::path& target);
    int Close();
    const std::filesystem::path& Path() const { return m_path; }
    // It has taken the target's place: nothing to remove.
    void Keep() { m_path.clear(); }

private:
    std::intptr_t m_handle = -1; // a descriptor, or a Windows handle
    std::filesystem::path m_path;
};

// 0 when the system lets the file be replaced (Windows keeps a read-only
// file as it is).
int MayReplace(const std::filesystem::path& target);
// Moves `temp` over `target` in one step.
int Replace(const std::filesystem::path& temp, const std::filesystem::path& target);
// Makes the rename itself durable, where the system needs that.
void SyncFolder(const std::filesystem::path& folder);

} // namespace atomic_file_system
