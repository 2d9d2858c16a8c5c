#pragma once

#include "tables/ColumnMap.h"
#include "tables/SymbolTableReader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The rows of a table one after the other, their cells in Windows-1252:
// the records of delimited text, or the rows of a worksheet.
class IRowSource {
public:
    virtual ~IRowSource() = default;
    // The next row; false after the last. The cells stay valid until the
    // next call. `lostCharacters` tells whether a character of the row had
    // no Windows-1252 form.
    virtual bool Next(std::vector<std::string_view>& cells, bool& lostCharacters) = 0;
    // The number of the row just read, 1-based, as the user counts rows.
    virtual std::size_t Row() const = 0;
};

// Turns the rows of one table into the operand lines a sequence file would
// hold for them: finds the columns (chosen, by a header, or by content),
// skips and counts the rows that name no bit, timer or counter, refuses an
// address out of range with its row.
class CTableConversion {
public:
    CTableConversion(IRowSource& rows, const SymbolTableOptions& options, SymbolTableReport& report);

    // The lines in operand order, those of the same operand in table
    // order: the order the sequence file sorts them into, so that its
    // entries and their texts lie in memory as the list shows them. They
    // are put together in the memory of `spare` when it holds enough:
    // `spare` is taken over only after the last row is read, so it may be
    // the text the rows come from. Throws CTableError.
    std::string Run(std::string&& spare = {});

private:
    struct Row {
        std::vector<std::string> cells;
        bool lostCharacters;
        std::size_t number;
    };

    std::size_t FindColumns(const std::vector<Row>& sample);
    void SetColumns(std::optional<ColumnMap> found, std::size_t headerRow);
    void AddRow(const std::vector<std::string_view>& cells, bool lostCharacters, std::size_t number);
    bool IsStepChainType(const std::vector<std::string_view>& cells, int kind) const;
    void AppendLine(int kind, unsigned number, unsigned bit, const std::vector<std::string_view>& cells);
    std::string InOperandOrder(std::string&& spare);

    IRowSource& m_rows;
    const SymbolTableOptions& m_options;
    SymbolTableReport& m_report;
    ColumnMap m_columns;
    bool m_countSkipped = true;
    // The kind letters come from the string table; they are looked up once.
    std::array<std::string, 6> m_letters;
    std::string m_lines;
    // The operand of each line as a small number that orders the operands
    // as their keys do, and the line's size (rows are limited far below
    // 4 GB).
    std::vector<std::uint16_t> m_lineOperands;
    std::vector<std::uint32_t> m_lineSizes;
};
