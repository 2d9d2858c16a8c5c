#include "tables/CsvRows.h"

#include "tables/TextEncoding.h"

bool CCsvRows::Next(std::vector<std::string_view>& cells, bool& lostCharacters)
{
    if (!m_reader.NextRaw(m_fields))
        return false;
    const std::size_t count = m_fields.size();
    if (m_unquoted.size() < count) {
        m_unquoted.resize(count);
        m_converted.resize(count);
    }
    cells.resize(count);
    std::size_t lost = 0;
    for (std::size_t i = 0; i < count; ++i) {
        // Converted before the quotes are taken off, as the whole text would
        // be: a sequence cut short ends at the quote that follows it.
        const std::string_view field = m_utf8 ? AsCp1252(m_fields[i], m_converted[i], lost) : m_fields[i];
        cells[i] = CCsvReader::Unquoted(field, m_unquoted[i]);
    }
    m_replacedCharacters += lost;
    lostCharacters = m_utf8 ? lost != 0 : LinesLostCharacters();
    return true;
}

bool CCsvRows::LinesLostCharacters()
{
    const auto& lines = m_replacedLines;
    while (m_nextReplaced < lines.size() && lines[m_nextReplaced] < m_reader.FirstLine())
        ++m_nextReplaced;
    return m_nextReplaced < lines.size() && lines[m_nextReplaced] <= m_reader.LastLine();
}
