#include "tables/TableError.h"

#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"

std::string CTableError::PlaceText() const
{
    if (!m_cell.empty())
        return FormatText(CStringTable::Get(ids::kTableCell), {m_cell});
    if (m_row > 0)
        return FormatText(CStringTable::Get(ids::kTableRow), {static_cast<int>(m_row)});
    return {};
}
