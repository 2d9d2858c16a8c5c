#include "tables/TextEncoding.h"

#include "data/text/Charset.h"
#include "tables/AsciiLower.h"
#include "tables/TableError.h"

#include <algorithm>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Collects the converted text and where characters were lost.
class CCp1252Sink {
public:
    explicit CCp1252Sink(DecodedText& result, std::size_t size) : m_result(result) { m_result.text.reserve(size); }

    void Put(long codePoint)
    {
        const int byte = codePoint < 0 ? -1 : charset::Cp1252ByteOf(static_cast<char32_t>(codePoint));
        if (byte < 0) {
            ++m_result.replacedCharacters;
            if (m_result.replacedLines.empty() || m_result.replacedLines.back() != m_line)
                m_result.replacedLines.push_back(m_line);
        }
        m_result.text += byte < 0 ? '?' : static_cast<char>(byte);
        if (codePoint == '\n')
            ++m_line;
    }

    // A run of ASCII, which every encoding here keeps as it is.
    void PutAscii(std::string_view run)
    {
        m_result.text.append(run);
        m_line += static_cast<std::size_t>(std::count(run.begin(), run.end(), '\n'));
    }

private:
    DecodedText& m_result;
    std::size_t m_line = 0;
};

void DecodeUtf8(std::string_view bytes, DecodedText& result)
{
    CCp1252Sink sink(result, bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80)
            ++end;
        if (end > pos) {
            sink.PutAscii(bytes.substr(pos, end - pos));
            pos = end;
        } else {
            sink.Put(charset::DecodeUtf8(bytes, pos));
        }
    }
}

void DecodeUtf16(std::string_view bytes, bool bigEndian, DecodedText& result)
{
    if (bytes.size() % 2 != 0)
        throw CTableError("UTF-16 text with an odd number of bytes (" + std::to_string(bytes.size()) + ")");
    CCp1252Sink sink(result, bytes.size() / 2);
    auto unit = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    for (std::size_t pos = 0; pos < bytes.size(); pos += 2) {
        const int high = unit(pos);
        if (high < 0xD800 || high > 0xDFFF) {
            sink.Put(high);
            continue;
        }
        // A surrogate pair stands for one character beyond U+FFFF, none of
        // which Windows-1252 has; a lone surrogate is malformed. Either is
        // one lost character.
        if (high < 0xDC00 && pos + 3 < bytes.size()) {
            const int low = unit(pos + 2);
            if (low >= 0xDC00 && low <= 0xDFFF)
                pos += 2;
        }
        sink.Put(-1);
    }
}

bool StartsWith(std::string_view bytes, std::string_view mark)
{
    return bytes.substr(0, mark.size()) == mark;
}

} // namespace

std::string_view EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::utf8: return "UTF-8";
    case TextEncoding::utf16le: return "UTF-16 LE";
    case TextEncoding::utf16be: return "UTF-16 BE";
    case TextEncoding::windows1252: break;
    }
    return "Windows-1252";
}

std::optional<TextEncoding> EncodingFromName(std::string_view name)
{
    const std::string lower = AsciiLower(name);
    if (lower == "windows-1252" || lower == "cp1252")
        return TextEncoding::windows1252;
    if (lower == "utf-8" || lower == "utf8")
        return TextEncoding::utf8;
    if (lower == "utf-16" || lower == "utf-16le" || lower == "utf16")
        return TextEncoding::utf16le;
    if (lower == "utf-16be")
        return TextEncoding::utf16be;
    return std::nullopt;
}

TextEncoding DetectEncoding(std::string_view bytes)
{
    if (StartsWith(bytes, kUtf8Mark))
        return TextEncoding::utf8;
    if (StartsWith(bytes, kUtf16LeMark))
        return TextEncoding::utf16le;
    if (StartsWith(bytes, kUtf16BeMark))
        return TextEncoding::utf16be;
    bool multiByte = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (charset::DecodeUtf8(bytes, pos) < 0)
            return TextEncoding::windows1252;
        multiByte = true;
    }
    return multiByte ? TextEncoding::utf8 : TextEncoding::windows1252;
}

DecodedText DecodeText(std::string bytes, std::optional<TextEncoding> encoding)
{
    DecodedText result;
    // Detection reads the whole text; a chosen encoding needs only the
    // mark, for "utf-16" takes the direction the mark gives.
    result.encoding = encoding ? *encoding : DetectEncoding(bytes);
    if (result.encoding == TextEncoding::utf16le && StartsWith(bytes, kUtf16BeMark))
        result.encoding = TextEncoding::utf16be;
    std::string_view view(bytes);
    switch (result.encoding) {
    case TextEncoding::windows1252:
        result.text = std::move(bytes);
        return result;
    case TextEncoding::utf8:
        if (StartsWith(view, kUtf8Mark))
            view.remove_prefix(kUtf8Mark.size());
        DecodeUtf8(view, result);
        return result;
    case TextEncoding::utf16le:
    case TextEncoding::utf16be:
        if (StartsWith(view, kUtf16LeMark) || StartsWith(view, kUtf16BeMark))
            view.remove_prefix(2);
        DecodeUtf16(view, result.encoding == TextEncoding::utf16be, result);
        return result;
    }
    return result;
}
