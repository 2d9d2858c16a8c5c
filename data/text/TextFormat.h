#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// One argument of FormatText: a text or a number.
class FormatArg {
public:
    FormatArg(std::string_view text) : m_value(std::string(text)) {}
    FormatArg(const std::string& text) : m_value(text) {}
    FormatArg(const char* text) : m_value(std::string(text ? text : "")) {}
    FormatArg(int number) : m_value(static_cast<std::int64_t>(number)) {}
    FormatArg(unsigned number) : m_value(static_cast<std::int64_t>(number)) {}
    FormatArg(long number) : m_value(static_cast<std::int64_t>(number)) {}
    FormatArg(unsigned long number) : m_value(static_cast<std::int64_t>(number)) {}
    FormatArg(long long number) : m_value(static_cast<std::int64_t>(number)) {}

    bool IsText() const { return std::holds_alternative<std::string>(m_value); }
    const std::string& Text() const { return std::get<std::string>(m_value); }
    std::int64_t Number() const { return std::get<std::int64_t>(m_value); }

private:
    std::variant<std::string, std::int64_t> m_value;
};

// printf-style formatting that is safe whatever the format holds: formats
// come from the string table and a user's resource catalog may replace them.
// Supported: %% and the conversions d i u x X o c s with the flags "-0+ #",
// a width and a precision; numbers behave as the platform's 32-bit int.
// A conversion without an argument left produces nothing, an argument of the
// wrong type is shown as it is, and anything else (%n, %p, %*d, a stray % at
// the end) is copied literally. Width and precision are capped.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args = {});
