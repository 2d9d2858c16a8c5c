#include "tables/WorkbookRows.h"

#include "tables/ByteScan.h"
#include "tables/SheetRows.h"
#include "tables/TextEncoding.h"

bool CWorkbookRows::Next(std::vector<std::string_view>& cells, bool& lostCharacters)
{
    if (!m_rows.Next(m_row))
        return false;
    const CWorkbook::Row& row = m_row;
    lostCharacters = false;
    const std::size_t count = row.cells.size();
    if (m_converted.size() < count)
        m_converted.resize(count);
    cells.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        cells[i] = row.cells[i];
        if (byte_scan::IsAscii(cells[i]))
            continue;
        const std::size_t lost = ConvertUtf8(cells[i], m_converted[i]);
        lostCharacters = lostCharacters || lost != 0;
        m_replacedCharacters += lost;
        cells[i] = m_converted[i];
    }
    return true;
}
