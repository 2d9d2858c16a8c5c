#include "data/AtomicFile.h"

#include "data/FileException.h"
#include "data/FileGuard.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

CAtomicFile::FaultHook g_faultHook;

int Injected(CAtomicFile::Step step)
{
    return g_faultHook ? g_faultHook(step) : 0;
}

// Permissions for the new file: the old file's, or what a plain create
// would give under the current umask.
mode_t TargetMode(const std::filesystem::path& path)
{
    struct stat old{};
    if (::stat(path.c_str(), &old) == 0)
        return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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

void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Runs one step unless the test hook fails it; a failure throws with the
// step's error code.
template <class Operation>
void RunStep(CAtomicFile::Step step, const std::filesystem::path& target, Operation operation)
{
    int err = Injected(step);
    if (err == 0) {
        errno = 0;
        if (!operation())
            err = errno != 0 ? errno : EIO;
    }
    if (err != 0)
        throw CFileException(CFileException::Cause::generic, target, err);
}

class TempFile {
public:
    explicit TempFile(const std::filesystem::path& target)
    {
        std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        RunStep(CAtomicFile::Step::createTemp, target, [&] { return (m_fd = ::mkstemp(pattern.data())) >= 0; });
        m_path = pattern;
    }
    ~TempFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    int Fd() const { return m_fd; }
    const std::filesystem::path& Path() const { return m_path; }
    int CloseFd()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }
    void Keep() { m_path.clear(); }

private:
    int m_fd = -1;
    std::filesystem::path m_path;
};

bool WriteAll(int fd, std::span<const std::uint8_t> data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
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
    RunStep(Step::write, target, [&] { return WriteAll(temp.Fd(), data); });
    RunStep(Step::flush, target, [&] { return ::fsync(temp.Fd()) == 0; });
    RunStep(Step::permissions, target, [&] { return ::fchmod(temp.Fd(), TargetMode(target)) == 0; });
    RunStep(Step::close, target, [&] { return temp.CloseFd() == 0; });
    if (expected) {
        // Everything slow (writing, flushing) is done: the check comes as
        // late as it can, and the rename follows at once.
        CFileGuard guard(target);
        if (guard.Current(*expected) != *expected)
            throw CFileException(CFileException::Cause::changedOnDisk, target);
        int err = 0;
        RunStep(Step::rename, target, [&] {
            err = guard.ReplaceWith(temp.Path(), expected->IsAbsent());
            errno = err;
            return err == 0 || err == EEXIST;
        });
        if (err == EEXIST) // created meanwhile by someone else
            throw CFileException(CFileException::Cause::changedOnDisk, target);
    } else {
        RunStep(Step::rename, target, [&] { return ::rename(temp.Path().c_str(), target.c_str()) == 0; });
    }
    temp.Keep();
    SyncFolder(target.parent_path());
}

void CAtomicFile::SetFaultHook(FaultHook hook)
{
    g_faultHook = std::move(hook);
}
