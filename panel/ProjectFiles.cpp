#include "panel/ProjectFiles.h"

#include "data/platform/Platform.h"

namespace project_files {
namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::filesystem::path FolderOrCurrent(const std::filesystem::path& folder)
{
    return folder.empty() ? std::filesystem::path(".") : folder;
}

} // namespace

std::string ToUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(Lower(a[i]));
        const auto y = static_cast<unsigned char>(Lower(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    // Classic wildcard matching with backtracking to the last "*".
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::optional<std::string> FindIgnoringCase(const std::filesystem::path& folder, std::string_view name)
{
    const std::filesystem::path base = FolderOrCurrent(folder);
    // The name as it is on disk: a file system that ignores case (Windows,
    // a FAT stick) finds "GS01.731" for "gs01.731" as well, and the name
    // stored must still be the file's own.
    std::error_code ec;
    std::optional<std::string> found;
    for (auto it = std::filesystem::directory_iterator(base, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        const auto text = platform::PathToCp1252(it->path().filename());
        if (!text)
            continue; // not a name the project's files can have
        const std::string& candidate = *text;
        if (candidate == name)
            return candidate;
        if (EqualsIgnoringCase(candidate, name) && (!found || candidate < *found))
            found = candidate;
    }
    // A folder that cannot be listed may still hold the file.
    if (!found && std::filesystem::exists(std::filesystem::symlink_status(base / platform::PathFromCp1252(name), ec)))
        return std::string(name);
    return found;
}

std::string FormatDateText(std::time_t time)
{
    const auto local = platform::LocalTime(time);
    if (!local)
        return {};
    char text[256];
    const std::size_t length = std::strftime(text, sizeof text, "%c", &*local);
    return std::string(text, length);
}

std::string LastWriteText(const std::filesystem::path& file)
{
    const auto time = platform::LastWriteTime(file);
    return time ? FormatDateText(*time) : std::string();
}

std::string EarliestTimeText(const std::filesystem::path& file)
{
    const auto time = platform::EarliestTime(file);
    return time ? FormatDateText(*time) : std::string();
}

} // namespace project_files
