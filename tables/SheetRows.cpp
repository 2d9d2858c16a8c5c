#include "tables/SheetRows.h"

#include "tables/PartStream.h"
#include "tables/TableError.h"
#include "tables/XmlNames.h"

namespace {

// "BC12" -> column 54 (0-based); -1 for a reference without letters.
long ColumnOf(const char* reference)
{
    long column = 0;
    bool letters = false;
    for (; *reference >= 'A' && *reference <= 'Z'; ++reference) {
        column = column * 26 + (*reference - 'A' + 1);
        letters = true;
        if (column > 16384)
            return -1;
    }
    return letters ? column - 1 : -1;
}

} // namespace

CSheetRows::CSheetRows(std::unique_ptr<CPartStream> part, const CWorkbook& workbook)
    : m_part(std::move(part)), m_rows(*m_part, {"worksheet", "sheetData"}, "row"), m_workbook(workbook)
{
}

CSheetRows::~CSheetRows() = default;

bool CSheetRows::Next(CWorkbook::Row& row)
{
    for (pugi::xml_node node = m_rows.Next(); node; node = m_rows.Next()) {
        row.number = node.attribute("r").as_ullong(m_lastNumber + 1);
        row.cells.clear();
        for (pugi::xml_node cell : node.children())
            if (xml_names::Is(cell, "c"))
                ReadCell(cell, row);
        if (!row.cells.empty()) {
            m_lastNumber = row.number;
            return true;
        }
    }
    return false;
}

void CSheetRows::ReadCell(const pugi::xml_node& cell, CWorkbook::Row& row) const
{
    const char* reference = cell.attribute("r").value();
    const long column = *reference ? ColumnOf(reference) : static_cast<long>(row.cells.size());
    if (column < 0)
        throw CTableError(std::string("the cell reference \"") + reference + "\" is damaged", row.number, reference);
    if (row.cells.size() <= static_cast<std::size_t>(column))
        row.cells.resize(static_cast<std::size_t>(column) + 1);
    std::string& text = row.cells[static_cast<std::size_t>(column)];
    const std::string type = cell.attribute("t").value();
    if (type == "s") {
        const pugi::xml_text index = xml_names::Child(cell, "v").text();
        const unsigned long long shared = index.as_ullong(~0ull);
        if (shared >= m_workbook.SharedStringCount())
            throw CTableError("the cell " + std::string(reference) + " names shared string " + index.get()
                                  + ", which the workbook does not have",
                              row.number, reference);
        text = m_workbook.SharedString(static_cast<std::size_t>(shared));
    } else if (type == "inlineStr") {
        text.clear();
        xml_names::AppendItemText(xml_names::Child(cell, "is"), text);
    } else {
        text = xml_names::Child(cell, "v").text().get();
    }
}
