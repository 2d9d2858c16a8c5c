#pragma once

#include "tables/ColumnMap.h"
#include "tables/SymbolTableReader.h"

#include <cstddef>
#include <string>
#include <vector>

// The rows of a table one after the other, their cells in Windows-1252:
// the records of delimited text, or the rows of a worksheet.
class IRowSource {
public:
    virtual ~IRowSource() = default;
    // The next row; false after the last. `lostCharacters` tells whether a
    // character of the row had no Windows-1252 form.
    virtual bool Next(std::vector<std::string>& cells, bool& lostCharacters) = 0;
    // The number of the row just read, 1-based, as the user counts rows.
    virtual std::size_t Row() const = 0;
};

// Turns the rows of one table into the operand lines a sequence file would
// hold for them: finds the columns (chosen, by a header, or by content),
// skips and counts the rows that name no bit, timer or counter, refuses an
// address out of range with its row.
class CTableConversion {
public:
    CTableConversion(IRowSource& rows, const SymbolTableOptions& options, SymbolTableReport& report)
        : m_rows(rows), m_options(options), m_report(report) {}

    // Throws CTableError.
    std::string Run();

private:
    struct Row {
        std::vector<std::string> cells;
        bool lostCharacters;
        std::size_t number;
    };

    std::size_t FindColumns(const std::vector<Row>& sample);
    void SetColumns(std::optional<ColumnMap> found, std::size_t headerRow);
    void AddRow(const Row& row);
    bool IsStepChainType(const std::vector<std::string>& cells, int kind) const;
    void AppendLine(int kind, unsigned number, unsigned bit, const std::vector<std::string>& cells);

    IRowSource& m_rows;
    const SymbolTableOptions& m_options;
    SymbolTableReport& m_report;
    ColumnMap m_columns;
    std::string m_lines;
    bool m_countSkipped = true;
};
