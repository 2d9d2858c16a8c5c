#include "app/document/ColumnChoices.h"

#include "data/text/NumberText.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr char kSection[] = "Spalten";

std::string EncodingKey(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::windows1252: return "windows-1252";
    case TextEncoding::utf8: return "utf-8";
    case TextEncoding::utf16le: return "utf-16le";
    case TextEncoding::utf16be: return "utf-16be";
    }
    return "windows-1252";
}

// "-1" and the unsigned numbers the format writes.
std::optional<int> Number(const std::string& text)
{
    if (text == "-1")
        return -1;
    std::size_t consumed = 0;
    const std::uint32_t value = ParseUnsigned32(text, consumed);
    if (text.empty() || consumed != text.size() || text[0] < '0' || text[0] > '9' || value > 1000000)
        return std::nullopt;
    return static_cast<int>(value);
}

bool ReadColumns(const std::string& text, ColumnMap& columns)
{
    int* const targets[] = {&columns.address, &columns.symbol, &columns.comment};
    std::size_t start = 0;
    for (int* target : targets) {
        const std::size_t end = text.find(',', start);
        const auto value = Number(text.substr(start, end == std::string::npos ? end : end - start));
        if (!value)
            return false;
        *target = *value;
        if (end == std::string::npos)
            return target == targets[2];
        start = end + 1;
    }
    return false;
}

bool ReadPart(const std::string& name, const std::string& value, SymbolTableOptions& options)
{
    if (name == "sep") {
        const auto code = Number(value);
        if (!code || (*code != ';' && *code != ',' && *code != '\t'))
            return false;
        options.separator = static_cast<char>(*code);
    } else if (name == "enc") {
        options.encoding = EncodingFromName(value);
        return options.encoding.has_value();
    } else if (name == "head") {
        const auto row = Number(value);
        if (!row || *row <= 0)
            return false;
        options.headerRow = static_cast<std::size_t>(*row);
    } else if (name == "cols") {
        ColumnMap columns;
        if (!ReadColumns(value, columns))
            return false;
        options.columns = columns;
    } else {
        return false;
    }
    return true;
}

} // namespace

std::string CColumnChoices::Key(const std::vector<std::string>& header)
{
    // FNV-1a over the cells, each ended by a byte no cell holds.
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::string& cell : header)
        for (unsigned char c : cell + '\x1f') {
            hash ^= c;
            hash *= 1099511628211ull;
        }
    char key[24];
    std::snprintf(key, sizeof key, "Kopf%016llx", static_cast<unsigned long long>(hash));
    return key;
}

std::string CColumnChoices::Format(const SymbolTableOptions& options)
{
    std::string text;
    const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ";") + part; };
    if (options.separator)
        add("sep=" + std::to_string(static_cast<int>(*options.separator)));
    if (options.encoding)
        add("enc=" + EncodingKey(*options.encoding));
    if (options.headerRow)
        add("head=" + std::to_string(*options.headerRow));
    if (options.columns)
        add("cols=" + std::to_string(options.columns->address) + "," + std::to_string(options.columns->symbol) + ","
            + std::to_string(options.columns->comment));
    if (!options.sheet.empty())
        add("sheet=" + options.sheet);
    return text;
}

std::optional<SymbolTableOptions> CColumnChoices::Parse(const std::string& text)
{
    SymbolTableOptions options;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t equals = text.find('=', start);
        if (equals == std::string::npos)
            return std::nullopt;
        const std::string name = text.substr(start, equals - start);
        if (name == "sheet") {
            options.sheet = text.substr(equals + 1);
            break;
        }
        const std::size_t end = text.find(';', equals);
        const std::string value = text.substr(equals + 1, end == std::string::npos ? end : end - equals - 1);
        if (!ReadPart(name, value, options))
            return std::nullopt;
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return options;
}

CColumnChoices::CColumnChoices(std::filesystem::path settingsFile) : m_file(std::move(settingsFile))
{
    m_settings.Load(m_file);
}

bool CColumnChoices::IsEmpty() const
{
    return !m_settings.HasKeys(kSection);
}

std::optional<SymbolTableOptions> CColumnChoices::Find(const std::vector<std::string>& header) const
{
    const auto text = m_settings.GetString(kSection, Key(header));
    return text ? Parse(*text) : std::nullopt;
}

bool CColumnChoices::Remember(const std::vector<std::string>& header, const SymbolTableOptions& options) const
{
    if (m_file.empty())
        return false;
    CIniFile settings;
    settings.Load(m_file);
    settings.SetString(kSection, Key(header), Format(options));
    return settings.Save(m_file);
}
