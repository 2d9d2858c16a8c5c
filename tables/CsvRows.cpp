#include "tables/CsvRows.h"

bool CCsvRows::Next(std::vector<std::string_view>& cells, bool& lostCharacters)
{
    if (!m_reader.NextRaw(m_fields))
        return false;
    const std::size_t count = m_fields.size();
    if (m_unquoted.size() < count)
        m_unquoted.resize(count);
    cells.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        cells[i] = CCsvReader::Unquoted(m_fields[i], m_unquoted[i]);
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
