#include "tables/ColumnMap.h"

#include "tables/AsciiLower.h"
#include "tables/OperandAddress.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string_view>

namespace {

std::string Normalized(const std::string& name)
{
    std::string out = AsciiLower(name);
    std::erase_if(out, [](char c) { return c == ' ' || c == '\t'; });
    return out;
}

bool Names(const std::string& normalized, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), normalized) != names.end();
}

bool IsAddress(const std::string& cell)
{
    return ParseOperandAddress(cell).what != OperandAddress::Class::none;
}

std::size_t Count(const std::vector<std::vector<std::string>>& rows, std::size_t column, bool (*test)(const std::string&))
{
    return static_cast<std::size_t>(std::count_if(rows.begin(), rows.end(), [&](const auto& row) {
        return column < row.size() && test(row[column]);
    }));
}

bool IsText(const std::string& cell)
{
    return !cell.empty() && !IsAddress(cell);
}

} // namespace

std::optional<ColumnMap> ColumnMap::FromHeader(const std::vector<std::string>& header)
{
    ColumnMap map;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = Normalized(header[i]);
        int* slot = Names(name, {"adresse", "operand", "address", "logicaladdress"}) ? &map.address
                  : Names(name, {"symbol", "name"})                                   ? &map.symbol
                  : Names(name, {"kommentar", "beschreibung", "comment", "description"}) ? &map.comment
                  : Names(name, {"datentyp", "datatype"})                            ? &map.dataType
                                                                                     : nullptr;
        if (slot && *slot < 0)
            *slot = static_cast<int>(i);
    }
    if (map.address < 0)
        return std::nullopt;
    return map;
}

std::optional<ColumnMap> ColumnMap::Guess(const std::vector<std::vector<std::string>>& rows)
{
    std::size_t columns = 0;
    for (const auto& row : rows)
        columns = std::max(columns, row.size());
    ColumnMap map;
    std::size_t best = 0;
    for (std::size_t column = 0; column < columns; ++column) {
        const std::size_t addresses = Count(rows, column, IsAddress);
        if (addresses > best) {
            best = addresses;
            map.address = static_cast<int>(column);
        }
    }
    if (map.address < 0 || best * 2 <= rows.size())
        return std::nullopt;
    const auto holdsText = [&](int column) { return Count(rows, static_cast<std::size_t>(column), IsText) * 2 > rows.size(); };
    for (int column = 0; column < map.address && map.symbol < 0; ++column)
        if (holdsText(column))
            map.symbol = column;
    const int next = map.address + 1;
    if (map.symbol >= 0) {
        map.comment = next < static_cast<int>(columns) ? next : -1;
    } else {
        map.symbol = next < static_cast<int>(columns) ? next : -1;
        map.comment = next + 1 < static_cast<int>(columns) ? next + 1 : -1;
    }
    return map;
}
