#include "cli/TextColumns.h"

namespace text_columns {

std::size_t DisplayWidth(std::string_view utf8)
{
    // Every character starts with one byte that is not a continuation byte
    // (10xxxxxx); the texts shown are Latin, one column each.
    std::size_t width = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++width;
    return width;
}

std::string Padded(std::string utf8, std::size_t width)
{
    const std::size_t shown = DisplayWidth(utf8);
    if (shown < width)
        utf8.append(width - shown, ' ');
    return utf8;
}

} // namespace text_columns
