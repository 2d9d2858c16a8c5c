#pragma once

#include "tables/ColumnMap.h"
#include "tables/SymbolTableReader.h"

#include <cstddef>
#include <string>
#include <vector>

// The first rows of a table or worksheet as the columns dialog shows them,
// read with the options chosen so far (detected where none is chosen).
struct TablePreview {
    SymbolTableForm form = SymbolTableForm::table;
    TextEncoding encoding = TextEncoding::windows1252;
    char separator = ';';
    std::vector<std::string> sheets; // a workbook's, in its order
    std::string sheet;
    // Cells as UTF-8, the first `rows` rows of the file or sheet.
    std::vector<std::vector<std::string>> rows;
    std::size_t columnCount = 0;
    // The columns the reader would take: from the header, or guessed.
    std::optional<ColumnMap> columns;
    // The row that names the columns (1-based), 0 when none does.
    std::size_t headerRow = 0;

    // Throws CTableError as the reader would.
    static TablePreview Of(const std::string& content, SymbolTableForm form, const SymbolTableOptions& options,
                           std::size_t rows = 20);
};
