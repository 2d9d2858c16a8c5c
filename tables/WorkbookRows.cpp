#include "tables/WorkbookRows.h"

#include "tables/SheetRows.h"
#include "tables/TextEncoding.h"

bool CWorkbookRows::Next(std::vector<std::string_view>& cells, bool& lostCharacters)
{
    if (!m_rows.Next(m_row))
        return false;
    const std::size_t count = m_row.cells.size();
    if (m_converted.size() < count)
        m_converted.resize(count);
    cells.resize(count);
    std::size_t lost = 0;
    for (std::size_t i = 0; i < count; ++i)
        cells[i] = AsCp1252(m_row.cells[i], m_converted[i], lost);
    m_replacedCharacters += lost;
    lostCharacters = lost != 0;
    return true;
}
