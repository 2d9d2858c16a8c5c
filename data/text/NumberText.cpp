#include "data/text/NumberText.h"

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::uint32_t ParseUnsigned32(std::string_view text, std::size_t& consumed)
{
    consumed = 0;
    std::size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    if (pos >= text.size() || !IsDigit(text[pos]))
        return 0;
    std::uint64_t value = 0;
    bool overflow = false;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        value = value * 10 + static_cast<unsigned>(text[pos] - '0');
        if (value > 0xFFFFFFFFull) {
            overflow = true;
            value = 0xFFFFFFFFull; // keeps the loop from overflowing 64 bits
        }
    }
    consumed = pos;
    if (overflow)
        return 0xFFFFFFFFu;
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? 0u - result : result;
}
