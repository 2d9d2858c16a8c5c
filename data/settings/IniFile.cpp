#include "data/settings/IniFile.h"

#include "data/records/AtomicFile.h"
#include "data/records/FileException.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <span>
#include <sstream>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// "[name]" → name; nullopt for other lines.
std::optional<std::string> SectionName(std::string_view line)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(Trim(line.substr(1, close - 1)));
}

} // namespace

bool CIniFile::Load(const std::filesystem::path& file)
{
    m_lines.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    m_newline = text.find("\r\n") != std::string::npos || text.find('\n') == std::string::npos ? "\r\n" : "\n";
    m_endsWithNewline = text.empty() || text.back() == '\n';

    std::string section;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        start = end + 1;

        Line line{raw, section, false, {}};
        if (auto name = SectionName(raw)) {
            section = *name;
            line.section = section;
        } else {
            const std::string_view trimmed = Trim(raw);
            const auto eq = trimmed.find('=');
            if (!trimmed.empty() && trimmed.front() != ';' && eq != std::string_view::npos) {
                line.isKey = true;
                line.key = std::string(Trim(trimmed.substr(0, eq)));
            }
        }
        m_lines.push_back(std::move(line));
    }
    return true;
}

bool CIniFile::Save(const std::filesystem::path& file) const
{
    const std::string text = ToText();
    try {
        CAtomicFile::Write(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    } catch (const CFileException&) {
        return false;
    }
    return true;
}

std::string CIniFile::ToText() const
{
    std::string text;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        text += m_lines[i].text;
        if (i + 1 < m_lines.size() || m_endsWithNewline)
            text += m_newline;
    }
    return text;
}

std::vector<CIniFile::Line>::const_iterator CIniFile::FindKey(std::string_view section, std::string_view key) const
{
    return std::find_if(m_lines.begin(), m_lines.end(), [&](const Line& line) {
        return line.isKey && EqualNoCase(line.section, section) && EqualNoCase(line.key, key);
    });
}

std::optional<std::string> CIniFile::GetString(std::string_view section, std::string_view key) const
{
    const auto it = FindKey(section, key);
    if (it == m_lines.end())
        return std::nullopt;
    std::string_view value = Trim(std::string_view(it->text).substr(it->text.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

int CIniFile::GetInt(std::string_view section, std::string_view key, int fallback) const
{
    const auto value = GetString(section, key);
    if (!value || value->empty())
        return fallback;
    std::size_t pos = 0;
    while (pos < value->size() && IsBlank((*value)[pos]))
        ++pos;
    bool negative = false;
    if (pos < value->size() && ((*value)[pos] == '+' || (*value)[pos] == '-'))
        negative = (*value)[pos++] == '-';
    std::uint32_t number = 0;
    for (; pos < value->size() && std::isdigit(static_cast<unsigned char>((*value)[pos])); ++pos)
        number = number * 10u + static_cast<std::uint32_t>((*value)[pos] - '0');
    return static_cast<int>(negative ? 0u - number : number);
}

std::size_t CIniFile::EndOfSection(std::string_view section) const
{
    // After the last key of the section, or after its header when it has
    // none; blank lines and comments that close the section stay below.
    std::size_t end = m_lines.size();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (!EqualNoCase(m_lines[i].section, section))
            continue;
        if (m_lines[i].isKey || SectionName(m_lines[i].text))
            end = i + 1;
    }
    return end;
}

void CIniFile::SetString(std::string_view section, std::string_view key, std::string_view value)
{
    const auto it = FindKey(section, key);
    if (it != m_lines.end()) {
        auto& line = m_lines[static_cast<std::size_t>(it - m_lines.begin())];
        line.text = line.key + "=" + std::string(value);
        return;
    }
    const bool hasSection = std::any_of(m_lines.begin(), m_lines.end(), [&](const Line& line) {
        return EqualNoCase(line.section, section) && SectionName(line.text);
    });
    Line entry{std::string(key) + "=" + std::string(value), std::string(section), true, std::string(key)};
    if (!hasSection) {
        if (!m_lines.empty() && !Trim(m_lines.back().text).empty())
            m_lines.push_back(Line{"", m_lines.back().section, false, {}});
        m_lines.push_back(Line{"[" + std::string(section) + "]", std::string(section), false, {}});
        m_lines.push_back(std::move(entry));
        m_endsWithNewline = true;
        return;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(EndOfSection(section)), std::move(entry));
}

bool CIniFile::HasKeys(std::string_view section) const
{
    return std::any_of(m_lines.begin(), m_lines.end(),
                       [section](const Line& line) { return line.isKey && EqualNoCase(line.section, section); });
}

void CIniFile::RemoveKey(std::string_view section, std::string_view key)
{
    const auto it = FindKey(section, key);
    if (it != m_lines.end())
        m_lines.erase(it);
}
