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
//
// A reader that lets others delete the file (indexers, virus scanners, a
// second MoraWin) keeps the old file in the folder until it closes it: each
// replacement sets the old file aside under a name of its own, and removes
// what earlier ones left once nothing holds it any more.
#include "data/records/FileGuard.h"

#include <windows.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
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

// "GS01.731.<number>.old~" beside "GS01.731"; earlier versions used
// "GS01.731.old~".
bool IsSetAside(const std::wstring& name, const std::filesystem::path& file)
{
    return name.starts_with(file.filename().wstring() + L".") && name.ends_with(L".old~");
}

// Renames the held file to a free name of the set-aside form.
DWORD SetAside(HANDLE file, const std::filesystem::path& path)
{
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path aside = path;
        aside += L"." + std::to_wstring(random() % 1000000) + L".old~";
        if (RenameHeld(file, aside))
            return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            return error;
    }
    return ERROR_ALREADY_EXISTS;
}

// What earlier replacements set aside: a file another program still held
// then, or one left by a program that ended midway. Those nothing holds
// now go; a held one refuses and stays for the next replacement.
void RemoveSetAside(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(L".");
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec))
        if (IsSetAside(it->path().filename().wstring(), file))
            DeleteFileW(it->path().c_str());
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
    // No name left free is the system's failure, not another program's
    // change of the file: never EEXIST here.
    if (const DWORD error = SetAside(file, m_file); error != ERROR_SUCCESS)
        return error == ERROR_ALREADY_EXISTS ? EIO : ErrnoOf(error);
    if (!MoveFileExW(replacement.c_str(), m_file.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        RenameHeld(file, m_file);
        return ErrnoOf(error);
    }
    // The old file goes when the last handle to it closes: the guard's,
    // or that of a reader who shares deletion.
    DeleteHeld(file);
    RemoveSetAside(m_file);
    return 0;
}

int CFileGuard::Remove()
{
    if (!m_handle)
        return 0; // nothing there to delete
    return DeleteHeld(Handle(m_handle)) ? 0 : ErrnoOf(GetLastError());
}
