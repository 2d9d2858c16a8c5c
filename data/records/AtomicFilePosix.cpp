#include "data/records/AtomicFileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace atomic_file_system {

namespace {

// The error of the call that just failed; some report none.
int Failed()
{
    return errno != 0 ? errno : EIO;
}

int Checked(bool ok)
{
    return ok ? 0 : Failed();
}

int Fd(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

} // namespace

CTempFile::~CTempFile()
{
    if (m_handle >= 0)
        ::close(Fd(m_handle));
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

int CTempFile::Create(const std::filesystem::path& target)
{
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    errno = 0;
    m_handle = ::mkstemp(pattern.data());
    if (m_handle < 0)
        return Failed();
    m_path = pattern;
    return 0;
}

int CTempFile::Write(std::span<const std::uint8_t> data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        errno = 0;
        const ssize_t n = ::write(Fd(m_handle), data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Failed();
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int CTempFile::Flush()
{
    errno = 0;
    return Checked(::fsync(Fd(m_handle)) == 0);
}

int CTempFile::TakePermissionsOf(const std::filesystem::path& target)
{
    // The old file's permissions, or what a plain create would give under
    // the current umask.
    mode_t mode = 0;
    struct stat old{};
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    errno = 0;
    return Checked(::fchmod(Fd(m_handle), mode) == 0);
}

int CTempFile::Close()
{
    errno = 0;
    const int result = ::close(Fd(m_handle));
    m_handle = -1;
    return Checked(result == 0);
}

int MayReplace(const std::filesystem::path&)
{
    // A rename replaces whatever the folder allows to be replaced.
    return 0;
}

int Replace(const std::filesystem::path& temp, const std::filesystem::path& target)
{
    errno = 0;
    return Checked(::rename(temp.c_str(), target.c_str()) == 0);
}

void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace atomic_file_system
