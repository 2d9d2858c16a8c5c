#pragma once

#include "tables/SymbolTableReader.h"

#include <optional>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

// The options of the commands that read a symbol table, for what the
// reader would otherwise detect: --sheet, --separator, --encoding,
// --columns, --header-row.
class CTableOptions {
public:
    void AddTo(CLI::App& command);
    // What was given; nothing after a refusal said on stderr in the
    // command's name.
    std::optional<SymbolTableOptions> Parse(std::string_view command) const;

private:
    std::optional<ColumnMap> ParseColumns(std::string_view command) const;

    std::string m_sheet;
    std::string m_separator;
    std::string m_encoding;
    std::string m_columns;
    std::size_t m_headerRow = 0;
};
