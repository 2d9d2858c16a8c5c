#include "data/text/TextFormat.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

constexpr int kMaxField = 1024;

struct Spec {
    bool left = false, zero = false, plus = false, space = false, alt = false;
    int width = -1;
    int precision = -1;
    char conversion = 0;
};

int ReadNumber(std::string_view format, std::size_t& pos)
{
    int value = 0;
    while (pos < format.size() && std::isdigit(static_cast<unsigned char>(format[pos]))) {
        value = std::min(kMaxField, value * 10 + (format[pos] - '0'));
        ++pos;
    }
    return value;
}

// Parses the directive after a '%' at format[pos]; returns false when it is
// not one we format (pos is then unchanged).
bool ParseSpec(std::string_view format, std::size_t& pos, Spec& spec)
{
    std::size_t p = pos;
    for (; p < format.size(); ++p) {
        const char c = format[p];
        if (c == '-') spec.left = true;
        else if (c == '0') spec.zero = true;
        else if (c == '+') spec.plus = true;
        else if (c == ' ') spec.space = true;
        else if (c == '#') spec.alt = true;
        else break;
    }
    if (p < format.size() && std::isdigit(static_cast<unsigned char>(format[p])))
        spec.width = ReadNumber(format, p);
    if (p < format.size() && format[p] == '.') {
        ++p;
        spec.precision = ReadNumber(format, p);
    }
    while (p < format.size() && (format[p] == 'h' || format[p] == 'l' || format[p] == 'z'))
        ++p;
    if (p >= format.size())
        return false;
    const char c = format[p];
    if (std::string_view("diuxXocs").find(c) == std::string_view::npos)
        return false;
    spec.conversion = c;
    pos = p + 1;
    return true;
}

std::string Digits(std::uint32_t value, unsigned base, bool upper)
{
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string out;
    do {
        out += digits[value % base];
        value /= base;
    } while (value != 0);
    std::reverse(out.begin(), out.end());
    return out;
}

std::string FormatNumber(const Spec& spec, std::int64_t raw)
{
    std::string sign;
    std::string body;
    const char c = spec.conversion;
    if (c == 'd' || c == 'i') {
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
        const auto magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
        body = Digits(magnitude, 10, false);
        sign = value < 0 ? "-" : spec.plus ? "+" : spec.space ? " " : "";
    } else {
        const auto value = static_cast<std::uint32_t>(raw);
        const unsigned base = c == 'o' ? 8 : (c == 'x' || c == 'X') ? 16 : 10;
        body = Digits(value, base, c == 'X');
        if (spec.alt && value != 0 && base == 16)
            sign = c == 'X' ? "0X" : "0x";
        else if (spec.alt && base == 8 && body[0] != '0')
            body.insert(0, "0");
    }
    if (spec.precision >= 0) {
        if (spec.precision == 0 && body == "0")
            body.clear();
        if (static_cast<int>(body.size()) < spec.precision)
            body.insert(0, spec.precision - body.size(), '0');
    }
    const int pad = spec.width - static_cast<int>(sign.size() + body.size());
    if (pad > 0 && spec.zero && !spec.left && spec.precision < 0)
        body.insert(0, pad, '0');
    return sign + body;
}

std::string Pad(const Spec& spec, std::string text)
{
    const int pad = spec.width - static_cast<int>(text.size());
    if (pad > 0)
        text.insert(spec.left ? text.end() : text.begin(), pad, ' ');
    return text;
}

std::string FormatOne(const Spec& spec, const FormatArg& arg)
{
    if (spec.conversion == 's') {
        std::string text = arg.IsText() ? arg.Text() : std::to_string(arg.Number());
        if (spec.precision >= 0 && static_cast<int>(text.size()) > spec.precision)
            text.resize(spec.precision);
        return Pad(spec, std::move(text));
    }
    if (arg.IsText())
        return Pad(spec, arg.Text());
    if (spec.conversion == 'c')
        return Pad(spec, std::string(1, static_cast<char>(arg.Number() & 0xFF)));
    return Pad(spec, FormatNumber(spec, arg.Number()));
}

} // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t pos = 0; pos < format.size();) {
        const char c = format[pos++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (pos < format.size() && format[pos] == '%') {
            out += '%';
            ++pos;
            continue;
        }
        Spec spec;
        if (!ParseSpec(format, pos, spec)) {
            out += '%';
            continue;
        }
        if (next != args.end())
            out += FormatOne(spec, *next++);
    }
    return out;
}
