#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What the desktop shell does differently on each system, one small
// function each (ShellPlatformPosix.cpp, ShellPlatformWindows.cpp).
namespace shell_platform {

// Whether a folder can be opened and listed.
bool CanEnter(const std::filesystem::path& folder);

// The starting places of the folder chooser: the root, the home folder and
// mounted media on POSIX systems; the drives and the user's folder on
// Windows. No duplicates.
std::vector<std::filesystem::path> Places();

// The first path that a wildcard pattern (*, ?, [...]) matches, empty when
// none does. Patterns arrive unexpanded on Windows, whose shell leaves them
// to the program.
std::filesystem::path FirstMatch(const std::filesystem::path& pattern);

// Lets what the window system itself shows (key names, its own dialogs)
// speak the program's language, "de" or "en", whatever the desktop's.
void FollowUserLanguage(const std::string& language);

// Whether the window system itself adds the title of a maximized child
// window to the main window's title ("MoraWin - [name]"), as Windows does;
// GTK shows child windows as tabs, which are never maximized.
bool AddsMaximizedChildToTitle();

} // namespace shell_platform
