// Workbooks: any bytes, opened as a workbook and every sheet read as a
// symbol table. Reading refuses the input with CTableError or gives the
// rows that hold cells; nothing else may happen.
#include "data/sequence/SequenceFile.h"
#include "tables/SymbolTableReader.h"
#include "tables/TableError.h"
#include "tables/Workbook.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        const CWorkbook workbook(bytes);
        for (const std::string& sheet : workbook.SheetNames()) {
            try {
                for (const CWorkbook::Row& row : workbook.Rows(sheet))
                    if (row.cells.empty())
                        std::abort();
                SymbolTableOptions options;
                options.sheet = sheet;
                CSequenceFile file("fuzz");
                CSymbolTableReader(options).Read(bytes, SymbolTableForm::workbook, file);
            } catch (const CTableError&) {
                // A damaged sheet is refused; the others are still read.
            }
        }
    } catch (const CTableError&) {
        // Not a workbook.
    }
    return 0;
}
