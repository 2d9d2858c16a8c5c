#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Which columns (0-based) of a table hold address, symbol, comment and
// data type; -1 for a column that is not there.
struct ColumnMap {
    int address = -1;
    int symbol = -1;
    int comment = -1;
    int dataType = -1;

    // From a header row: names in German or English, case and spaces
    // ignored (Adresse, Operand, Address, Logical address; Symbol, Name;
    // Kommentar, Beschreibung, Comment, Description; Datentyp, Data type).
    // Nothing when the row names no address column.
    static std::optional<ColumnMap> FromHeader(const std::vector<std::string>& header);

    // Without a header: the column whose values are addresses in most rows
    // is the address, the first text column before it the symbol and the
    // next one after it the comment (when no column before it holds text,
    // the two after it). Nothing when no column holds addresses.
    static std::optional<ColumnMap> Guess(const std::vector<std::vector<std::string>>& rows);
};
