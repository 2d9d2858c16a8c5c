#pragma once

#include <string>
#include <string_view>

// Names, extensions and type names of symbol tables compared without
// regard to case: ASCII letters only, whatever the C library's locale.
inline std::string AsciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}
