#include "app/FolderBrowser.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    // Bytes compare unsigned, so that UTF-8 names follow the ASCII ones.
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
        };
        return lower(x) < lower(y);
    });
}

bool CanEnter(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), X_OK) == 0;
}

// Absolute and without "." and ".." parts or a trailing separator.
fs::path Clean(const fs::path& folder)
{
    std::error_code ec;
    fs::path clean = fs::absolute(folder, ec).lexically_normal();
    if (!clean.has_filename() && clean.has_relative_path())
        clean = clean.parent_path();
    return clean;
}

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

CFolderBrowser::CFolderBrowser(const fs::path& start)
{
    std::error_code ec;
    if (start.empty() || !MoveTo(start))
        m_folder = Clean(fs::current_path(ec));
}

bool CFolderBrowser::MoveTo(const fs::path& folder)
{
    const fs::path clean = Clean(folder.is_absolute() ? folder : m_folder / folder);
    if (!CanEnter(clean))
        return false;
    m_folder = clean;
    return true;
}

std::vector<std::string> CFolderBrowser::GetEntries() const
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(".") && it->is_directory(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    if (m_folder.has_relative_path())
        names.insert(names.begin(), kParent);
    return names;
}

bool CFolderBrowser::Enter(const std::string& entry)
{
    if (entry == kParent)
        return m_folder.has_relative_path() && MoveTo(m_folder.parent_path());
    if (entry.empty() || entry.find('/') != std::string::npos)
        return false;
    return MoveTo(m_folder / entry);
}

bool CFolderBrowser::Go(const std::string& typed)
{
    if (typed.empty())
        return false;
    const fs::path target = fs::path(typed).is_absolute() ? fs::path(typed) : m_folder / typed;
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return MoveTo(target);
    if (fs::exists(target, ec))
        return MoveTo(Clean(target).parent_path());
    return false;
}

std::vector<fs::path> CFolderBrowser::Places()
{
    std::vector<fs::path> places{"/"};
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        places.emplace_back(home);
    for (const auto& mount : MediaMounts())
        if (std::find(places.begin(), places.end(), mount) == places.end())
            places.push_back(mount);
    return places;
}

int CFolderBrowser::PlaceOf(const std::vector<fs::path>& places, const fs::path& folder)
{
    int place = -1;
    std::size_t longest = 0;
    const std::string text = folder.string();
    for (std::size_t i = 0; i < places.size(); ++i) {
        const std::string start = places[i].string();
        const bool inside = text == start || text.starts_with(start.ends_with('/') ? start : start + "/");
        if (inside && (place < 0 || start.size() > longest)) {
            place = static_cast<int>(i);
            longest = start.size();
        }
    }
    return place;
}
