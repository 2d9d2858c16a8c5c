// The guard on Windows: the file is opened without write sharing, so that
// no other program can change it between the check and the replace, and
// stays open until it has been replaced or deleted.
//
// Replacing a file that is held open this way cannot go through a plain
// rename over it (the rename would need the write sharing the guard
// refuses). Instead the held file is first renamed aside through the
// guard's own handle, the new file takes its name, and the old one is
// deleted through the handle; if the new file cannot take the name, the
// old one is renamed back.
#include "data/records/FileGuard.h"

#include <windows.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

HANDLE Handle(void* handle)
{
    return handle ? static_cast<HANDLE>(handle) : INVALID_HANDLE_VALUE;
}

int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return EACCES;
    case ERROR_DISK_FULL: return ENOSPC;
    default: return EIO;
    }
}

CFileStamp Unreadable()
{
    const std::uint8_t marker[] = {0};
    return CFileStamp::OfHeader(marker, ~std::uint64_t{0}, -1);
}

CFileStamp ReadStamp(HANDLE file, const CFileStamp& like, std::vector<std::uint8_t>* bytes)
{
    LARGE_INTEGER size{};
    FILETIME written{};
    LARGE_INTEGER start{};
    if (!GetFileSizeEx(file, &size) || !GetFileTime(file, nullptr, nullptr, &written)
        || !SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return Unreadable();
    const auto length = static_cast<std::size_t>(size.QuadPart);
    std::vector<std::uint8_t> data(like.IsHeader() ? std::min(length, CFileStamp::kHeaderLength) : length);
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD read = 0;
        if (!ReadFile(file, data.data() + done, static_cast<DWORD>(data.size() - done), &read, nullptr))
            return Unreadable();
        if (read == 0)
            break;
        done += read;
    }
    data.resize(done);
    const std::int64_t time = (static_cast<std::int64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    const CFileStamp stamp = like.IsHeader() ? CFileStamp::OfHeader(data, length, time * 100) : CFileStamp::OfBytes(data);
    if (bytes)
        *bytes = std::move(data);
    return stamp;
}

bool RenameHeld(HANDLE file, const std::filesystem::path& to)
{
    // A full path: the rename stays in the same folder.
    const std::wstring name = std::filesystem::absolute(to).wstring();
    std::vector<std::uint8_t> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::memcpy(info->FileName, name.c_str(), info->FileNameLength);
    return SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != 0;
}

bool DeleteHeld(HANDLE file)
{
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = TRUE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &info, sizeof info) != 0;
}

} // namespace

CFileGuard::CFileGuard(std::filesystem::path file) : m_file(std::move(file))
{
    HANDLE handle = CreateFileW(m_file.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        m_handle = handle;
}

CFileGuard::~CFileGuard()
{
    if (m_handle)
        CloseHandle(Handle(m_handle));
}

CFileStamp CFileGuard::Current(const CFileStamp& like, std::vector<std::uint8_t>* bytes) const
{
    if (m_handle)
        return like.IsAbsent() ? Unreadable() : ReadStamp(Handle(m_handle), like, bytes);
    if (GetFileAttributesW(m_file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return CFileStamp::Absent();
    if (like.IsAbsent())
        return Unreadable();
    // Another program has the file open for writing, so it cannot be held;
    // it can still be read (a replace would then fail on its own).
    HANDLE file = CreateFileW(m_file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Unreadable();
    const CFileStamp stamp = ReadStamp(file, like, bytes);
    CloseHandle(file);
    return stamp;
}

int CFileGuard::ReplaceWith(const std::filesystem::path& replacement, bool mustBeNew)
{
    if (!m_handle) {
        const DWORD flags = MOVEFILE_WRITE_THROUGH | (mustBeNew ? 0 : MOVEFILE_REPLACE_EXISTING);
        return MoveFileExW(replacement.c_str(), m_file.c_str(), flags) ? 0 : ErrnoOf(GetLastError());
    }
    if (mustBeNew)
        return EEXIST;
    HANDLE file = Handle(m_handle);
    std::filesystem::path aside = m_file;
    aside += L".old~";
    if (!RenameHeld(file, aside))
        return ErrnoOf(GetLastError());
    if (!MoveFileExW(replacement.c_str(), m_file.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        RenameHeld(file, m_file);
        return ErrnoOf(error);
    }
    DeleteHeld(file); // the old file goes when the handle closes
    return 0;
}

int CFileGuard::Remove()
{
    if (!m_handle)
        return 0; // nothing there to delete
    return DeleteHeld(Handle(m_handle)) ? 0 : ErrnoOf(GetLastError());
}
