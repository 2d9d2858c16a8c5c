// The guard on POSIX systems: nothing to hold, so the content is read as
// late as the caller asks and the file is replaced right after.
#include "data/records/FileGuard.h"

#include <algorithm>
#include <cerrno>
#include <cstdio> // renameat2
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class OpenFile {
public:
    explicit OpenFile(const std::filesystem::path& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

// Up to `limit` bytes from the start; false on a read error.
bool ReadUpTo(int fd, std::vector<std::uint8_t>& data, std::size_t limit)
{
    std::size_t done = 0;
    while (done < limit) {
        if (data.size() < done + 65536)
            data.resize(std::min(limit, done + 65536));
        const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    return true;
}

// A stamp no file matches: the file exists but could not be read.
CFileStamp Unreadable()
{
    const std::uint8_t marker[] = {0};
    return CFileStamp::OfHeader(marker, ~std::uint64_t{0}, -1);
}

} // namespace

CFileGuard::CFileGuard(std::filesystem::path file) : m_file(std::move(file)) {}

CFileGuard::~CFileGuard() = default;

CFileStamp CFileGuard::Current(const CFileStamp& like, std::vector<std::uint8_t>* bytes) const
{
    const OpenFile file(m_file);
    if (file.Fd() < 0)
        return errno == ENOENT ? CFileStamp::Absent() : Unreadable();
    if (like.IsAbsent())
        return Unreadable(); // there is a file: that is all that counts
    struct stat status{};
    if (::fstat(file.Fd(), &status) != 0)
        return Unreadable();
    std::vector<std::uint8_t> data;
    const std::size_t limit = like.IsHeader() ? CFileStamp::kHeaderLength : static_cast<std::size_t>(-1);
    if (!ReadUpTo(file.Fd(), data, limit))
        return Unreadable();
    const CFileStamp stamp = like.IsHeader()
        ? CFileStamp::OfHeader(data, static_cast<std::uint64_t>(status.st_size),
                               status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec)
        : CFileStamp::OfBytes(data);
    if (bytes)
        *bytes = std::move(data);
    return stamp;
}

int CFileGuard::ReplaceWith(const std::filesystem::path& replacement, bool mustBeNew)
{
    if (mustBeNew) {
        // Atomic where the file system supports it; elsewhere (some network
        // file systems) a file created between the check and the rename
        // would be replaced.
        if (::renameat2(AT_FDCWD, replacement.c_str(), AT_FDCWD, m_file.c_str(), RENAME_NOREPLACE) == 0)
            return 0;
        if (errno != EINVAL && errno != ENOSYS)
            return errno;
        if (::access(m_file.c_str(), F_OK) == 0)
            return EEXIST;
    }
    return ::rename(replacement.c_str(), m_file.c_str()) == 0 ? 0 : errno;
}

int CFileGuard::Remove()
{
    return ::unlink(m_file.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}
