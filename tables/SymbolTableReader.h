#pragma once

#include "tables/ColumnMap.h"
#include "tables/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class CSequenceFile;

// The forms a symbol table comes in.
enum class SymbolTableForm {
    // *.seq: the control's own operand list, one operand line each.
    sequence,
    // *.csv, *.tsv, *.txt: delimited text with a column each for address,
    // symbol and comment.
    table,
    // *.xlsx: a workbook, one of whose worksheets is such a table.
    workbook,
};

// By the file's extension: *.csv, *.tsv and *.txt are tables, *.xlsx a
// workbook, everything else a sequence file.
SymbolTableForm FormOfFile(const std::filesystem::path& path);

// What the user chose where the reader would otherwise detect.
struct SymbolTableOptions {
    std::optional<TextEncoding> encoding;
    std::optional<char> separator;
    // 1-based; the rows above it are left out.
    std::optional<std::size_t> headerRow;
    std::optional<ColumnMap> columns;
    // The worksheet of a workbook; empty for the first.
    std::string sheet;
};

// What reading found besides the operands.
struct SymbolTableReport {
    SymbolTableForm form = SymbolTableForm::sequence;
    TextEncoding encoding = TextEncoding::windows1252;
    // The separator of a table; the worksheet read from a workbook.
    char separator = 0;
    std::string sheet;
    // Rows of a table that name no bit, timer or counter.
    std::size_t skippedRows = 0;
    // Characters without a Windows-1252 form, read as "?", and the
    // operands (CSequenceEntry::SortKey) whose texts held them.
    std::size_t replacedCharacters = 0;
    std::vector<std::uint32_t> replacedOperands;
};

// Reads a symbol table of any form into a sequence file, so that the view,
// the conversion and the comparison treat every form alike: a table row
// becomes the operand line a sequence file would hold for it, and gives
// the same operand and the same texts.
class CSymbolTableReader {
public:
    explicit CSymbolTableReader(SymbolTableOptions options = {}) : m_options(std::move(options)) {}

    // Fills `file` (emptied first) from the bytes of a file. Throws
    // CTableError, leaving `file` empty.
    SymbolTableReport Read(std::string content, SymbolTableForm form, CSequenceFile& file) const;

private:
    std::string TableLines(std::string content, SymbolTableReport& report) const;
    std::string WorkbookLines(std::string content, SymbolTableReport& report) const;

    SymbolTableOptions m_options;
};
