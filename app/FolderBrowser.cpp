#include "app/FolderBrowser.h"

#include "app/ShellPlatform.h"
#include "data/Platform.h"

#include <algorithm>

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

bool IsSeparator(char c)
{
    return c == '/' || c == static_cast<char>(fs::path::preferred_separator);
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
    if (!shell_platform::CanEnter(clean))
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
    return MoveTo(m_folder / platform::PathFromUtf8(entry));
}

bool CFolderBrowser::Go(const std::string& typed)
{
    if (typed.empty())
        return false;
    const fs::path path = platform::PathFromUtf8(typed);
    const fs::path target = path.is_absolute() ? path : m_folder / path;
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return MoveTo(target);
    if (fs::exists(target, ec))
        return MoveTo(Clean(target).parent_path());
    return false;
}

std::vector<fs::path> CFolderBrowser::Places()
{
    return shell_platform::Places();
}

int CFolderBrowser::PlaceOf(const std::vector<fs::path>& places, const fs::path& folder)
{
    int place = -1;
    std::size_t longest = 0;
    const std::string text = folder.string();
    for (std::size_t i = 0; i < places.size(); ++i) {
        const std::string start = places[i].string();
        const bool inside = text == start
            || (text.starts_with(start)
                && (IsSeparator(start.back()) || IsSeparator(text[start.size()])));
        if (inside && (place < 0 || start.size() > longest)) {
            place = static_cast<int>(i);
            longest = start.size();
        }
    }
    return place;
}
