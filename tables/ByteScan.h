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

// The high bits of the bytes of `word` below `bound` (at most 0x80). Exact
// up to the lowest one set, all that is used: a borrow runs only upward
// from a byte that is below.
inline std::uint64_t Below(std::uint64_t word, std::uint64_t spreadBound)
{
    return (word - spreadBound) & ~word & kHighBits;
}

inline std::size_t FirstMarked(std::uint64_t marks)
{
    return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
}

// The first byte at or after `from` that is not ASCII; text.size() if none.
inline std::size_t FindNonAscii(std::string_view text, std::size_t from)
{
    std::size_t pos = from;
    for (; pos + 8 <= text.size(); pos += 8)
        if (const std::uint64_t high = Word(text.data() + pos) & kHighBits)
            return pos + FirstMarked(high);
    // The last few bytes as the word that ends the text, those already
    // searched masked off.
    if (pos == text.size())
        return pos;
    if (text.size() >= 8) {
        const std::size_t base = text.size() - 8;
        const std::uint64_t high = Word(text.data() + base) & kHighBits & (~std::uint64_t(0) << (8 * (pos - base)));
        return high ? base + FirstMarked(high) : text.size();
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80)
        ++pos;
    return pos;
}

// Whether any byte is below `bound` (at most 0x80): a quick test that
// tells most texts from those that need a closer look.
inline bool HasByteBelow(std::string_view text, unsigned char bound)
{
    if (text.size() < 8) {
        for (const char c : text)
            if (static_cast<unsigned char>(c) < bound)
                return true;
        return false;
    }
    const std::uint64_t spreadBound = kOnes * bound;
    for (std::size_t pos = 0; pos + 8 <= text.size(); pos += 8)
        if (Below(Word(text.data() + pos), spreadBound))
            return true;
    return Below(Word(text.data() + text.size() - 8), spreadBound) != 0;
}

// The first byte at or after `from`, before `limit`, that is `separator`
// or a control character below 0x0E (TAB, LF and CR among them); `limit`
// if there is none. The field scan of delimited text.
inline std::size_t FindSeparatorOrControl(std::string_view text, std::size_t from, std::size_t limit, char separator)
{
    const std::uint64_t spread = kOnes * static_cast<unsigned char>(separator);
    constexpr std::uint64_t kControls = kOnes * 0x0E;
    std::size_t pos = from;
    for (; pos + 8 <= limit; pos += 8) {
        const std::uint64_t word = Word(text.data() + pos);
        // The separator's bytes are those that XOR to zero, below 1.
        if (const std::uint64_t marks = Below(word ^ spread, kOnes) | Below(word, kControls))
            return pos + FirstMarked(marks);
    }
    for (; pos < limit; ++pos)
        if (text[pos] == separator || static_cast<unsigned char>(text[pos]) < 0x0E)
            return pos;
    return limit;
}

} // namespace byte_scan
