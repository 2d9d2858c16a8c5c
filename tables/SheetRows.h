#pragma once

#include "tables/Workbook.h"
#include "tables/XmlItemStream.h"

#include <cstddef>
#include <memory>

class CPartStream;

// The rows of one worksheet, read one by one from its part as it unpacks.
class CSheetRows {
public:
    CSheetRows(std::unique_ptr<CPartStream> part, const CWorkbook& workbook);
    ~CSheetRows();
    CSheetRows(const CSheetRows&) = delete;
    CSheetRows& operator=(const CSheetRows&) = delete;

    // The next row that holds a cell, into `row`; false after the last.
    // Throws CTableError for a damaged sheet, naming the cell where there
    // is one.
    bool Next(CWorkbook::Row& row);

private:
    void ReadCell(const pugi::xml_node& cell, CWorkbook::Row& row) const;

    std::unique_ptr<CPartStream> m_part;
    CXmlItemStream m_rows;
    const CWorkbook& m_workbook;
    // The number of the last row handed out; a row without one follows it.
    std::size_t m_lastNumber = 0;
};
