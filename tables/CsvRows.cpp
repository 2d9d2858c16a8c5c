#include "tables/CsvRows.h"

bool CCsvRows::Next(std::vector<std::string>& cells, bool& lostCharacters)
{
    if (!m_reader.Next(cells))
        return false;
    const auto& lines = m_decoded.replacedLines;
    while (m_nextReplaced < lines.size() && lines[m_nextReplaced] < m_reader.FirstLine())
        ++m_nextReplaced;
    lostCharacters = m_nextReplaced < lines.size() && lines[m_nextReplaced] <= m_reader.LastLine();
    return true;
}
