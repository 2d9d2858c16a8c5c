#pragma once

#include "tables/TableConversion.h"
#include "tables/Workbook.h"

// The rows of a worksheet as rows of a table, their UTF-8 cells converted
// to Windows-1252 where they are not ASCII; the characters lost on the way
// are counted.
class CWorkbookRows : public IRowSource {
public:
    CWorkbookRows(std::vector<CWorkbook::Row> rows, std::size_t& replacedCharacters)
        : m_rows(std::move(rows)), m_replacedCharacters(replacedCharacters) {}

    bool Next(std::vector<std::string_view>& cells, bool& lostCharacters) override;
    std::size_t Row() const override { return m_number; }

private:
    std::vector<CWorkbook::Row> m_rows;
    std::size_t& m_replacedCharacters;
    std::size_t m_next = 0;
    std::size_t m_number = 0;
    std::vector<std::string> m_converted;
};
