#include "data/platform/Platform.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

namespace platform {

std::filesystem::path ProgramFile()
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
}

std::filesystem::path UserSettingsFolder()
{
    // XDG: a relative XDG_CONFIG_HOME is invalid and ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = "/tmp";
    return base / "morawin";
}

std::filesystem::path UserStateFolder()
{
    // XDG: a relative XDG_STATE_HOME is invalid and ignored.
    const char* xdg = std::getenv("XDG_STATE_HOME");
    std::filesystem::path base;
    if (xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "state";
    else
        base = "/tmp";
    return base / "morawin";
}

std::string UserLanguage()
{
    // The order in which gettext asks: the language list first.
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

std::string FolderKey(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::weakly_canonical(std::filesystem::absolute(folder, ec), ec);
    if (ec)
        full = std::filesystem::absolute(folder, ec);
    std::string key = full.lexically_normal().native();
    while (key.size() > 1 && key.back() == '/')
        key.pop_back();
    return key;
}

long CurrentProcessId()
{
    return static_cast<long>(::getpid());
}

bool ProcessIsRunning(long processId)
{
    if (processId <= 0)
        return false;
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

char PathListSeparator()
{
    return ':';
}

bool IsExecutable(const std::filesystem::path& file)
{
    return ::access(file.c_str(), X_OK) == 0;
}

std::uintmax_t LinkCount(const std::filesystem::path& file)
{
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return static_cast<std::uintmax_t>(info.st_nlink);
}

std::filesystem::path PathFromUtf8(std::string_view text)
{
    return std::filesystem::path(std::string(text));
}

std::string PathToUtf8(const std::filesystem::path& path)
{
    return path.native();
}

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

std::optional<std::tm> LocalTime(std::time_t time)
{
    std::tm local{};
    if (!::localtime_r(&time, &local))
        return std::nullopt;
    return local;
}

std::optional<std::time_t> LastWriteTime(const std::filesystem::path& file)
{
    struct stat status{};
    if (::stat(file.c_str(), &status) != 0)
        return std::nullopt;
    return status.st_mtim.tv_sec;
}

std::optional<std::time_t> EarliestTime(const std::filesystem::path& file)
{
    struct statx status{};
    if (::statx(AT_FDCWD, file.c_str(), 0, STATX_MTIME | STATX_BTIME, &status) != 0)
        return std::nullopt;
    std::time_t time = status.stx_mtime.tv_sec;
    // Seconds, as the times are shown: a creation time in the same second
    // as the last write is not earlier.
    if ((status.stx_mask & STATX_BTIME) && status.stx_btime.tv_sec < time)
        time = status.stx_btime.tv_sec;
    return time;
}

std::filesystem::path MakeUniqueFolder(const std::filesystem::path& parent, std::string_view prefix)
{
    std::string pattern = (parent / (std::string(prefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::filesystem::filesystem_error("cannot create a folder", parent,
                                                std::error_code(errno, std::generic_category()));
    return pattern;
}

bool StdinIsTerminal()
{
    return ::isatty(STDIN_FILENO) != 0;
}

void UseUtf8Console()
{
    // POSIX streams write bytes as they are.
}

} // namespace platform
