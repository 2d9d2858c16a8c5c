#include "data/records/AtomicFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>
#include <windows.h>

// The Windows side of the atomic write: the temporary file is flushed, then
// moved over the old file with MoveFileExW (replace existing, write
// through), which fails and leaves the old file whole when another program
// holds it open; a read-only file is refused.

namespace atomic_file_system {

namespace {

// The system's error as the errno value the rest of the program reports.
int Failed()
{
    switch (::GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    default: return EIO;
    }
}

int Checked(bool ok)
{
    return ok ? 0 : Failed();
}

HANDLE Handle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

CTempFile::~CTempFile()
{
    if (m_handle != -1) // INVALID_HANDLE_VALUE
        ::CloseHandle(Handle(m_handle));
    if (!m_path.empty())
        ::DeleteFileW(m_path.c_str());
}

int CTempFile::Create(const std::filesystem::path& target)
{
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = L"." + target.filename().wstring() + L"." + std::to_wstring(random() % 1000000);
        const std::filesystem::path path = target.parent_path() / name;
        const HANDLE handle =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            m_handle = reinterpret_cast<std::intptr_t>(handle);
            m_path = path;
            return 0;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return Failed();
}

int CTempFile::Write(std::span<const std::uint8_t> data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(Handle(m_handle), data.data() + done, chunk, &written, nullptr) || written == 0)
            return Failed();
        done += written;
    }
    return 0;
}

int CTempFile::Flush()
{
    return Checked(::FlushFileBuffers(Handle(m_handle)) != 0);
}

int CTempFile::TakePermissionsOf(const std::filesystem::path&)
{
    // Windows files have no permission bits: the new file takes the
    // folder's security, as every new file there does.
    return 0;
}

int CTempFile::Close()
{
    const bool closed = ::CloseHandle(Handle(m_handle)) != 0;
    m_handle = -1;
    return Checked(closed);
}

int MayReplace(const std::filesystem::path& target)
{
    // A read-only file stays as it is, as Windows' own programs leave it.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) ? EACCES : 0;
}

int Replace(const std::filesystem::path& temp, const std::filesystem::path& target)
{
    return Checked(::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                   0);
}

void SyncFolder(const std::filesystem::path&)
{
    // MOVEFILE_WRITE_THROUGH has made the move durable already.
}

} // namespace atomic_file_system
