#include "app/dialogs/FolderBrowser.h"

#include "app/platform/ShellPlatform.h"

#include <algorithm>
#include <type_traits>

namespace fs = std::filesystem;

namespace {

// Names compare by their code units without regard to ASCII case, so that
// names with umlauts follow the ASCII ones on every system.
bool LessIgnoringCase(const fs::path& a, const fs::path& b)
{
    const auto& x = a.native();
    const auto& y = b.native();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](auto p, auto q) {
        const auto lower = [](auto c) {
            const auto unit = static_cast<std::make_unsigned_t<decltype(c)>>(c);
            return unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit;
        };
        return lower(p) < lower(q);
    });
}

bool IsSeparator(fs::path::value_type c)
{
    return c == '/' || c == fs::path::preferred_separator;
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

std::vector<fs::path> CFolderBrowser::GetEntries() const
{
    std::vector<fs::path> names;
    std::error_code ec;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        fs::path name = it->path().filename();
        if (!name.native().starts_with('.') && it->is_directory(ec))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    if (m_folder.has_relative_path())
        names.insert(names.begin(), kParent);
    return names;
}

bool CFolderBrowser::Enter(const fs::path& entry)
{
    if (entry == kParent)
        return m_folder.has_relative_path() && MoveTo(m_folder.parent_path());
    // One name, no path.
    if (entry.empty() || entry != entry.filename())
        return false;
    return MoveTo(m_folder / entry);
}

bool CFolderBrowser::Go(const fs::path& typed)
{
    if (typed.empty())
        return false;
    const fs::path target = typed.is_absolute() ? typed : m_folder / typed;
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
    const auto& text = folder.native();
    for (std::size_t i = 0; i < places.size(); ++i) {
        const auto& start = places[i].native();
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
