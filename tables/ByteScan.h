#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Searches through large tables eight bytes at a time: a symbol table of a
// million rows is mostly ASCII text between a few separators, and looking
// at each byte on its own costs more than everything done with the fields.
namespace byte_scan {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Eight bytes, the first in the lowest bits.
inline std::uint64_t Word(const char* at)
{
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word;
}

// The high bit of each byte of `word` that equals `byte`, each byte on its
// own (no carry runs from one byte into the next).
inline std::uint64_t Matches(std::uint64_t word, char byte)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

inline std::size_t FirstMarked(std::uint64_t marks)
{
    return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
}

// Searches [from, limit) word by word for a byte `marks` marks (its high
// bit set in the word `marks` returns); the last few bytes are read as the
// word that ends at `limit`, with the bytes already searched masked off.
template <class Marks>
std::size_t FindMarked(std::string_view text, std::size_t from, std::size_t limit, Marks marks)
{
    std::size_t pos = from;
    for (; pos + 8 <= limit; pos += 8)
        if (const std::uint64_t found = marks(Word(text.data() + pos)))
            return pos + FirstMarked(found);
    if (pos == limit)
        return limit;
    if (limit >= 8) {
        const std::size_t base = limit - 8;
        const std::uint64_t found = marks(Word(text.data() + base)) & (~std::uint64_t(0) << (8 * (pos - base)));
        return found ? base + FirstMarked(found) : limit;
    }
    for (; pos < limit; ++pos)
        if (marks(static_cast<unsigned char>(text[pos])) & 0x80)
            return pos;
    return limit;
}

// The first byte at or after `from` that is not ASCII; text.size() if none.
inline std::size_t FindNonAscii(std::string_view text, std::size_t from)
{
    return FindMarked(text, from, text.size(), [](std::uint64_t word) { return word & kHighBits; });
}

inline bool IsAscii(std::string_view text)
{
    return FindNonAscii(text, 0) == text.size();
}

// The first of three bytes (none of them NUL) at or after `from`, before
// `limit`; `limit` if there is none.
inline std::size_t FindAnyOf(std::string_view text, std::size_t from, std::size_t limit, char a, char b, char c)
{
    return FindMarked(text, from, limit,
                      [=](std::uint64_t word) { return Matches(word, a) | Matches(word, b) | Matches(word, c); });
}

} // namespace byte_scan
