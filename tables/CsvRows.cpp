#include "tables/CsvRows.h"

#include "tables/ByteScan.h"
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
    lostCharacters = false;
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view field = m_fields[i];
        // Converted before the quotes are taken off, as the whole text would
        // be: a sequence cut short ends at the quote that follows it.
        if (m_utf8 && !byte_scan::IsAscii(field)) {
            const std::size_t lost = ConvertUtf8(field, m_converted[i]);
            m_replacedCharacters += lost;
            lostCharacters = lostCharacters || lost != 0;
            field = m_converted[i];
        }
        cells[i] = CCsvReader::Unquoted(field, m_unquoted[i]);
    }
    if (!m_utf8)
        lostCharacters = LinesLostCharacters();
    return true;
}

bool CCsvRows::LinesLostCharacters()
{
    const auto& lines = m_replacedLines;
    while (m_nextReplaced < lines.size() && lines[m_nextReplaced] < m_reader.FirstLine())
        ++m_nextReplaced;
    return m_nextReplaced < lines.size() && lines[m_nextReplaced] <= m_reader.LastLine();
}
