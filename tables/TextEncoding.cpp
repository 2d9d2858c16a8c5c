#include "tables/TextEncoding.h"

#include "data/text/Charset.h"
#include "tables/AsciiLower.h"
#include "tables/ByteScan.h"
#include "tables/TableError.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Where characters were lost. Lines are counted only up to each loss, in
// the converted text, which holds the same line breaks as the original.
class CLossRecorder {
public:
    explicit CLossRecorder(DecodedText& result) : m_result(result) {}

    // A character lost at `at` of the text converted so far.
    void Lost(const char* converted, std::size_t at)
    {
        m_line += static_cast<std::size_t>(std::count(converted + m_counted, converted + at, '\n'));
        m_counted = at;
        ++m_result.replacedCharacters;
        if (m_result.replacedLines.empty() || m_result.replacedLines.back() != m_line)
            m_result.replacedLines.push_back(m_line);
    }

private:
    DecodedText& m_result;
    std::size_t m_counted = 0;
    std::size_t m_line = 0;
};

// Most characters beyond ASCII in symbol tables are U+00A0 to U+00FF
// (umlauts and the like), two bytes of UTF-8 that are their own
// Windows-1252 byte: they take a short way.
bool IsTwoByteLatin(std::string_view text, std::size_t pos)
{
    if (pos + 1 >= text.size())
        return false;
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto next = static_cast<unsigned char>(text[pos + 1]);
    return (lead == 0xC3 && next >= 0x80 && next <= 0xBF) || (lead == 0xC2 && next >= 0xA0 && next <= 0xBF);
}

// The Windows-1252 byte of the character beyond ASCII at `pos`, or -1 for
// one that has none; `pos` moves past it.
int NextCp1252(std::string_view text, std::size_t& pos)
{
    if (IsTwoByteLatin(text, pos)) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const auto next = static_cast<unsigned char>(text[pos + 1]);
        pos += 2;
        return static_cast<int>(((lead & 0x1Fu) << 6) | (next & 0x3Fu));
    }
    const long codePoint = charset::DecodeUtf8(text, pos);
    return codePoint < 0 ? -1 : charset::Cp1252ByteOf(static_cast<char32_t>(codePoint));
}

// Walks UTF-8 text from `pos`: each run of ASCII as it is, each other
// character as its Windows-1252 byte, or -1 for one that has none.
template <class Ascii, class Other>
void WalkUtf8(std::string_view text, std::size_t pos, Ascii ascii, Other other)
{
    while (pos < text.size()) {
        const std::size_t run = byte_scan::FindNonAscii(text, pos);
        if (run > pos)
            ascii(pos, run - pos);
        pos = run;
        if (pos == text.size())
            return;
        other(NextCp1252(text, pos));
    }
}

// In place: no character takes more bytes in Windows-1252 than in UTF-8,
// so the converted text never overtakes what is still to be read.
void DecodeUtf8(std::string& text, std::size_t from, DecodedText& result)
{
    CLossRecorder losses(result);
    char* out = text.data();
    std::size_t written = 0;
    WalkUtf8(
        text, from,
        [&](std::size_t at, std::size_t size) {
            if (written != at)
                std::memmove(out + written, out + at, size);
            written += size;
        },
        [&](int byte) {
            if (byte < 0)
                losses.Lost(out, written);
            out[written++] = byte < 0 ? '?' : static_cast<char>(byte);
        });
    text.resize(written);
}

// In place as well: each character takes at least two bytes of UTF-16.
void DecodeUtf16(std::string& text, std::size_t from, bool bigEndian, DecodedText& result)
{
    const std::size_t size = text.size();
    if ((size - from) % 2 != 0)
        throw CTableError("UTF-16 text with an odd number of bytes (" + std::to_string(size - from) + ")");
    CLossRecorder losses(result);
    auto unit = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(text[at]);
        const auto second = static_cast<unsigned char>(text[at + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::size_t written = 0;
    for (std::size_t pos = from; pos < size; pos += 2) {
        const int high = unit(pos);
        int byte = -1;
        if (high < 0xD800 || high > 0xDFFF) {
            byte = charset::Cp1252ByteOf(static_cast<char32_t>(high));
        } else if (high < 0xDC00 && pos + 3 < size) {
            // A surrogate pair stands for one character beyond U+FFFF, none
            // of which Windows-1252 has; a lone surrogate is malformed.
            // Either is one lost character.
            const int low = unit(pos + 2);
            if (low >= 0xDC00 && low <= 0xDFFF)
                pos += 2;
        }
        if (byte < 0)
            losses.Lost(text.data(), written);
        text[written++] = byte < 0 ? '?' : static_cast<char>(byte);
    }
    text.resize(written);
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
    while ((pos = byte_scan::FindNonAscii(bytes, pos)) < bytes.size()) {
        multiByte = true;
        if (IsTwoByteLatin(bytes, pos))
            pos += 2;
        else if (charset::DecodeUtf8(bytes, pos) < 0)
            return TextEncoding::windows1252;
    }
    return multiByte ? TextEncoding::utf8 : TextEncoding::windows1252;
}

TextEncoding EncodingOf(std::string_view bytes, std::optional<TextEncoding> encoding)
{
    // Detection reads the whole text; a chosen encoding needs only the
    // mark.
    const TextEncoding chosen = encoding ? *encoding : DetectEncoding(bytes);
    return chosen == TextEncoding::utf16le && StartsWith(bytes, kUtf16BeMark) ? TextEncoding::utf16be : chosen;
}

std::string_view WithoutMark(std::string_view utf8)
{
    return StartsWith(utf8, kUtf8Mark) ? utf8.substr(kUtf8Mark.size()) : utf8;
}

std::string_view AsCp1252(std::string_view utf8, std::string& scratch, std::size_t& lost)
{
    const std::size_t first = byte_scan::FindNonAscii(utf8, 0);
    if (first == utf8.size())
        return utf8;
    // Never longer than the UTF-8. `scratch` only grows: the text is the
    // view returned.
    if (scratch.size() < utf8.size())
        scratch.resize(utf8.size());
    char* target = scratch.data();
    std::memcpy(target, utf8.data(), first);
    std::size_t written = first;
    WalkUtf8(
        utf8, first,
        [&](std::size_t at, std::size_t size) {
            std::memcpy(target + written, utf8.data() + at, size);
            written += size;
        },
        [&](int byte) {
            lost += byte < 0 ? 1 : 0;
            target[written++] = byte < 0 ? '?' : static_cast<char>(byte);
        });
    return std::string_view(scratch).substr(0, written);
}

DecodedText DecodeText(std::string bytes, std::optional<TextEncoding> encoding)
{
    DecodedText result;
    result.encoding = EncodingOf(bytes, encoding);
    const std::string_view view(bytes);
    switch (result.encoding) {
    case TextEncoding::windows1252:
        result.text = std::move(bytes);
        break;
    case TextEncoding::utf8: {
        const std::size_t mark = view.size() - WithoutMark(view).size();
        result.text = std::move(bytes);
        DecodeUtf8(result.text, mark, result);
        break;
    }
    case TextEncoding::utf16le:
    case TextEncoding::utf16be: {
        const std::size_t mark = StartsWith(view, kUtf16LeMark) || StartsWith(view, kUtf16BeMark) ? 2 : 0;
        result.text = std::move(bytes);
        DecodeUtf16(result.text, mark, result.encoding == TextEncoding::utf16be, result);
        break;
    }
    }
    return result;
}
