#include "app/platform/ShellPlatform.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <windows.h>

namespace fs = std::filesystem;

namespace shell_platform {
namespace {

bool HasWildcard(const std::wstring& text)
{
    return text.find_first_of(L"*?[") != std::wstring::npos;
}

// Windows file names ignore letter case, umlauts included.
wchar_t Lower(wchar_t c)
{
    // CharLowerW takes a single character in place of the pointer.
    const auto single = reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(c));
    return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(::CharLowerW(single)));
}

constexpr std::size_t kNone = std::wstring_view::npos;

// The closing bracket of a set whose "[" is at `open`; kNone when it has
// none (the "[" then stands for itself). A "]" first in the set is a
// member.
std::size_t SetEnd(std::wstring_view pattern, std::size_t open)
{
    std::size_t at = open + 1;
    if (at < pattern.size() && (pattern[at] == L'!' || pattern[at] == L'^'))
        ++at;
    return pattern.find(L']', at + 1);
}

// Whether `c` (lower case) is in a set such as "a-c_" or "!0-9".
bool InSet(std::wstring_view set, wchar_t c)
{
    const bool negated = !set.empty() && (set[0] == L'!' || set[0] == L'^');
    bool found = false;
    for (std::size_t at = negated ? 1 : 0; at < set.size(); ++at) {
        const wchar_t from = Lower(set[at]);
        wchar_t to = from;
        if (at + 2 < set.size() && set[at + 1] == L'-') {
            to = Lower(set[at + 2]);
            at += 2;
        }
        found = found || (from <= c && c <= to);
    }
    return found != negated;
}

// Where the pattern goes on after its element at `p` (no "*") matched
// `c` (lower case); kNone when it does not match.
std::size_t MatchOne(std::wstring_view pattern, std::size_t p, wchar_t c)
{
    if (p >= pattern.size())
        return kNone;
    if (pattern[p] == L'[') {
        const std::size_t end = SetEnd(pattern, p);
        if (end != kNone)
            return InSet(pattern.substr(p + 1, end - p - 1), c) ? end + 1 : kNone;
    }
    return pattern[p] == L'?' || Lower(pattern[p]) == c ? p + 1 : kNone;
}

// The shell's rules for one name: "*" any run, "?" one character, "[...]"
// one of a set ("[!...]" none of it), everything else itself in any case.
// Backtracks to the last "*".
bool MatchesWildcard(std::wstring_view name, std::wstring_view pattern)
{
    std::size_t n = 0, p = 0;
    std::size_t starP = kNone, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (const std::size_t next = MatchOne(pattern, p, Lower(name[n])); next != kNone) {
            ++n;
            p = next;
        } else if (starP != kNone) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

// The entries of `folder` whose names match `pattern`, sorted by name.
std::vector<fs::path> Matches(const fs::path& folder, const std::wstring& pattern)
{
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (MatchesWildcard(it->path().filename().native(), pattern))
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
    if (const wchar_t* profile = ::_wgetenv(L"USERPROFILE"); profile && *profile) // untranslated: a variable's name
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
        const std::wstring& text = part.native();
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

void FollowUserLanguage(const std::string&)
{
    // Windows shows its own dialogs in the user's language already.
}

bool AddsMaximizedChildToTitle()
{
    return true;
}

} // namespace shell_platform
