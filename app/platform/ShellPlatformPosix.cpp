#include "app/platform/ShellPlatform.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <glob.h>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace shell_platform {
namespace {

bool IsOctal(const std::string& digits)
{
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; });
}

// Mount points in /proc/mounts below the usual places for removable and
// network media; the escapes of that file (\040 for a blank) are undone.
std::vector<fs::path> MediaMounts()
{
    std::vector<fs::path> mounts;
    std::ifstream in("/proc/mounts");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string device, point;
        fields >> device >> point;
        std::string unescaped;
        for (std::size_t i = 0; i < point.size(); ++i) {
            if (point[i] == '\\' && i + 3 < point.size() && IsOctal(point.substr(i + 1, 3))) {
                unescaped += static_cast<char>((point[i + 1] - '0') * 64 + (point[i + 2] - '0') * 8 + (point[i + 3] - '0'));
                i += 3;
            } else {
                unescaped += point[i];
            }
        }
        for (const char* base : {"/media/", "/mnt/", "/run/media/"})
            if (unescaped.starts_with(base))
                mounts.emplace_back(unescaped);
    }
    return mounts;
}

} // namespace

bool CanEnter(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), X_OK) == 0;
}

std::vector<fs::path> Places()
{
    std::vector<fs::path> places{"/"};
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        places.emplace_back(home);
    for (const auto& mount : MediaMounts())
        if (std::find(places.begin(), places.end(), mount) == places.end())
            places.push_back(mount);
    return places;
}

fs::path FirstMatch(const fs::path& pattern)
{
    glob_t matches{};
    fs::path first;
    if (::glob(pattern.c_str(), 0, nullptr, &matches) == 0 && matches.gl_pathc > 0)
        first = matches.gl_pathv[0];
    ::globfree(&matches);
    return first;
}

void FollowUserLanguage(const std::string& language)
{
    // What GTK itself shows (key names in menus, the file chooser) speaks
    // the program's language, whatever the desktop's: "Strg+O" and "Entf"
    // beside German menu items, "Ctrl+O" and "Delete" beside English ones. The messages take GTK's catalogs
    // only in a locale other than plain "C", which ignores the language
    // list; C.UTF-8 stands in for it there.
    const char* messages = std::setlocale(LC_MESSAGES, "");
    if (!messages || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0)
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    ::setenv("LANGUAGE", language.c_str(), 1);
}

bool AddsMaximizedChildToTitle()
{
    return false;
}

} // namespace shell_platform
