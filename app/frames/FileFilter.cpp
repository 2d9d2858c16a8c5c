#include "app/frames/FileFilter.h"

#include <vector>

namespace {

std::vector<std::string> Split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string WidenPatterns(const std::string& patterns)
{
    std::string out;
    for (const std::string& pattern : Split(patterns, ';')) {
        const std::string one = pattern == "*.*" ? "*" : pattern;
        out += (out.empty() ? "" : ";") + one;
        if (Upper(one) != one)
            out += ";" + Upper(one);
    }
    return out;
}

} // namespace

std::string FileDialogWildcard(std::string_view filter)
{
    while (filter.ends_with('|'))
        filter.remove_suffix(1);
    const std::vector<std::string> parts = Split(filter, '|');
    std::string wildcard;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        wildcard += (wildcard.empty() ? "" : "|") + parts[i] + "|" + WidenPatterns(parts[i + 1]);
    return wildcard;
}
