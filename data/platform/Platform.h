#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the operating systems do differently, one small function each. The
// POSIX and the Windows versions live in PlatformPosix.cpp and
// PlatformWindows.cpp; the build takes one of them.
namespace platform {

// The running program's own file (not argv[0] as typed); empty when the
// system cannot say.
std::filesystem::path ProgramFile();

// The folder that holds the per-user settings file: $XDG_CONFIG_HOME/morawin
// (default ~/.config/morawin) on POSIX systems, %APPDATA%\MoraWin on
// Windows.
std::filesystem::path UserSettingsFolder();

// The folder that holds the per-user state the programs keep between runs
// (the project history): $XDG_STATE_HOME/morawin (default
// ~/.local/state/morawin) on POSIX systems, %LOCALAPPDATA%\MoraWin on
// Windows.
std::filesystem::path UserStateFolder();

// The language the user's system speaks to them, as its locale names it
// ("de_DE.UTF-8", "en-GB"); empty when it names none.
std::string UserLanguage();

// The same folder always gives the same text, however it was written: the
// absolute path with links resolved as far as the folder exists, and on
// Windows, whose file names ignore case, with its letters upper-cased.
std::string FolderKey(const std::filesystem::path& folder);

// This process, and whether a process of that number is running (this
// process included).
long CurrentProcessId();
bool ProcessIsRunning(long processId);

// Separator of the folders in PATH.
char PathListSeparator();
// Whether a file can be started as a program.
bool IsExecutable(const std::filesystem::path& file);
// How many names (hard links) a plain file has; 0 for a symbolic link, for
// no such file, or where the system cannot tell.
std::uintmax_t LinkCount(const std::filesystem::path& file);

// Paths from and to UTF-8 text (command-line arguments, settings values,
// JSON). On POSIX systems a path is its bytes; on Windows it is UTF-16.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

// File names from and to Windows-1252 text, as the model keeps the names it
// builds from identifiers (G<id>.<ext>): UTF-8 on POSIX systems, UTF-16 on
// Windows. A name on disk that has no Windows-1252 form (or, on POSIX
// systems, is not UTF-8) gives nothing: the panel software could not have
// named it.
std::filesystem::path PathFromCp1252(std::string_view text);
std::optional<std::string> PathToCp1252(const std::filesystem::path& path);

// The program's command-line arguments as UTF-8 (on Windows read again as
// UTF-16 from the system: argv holds them in the ANSI code page).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Local calendar time.
std::optional<std::tm> LocalTime(std::time_t time);
// Seconds since the epoch of a file's last write, and the earlier of its
// creation and its last write (the creation time where the file system
// keeps one).
std::optional<std::time_t> LastWriteTime(const std::filesystem::path& file);
std::optional<std::time_t> EarliestTime(const std::filesystem::path& file);

// A new, empty folder with a unique name below `parent`, starting with
// `prefix`. Throws std::filesystem::filesystem_error when it cannot be made.
std::filesystem::path MakeUniqueFolder(const std::filesystem::path& parent, std::string_view prefix);

// Whether standard input is a terminal (a console on Windows).
bool StdinIsTerminal();

// Standard output and error carry UTF-8 bytes exactly as written: LF stays
// LF when redirected, and a Windows console shows UTF-8.
void UseUtf8Console();

} // namespace platform
