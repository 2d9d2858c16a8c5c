#include "tables/WorkbookRows.h"

#include "tables/TextEncoding.h"

bool CWorkbookRows::Next(std::vector<std::string>& cells, bool& lostCharacters)
{
    if (m_next == m_rows.size())
        return false;
    CWorkbook::Row& row = m_rows[m_next++];
    m_number = row.number;
    lostCharacters = false;
    cells.clear();
    for (std::string& cell : row.cells) {
        DecodedText decoded = DecodeText(std::move(cell), TextEncoding::utf8);
        lostCharacters = lostCharacters || decoded.replacedCharacters != 0;
        m_replacedCharacters += decoded.replacedCharacters;
        cells.push_back(std::move(decoded.text));
    }
    return true;
}
