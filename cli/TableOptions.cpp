#include "cli/TableOptions.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <iostream>
#include <sstream>

void CTableOptions::AddTo(CLI::App& command)
{
    command.add_option("--sheet", m_sheet, "Worksheet of a workbook (default: the first)");
    command.add_option("--separator", m_separator, "Field separator of a table: ';', ',' or tab (default: detected)");
    command.add_option("--encoding", m_encoding, "utf-8, utf-16 or windows-1252 (default: detected)");
    command.add_option("--columns", m_columns,
                       "Columns of a table, 1-based: address=N,symbol=N,comment=N (default: by header or content)");
    command.add_option("--header-row", m_headerRow, "Row of a table's header, 1-based (default: detected)")
        ->check(CLI::PositiveNumber);
}

std::optional<SymbolTableOptions> CTableOptions::Parse(std::string_view command) const
{
    SymbolTableOptions options;
    options.sheet = m_sheet;
    if (!m_separator.empty()) {
        if (m_separator != ";" && m_separator != "," && m_separator != "tab" && m_separator != "\t") {
            std::cerr << "morawin-cli " << command << ": --separator takes ';', ',' or tab, not \"" << m_separator << "\"\n";
            return std::nullopt;
        }
        options.separator = m_separator.size() == 1 ? m_separator[0] : '\t';
    }
    if (!m_encoding.empty()) {
        options.encoding = EncodingFromName(m_encoding);
        if (!options.encoding) {
            std::cerr << "morawin-cli " << command << ": --encoding takes utf-8, utf-16 or windows-1252, not \""
                      << m_encoding << "\"\n";
            return std::nullopt;
        }
    }
    if (m_headerRow != 0)
        options.headerRow = m_headerRow;
    if (!m_columns.empty()) {
        options.columns = ParseColumns(command);
        if (!options.columns)
            return std::nullopt;
    }
    return options;
}

// address=N,symbol=N,comment=N in any order; address is needed.
std::optional<ColumnMap> CTableOptions::ParseColumns(std::string_view command) const
{
    ColumnMap map;
    std::istringstream parts(m_columns);
    std::string part;
    while (std::getline(parts, part, ',')) {
        const auto equals = part.find('=');
        const std::string name = part.substr(0, equals);
        int number = 0;
        const char* end = part.data() + part.size();
        const bool numeric = equals != std::string::npos
                          && std::from_chars(part.data() + equals + 1, end, number).ptr == end && number > 0;
        int* slot = name == "address" ? &map.address : name == "symbol" ? &map.symbol : name == "comment" ? &map.comment : nullptr;
        if (!slot || !numeric) {
            std::cerr << "morawin-cli " << command << ": --columns takes address=N,symbol=N,comment=N, not \""
                      << m_columns << "\"\n";
            return std::nullopt;
        }
        *slot = number - 1;
    }
    if (map.address < 0) {
        std::cerr << "morawin-cli " << command << ": --columns needs address=N\n";
        return std::nullopt;
    }
    return map;
}
