#include "app/frames/RecentFileList.h"

#include "data/settings/IniFile.h"
#include "data/platform/Platform.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMenuPathLength = 40;

// "&" is the menus' mnemonic mark; a path's own "&" is doubled.
std::string DoubleAmpersands(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

} // namespace

void CRecentFileList::Add(const fs::path& file)
{
    const fs::path normal = file.lexically_normal();
    std::erase(m_files, normal);
    m_files.insert(m_files.begin(), normal);
    std::erase(m_added, normal);
    m_added.insert(m_added.begin(), normal);
    std::erase(m_removed, normal);
    if (m_files.size() > m_capacity)
        m_files.resize(m_capacity);
}

void CRecentFileList::Remove(std::size_t index)
{
    if (index >= m_files.size())
        return;
    std::erase(m_added, m_files[index]);
    m_removed.push_back(m_files[index]);
    m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<fs::path> CRecentFileList::MergedWith(const std::vector<fs::path>& stored) const
{
    std::vector<fs::path> merged;
    const auto take = [&](const fs::path& file) {
        const bool removed = std::find(m_removed.begin(), m_removed.end(), file) != m_removed.end();
        if (!removed && merged.size() < m_capacity && std::find(merged.begin(), merged.end(), file) == merged.end())
            merged.push_back(file);
    };
    for (const fs::path& file : m_added)
        take(file);
    for (const fs::path& file : stored)
        take(file.lexically_normal());
    for (const fs::path& file : m_files)
        take(file);
    return merged;
}

std::string CRecentFileList::KeyName(std::size_t index)
{
    return "File" + std::to_string(index + 1);
}

void CRecentFileList::Load(const CIniFile& ini)
{
    m_files.clear();
    m_added.clear();
    m_removed.clear();
    for (std::size_t i = 0; i < m_capacity; ++i) {
        const auto value = ini.GetString(kSection, KeyName(i));
        if (value && !value->empty() && m_files.size() < m_capacity)
            m_files.push_back(platform::PathFromUtf8(*value));
    }
}

void CRecentFileList::Save(CIniFile& ini) const
{
    for (std::size_t i = 0; i < m_capacity; ++i) {
        if (i < m_files.size())
            ini.SetString(kSection, KeyName(i), platform::PathToUtf8(m_files[i]));
        else
            ini.RemoveKey(kSection, KeyName(i));
    }
}

void CRecentFileList::LoadFrom(const fs::path& settingsFile)
{
    CIniFile ini;
    ini.Load(settingsFile);
    Load(ini);
}

bool CRecentFileList::SaveTo(const fs::path& settingsFile) const
{
    // Read again right before writing: the configuration dialog or another
    // running program may have changed the file since start-up.
    CIniFile ini;
    ini.Load(settingsFile);
    CRecentFileList stored(m_capacity);
    stored.Load(ini);
    stored.m_files = MergedWith(stored.m_files);
    stored.Save(ini);
    std::error_code ec;
    if (settingsFile.has_parent_path())
        fs::create_directories(settingsFile.parent_path(), ec);
    return ini.Save(settingsFile);
}

std::string CRecentFileList::Abbreviate(const fs::path& file, std::size_t maxLength)
{
    // As the system spells the path: its own separators (Windows takes the
    // slash as well but names paths with backslashes), its names in UTF-8.
    const fs::path spelled = fs::path(file).make_preferred();
    const std::string full = platform::PathToUtf8(spelled);
    if (full.size() <= maxLength)
        return full;
    std::vector<std::string> parts;
    for (const auto& part : spelled.relative_path())
        parts.push_back(platform::PathToUtf8(part));
    if (parts.empty())
        return full;
    const std::string root = platform::PathToUtf8(spelled.root_path());
    const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
    const std::string ellipsis = "...";
    // Keep the first folder and as many trailing parts as fit.
    const std::string head = parts.size() > 1 ? root + parts.front() + separator : root;
    std::string tail = parts.back();
    for (std::size_t i = parts.size() - 1; i-- > 1;) {
        const std::string longer = parts[i] + separator + tail;
        if (head.size() + ellipsis.size() + 1 + longer.size() > maxLength)
            break;
        tail = longer;
    }
    const std::string shortened = head + ellipsis + separator + tail;
    return shortened.size() < full.size() ? shortened : full;
}

std::string CRecentFileList::MenuLabel(std::size_t index, const fs::path& file)
{
    return "&" + std::to_string(index + 1) + " " + DoubleAmpersands(Abbreviate(file, kMenuPathLength));
}
