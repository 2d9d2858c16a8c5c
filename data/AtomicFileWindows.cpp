#include "data/AtomicFile.h"

#include "data/FileException.h"
#include "data/FileGuard.h"

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>
#include <windows.h>

// The Windows counterpart of the POSIX replacement: a temporary file in the
// same folder, flushed, then moved over the old file with MoveFileExW
// (replace existing, write through), which fails and leaves the old file
// whole when another program holds it open; a read-only file is refused.

namespace {

CAtomicFile::FaultHook g_faultHook;

int Injected(CAtomicFile::Step step)
{
    return g_faultHook ? g_faultHook(step) : 0;
}

// The system's error as the errno value the rest of the program reports.
int ErrnoFromLastError()
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

std::filesystem::path ResolveTarget(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        auto target = std::filesystem::canonical(path, ec);
        if (!ec)
            return target;
    }
    return path;
}

template <class Operation>
void RunStep(CAtomicFile::Step step, const std::filesystem::path& target, Operation operation)
{
    int err = Injected(step);
    if (err == 0 && !operation())
        err = ErrnoFromLastError();
    if (err != 0)
        throw CFileException(CFileException::Cause::generic, target, err);
}

class TempFile {
public:
    explicit TempFile(const std::filesystem::path& target)
    {
        std::random_device seed;
        std::mt19937 random(seed());
        RunStep(CAtomicFile::Step::createTemp, target, [&] {
            for (int attempt = 0; attempt < 100; ++attempt) {
                const std::wstring name = L"." + target.filename().wstring() + L"." + std::to_wstring(random() % 1000000);
                m_path = target.parent_path() / name;
                m_handle = ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
                if (m_handle != INVALID_HANDLE_VALUE)
                    return true;
                if (::GetLastError() != ERROR_FILE_EXISTS)
                    break;
            }
            m_path.clear();
            return false;
        });
    }
    ~TempFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
        if (!m_path.empty())
            ::DeleteFileW(m_path.c_str());
    }
    HANDLE Handle() const { return m_handle; }
    const std::filesystem::path& Path() const { return m_path; }
    bool Close()
    {
        const bool closed = ::CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }
    void Keep() { m_path.clear(); }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::filesystem::path m_path;
};

bool WriteAll(HANDLE handle, std::span<const std::uint8_t> data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, data.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool Replace(const std::filesystem::path& temp, const std::filesystem::path& target)
{
    // A read-only file stays as it is, as Windows' own programs leave it.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

void CAtomicFile::Write(const std::filesystem::path& path, std::span<const std::uint8_t> data)
{
    WriteChecked(path, data, nullptr);
}

void CAtomicFile::Write(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                        const CFileStamp& expected)
{
    WriteChecked(path, data, &expected);
}

void CAtomicFile::WriteChecked(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                               const CFileStamp* expected)
{
    const std::filesystem::path target = ResolveTarget(path);
    TempFile temp(target);
    RunStep(Step::write, target, [&] { return WriteAll(temp.Handle(), data); });
    RunStep(Step::flush, target, [&] { return ::FlushFileBuffers(temp.Handle()) != 0; });
    // Windows files have no permission bits: the new file takes the
    // folder's security, as every new file there does.
    RunStep(Step::permissions, target, [] { return true; });
    RunStep(Step::close, target, [&] { return temp.Close(); });
    if (expected) {
        // The guard holds the file from its check until it is replaced, so
        // no other program can write it in between.
        CFileGuard guard(target);
        if (guard.Current(*expected) != *expected)
            throw CFileException(CFileException::Cause::changedOnDisk, target);
        int err = 0;
        const DWORD attributes = ::GetFileAttributesW(target.c_str());
        RunStep(Step::rename, target, [&] {
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
                ::SetLastError(ERROR_ACCESS_DENIED);
                return false;
            }
            err = guard.ReplaceWith(temp.Path(), expected->IsAbsent());
            if (err != 0 && err != EEXIST)
                ::SetLastError(err == EACCES ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT);
            return err == 0 || err == EEXIST;
        });
        if (err == EEXIST) // created meanwhile by someone else
            throw CFileException(CFileException::Cause::changedOnDisk, target);
    } else {
        RunStep(Step::rename, target, [&] { return Replace(temp.Path(), target); });
    }
    temp.Keep();
}

void CAtomicFile::SetFaultHook(FaultHook hook)
{
    g_faultHook = std::move(hook);
}
