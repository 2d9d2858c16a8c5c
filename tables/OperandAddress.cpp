#include "tables/OperandAddress.h"

#include "data/sequence/SequenceEntry.h"

#include <cctype>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The kind of an operand prefix; 0 for none. IEC prefixes (after "%") are
// I, Q, M with an optional X, T and C; the others those of sequence files
// and Q.
int KindOfPrefix(std::string_view prefix, bool iec)
{
    std::string_view letters = prefix;
    if (iec && letters.size() == 2 && letters[1] == 'X' && letters[0] != 'T' && letters[0] != 'C')
        letters.remove_suffix(1);
    if (letters.size() != 1)
        return 0;
    const char letter = letters[0];
    if (iec)
        return letter == 'I' ? kKindInput : letter == 'Q' ? kKindOutput : letter == 'M' ? kKindMarker
             : letter == 'T' ? kKindTimer : letter == 'C' ? kKindCounter : 0;
    return letter == 'Q' ? kKindOutput : CSequenceEntry::KindOfLetter(letter);
}

// A byte, word or double word of an operand area (MB, EW, %MD), a data
// block, or a peripheral word: addresses, but not of a step-chain text.
bool IsOtherArea(std::string_view prefix, bool iec)
{
    if (prefix.substr(0, 2) == "DB" || prefix.substr(0, 2) == "DI" || prefix == "PEW" || prefix == "PAW" || prefix == "PIW"
        || prefix == "PQW" || prefix == "PEB" || prefix == "PAB" || prefix == "PED" || prefix == "PAD")
        return true;
    if (prefix.size() != 2)
        return false;
    const char size = prefix[1];
    return (size == 'B' || size == 'W' || size == 'D') && KindOfPrefix(prefix.substr(0, 1), iec) != 0
        && IsBitKind(KindOfPrefix(prefix.substr(0, 1), iec));
}

// Reads digits at text[pos]; false when there are none. Saturates far
// above any valid number, so that a long run of digits stays out of range.
bool ReadNumber(std::string_view text, std::size_t& pos, unsigned& value)
{
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value > 100000 ? value : value * 10 + static_cast<unsigned>(text[pos] - '0');
        ++pos;
    }
    return pos > start;
}

} // namespace

OperandAddress ParseOperandAddress(std::string_view text)
{
    OperandAddress address;
    text = Trim(text);
    std::size_t pos = 0;
    const bool iec = !text.empty() && text[0] == '%';
    if (iec)
        ++pos;
    // No prefix has more than three letters, and "DB..." needs only two:
    // four tell every one from a longer word, however long that is.
    char letters[4];
    std::size_t count = 0;
    for (; pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos])); ++pos)
        if (count < sizeof letters)
            letters[count++] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos])));
    const std::string_view prefix(letters, count);
    if (prefix.empty())
        return address;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (IsOtherArea(prefix, iec)) {
        address.what = OperandAddress::Class::other;
        return address;
    }
    const int kind = KindOfPrefix(prefix, iec);
    unsigned number = 0;
    if (kind == 0 || !ReadNumber(text, pos, number))
        return address;
    address.kind = kind;
    address.number = number;
    if (IsBitKind(kind)) {
        // An input, output or marker without its bit names a byte.
        if (pos >= text.size() || text[pos] != '.') {
            address.what = pos == text.size() ? OperandAddress::Class::other : OperandAddress::Class::none;
            return address;
        }
        ++pos;
        if (!ReadNumber(text, pos, address.bit))
            return address;
    }
    if (pos != text.size())
        return address;
    address.what = OperandAddress::Class::operand;
    address.outOfRange = address.number > 255 || address.bit > 7;
    return address;
}
