#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reads a decimal number the way the C library's strtoul(text, &end, 10)
// does on the platform the files come from, where unsigned long has 32 bits:
// leading white space (space, \t \n \v \f \r) and one sign are accepted, a
// minus negates modulo 2^32, and a value past 4294967295 gives 4294967295
// whatever the sign. `consumed` is the number of characters read, 0 when no
// digit was found (the result is then 0). Linux's strtoul has 64 bits and
// gives other results above 2^32, hence this reader.
std::uint32_t ParseUnsigned32(std::string_view text, std::size_t& consumed);
