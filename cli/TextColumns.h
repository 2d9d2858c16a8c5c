#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Columns of the text tables. The texts are UTF-8 and a column's width
// counts the characters shown: "ä€1" is three wide, though six bytes long.
namespace text_columns {

std::size_t DisplayWidth(std::string_view utf8);
// `utf8` followed by spaces up to `width` characters; longer texts stay.
std::string Padded(std::string utf8, std::size_t width);

} // namespace text_columns
