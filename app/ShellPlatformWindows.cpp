#include "app/ShellPlatform.h"

#include "panel/ProjectFiles.h"
#include "data/Platform.h"

#include <algorithm>
#include <cstdlib>
#include <windows.h>

namespace fs = std::filesystem;

namespace shell_platform {
namespace {

bool HasWildcard(const std::string& text)
{
    return text.find_first_of("*?[") != std::string::npos;
}

// The entries of `folder` whose names match `pattern`, sorted as glob sorts.
std::vector<fs::path> Matches(const fs::path& folder, const std::string& pattern)
{
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = platform::PathToUtf8(it->path().filename());
        if (project_files::MatchesPattern(name, pattern))
            found.push_back(folder / it->path().filename());
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

bool CanEnter(const fs::path& folder)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return false;
    fs::directory_iterator it(folder, ec);
    return !ec;
}

std::vector<fs::path> Places()
{
    std::vector<fs::path> places;
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter)
        if (drives & (1u << letter))
            places.emplace_back(std::wstring{static_cast<wchar_t>(L'A' + letter), L':', L'\\'});
    if (const wchar_t* profile = ::_wgetenv(L"USERPROFILE"); profile && *profile)
        if (std::find(places.begin(), places.end(), fs::path(profile)) == places.end())
            places.emplace_back(profile);
    return places;
}

fs::path FirstMatch(const fs::path& pattern)
{
    // Each part of the path may hold wildcards ("C:\Projekte\Linie*\P?"):
    // matched part by part, the first match of the sorted entries wins.
    std::vector<fs::path> candidates{pattern.root_path()};
    for (const fs::path& part : pattern.relative_path()) {
        const std::string text = platform::PathToUtf8(part);
        std::vector<fs::path> next;
        for (const fs::path& base : candidates) {
            if (!HasWildcard(text)) {
                std::error_code ec;
                if (fs::exists(base / part, ec))
                    next.push_back(base / part);
                continue;
            }
            for (fs::path& match : Matches(base, text))
                next.push_back(std::move(match));
        }
        candidates = std::move(next);
        if (candidates.empty())
            return {};
    }
    return candidates.front();
}

void FollowUserLanguage()
{
    // Windows shows its own dialogs in the user's language already.
}

} // namespace shell_platform
