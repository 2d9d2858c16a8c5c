#pragma once

#include <string>
#include <string_view>

// A number field of the configuration dialog: digits only, a range, and the
// message shown when the text does not hold a number of that range.
class CUIntField {
public:
    enum class Result { ok, empty, notNumber, outOfRange };

    CUIntField(unsigned minimum, unsigned maximum) : m_min(minimum), m_max(maximum) {}

    // Blanks around the digits are allowed; anything else but digits is
    // not a number. `value` is set only for ok.
    Result Check(std::string_view text, unsigned& value) const;
    // German UTF-8 text for a result other than ok.
    std::string Message(Result result) const;

    // The characters that can be typed into the field.
    static bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

    unsigned GetMin() const { return m_min; }
    unsigned GetMax() const { return m_max; }

private:
    unsigned m_min;
    unsigned m_max;
};
