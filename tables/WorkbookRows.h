#pragma once

#include "tables/TableConversion.h"
#include "tables/Workbook.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CSheetRows;

// The rows of a worksheet as rows of a table, their UTF-8 cells converted
// to Windows-1252 where they are not ASCII; the characters lost on the way
// are counted.
class CWorkbookRows : public IRowSource {
public:
    CWorkbookRows(CSheetRows& rows, std::size_t& replacedCharacters) : m_rows(rows), m_replacedCharacters(replacedCharacters)
    {
    }

    bool Next(std::vector<std::string_view>& cells, bool& lostCharacters) override;
    std::size_t Row() const override { return m_row.number; }

private:
    CSheetRows& m_rows;
    std::size_t& m_replacedCharacters;
    CWorkbook::Row m_row;
    std::vector<std::string> m_converted;
};
