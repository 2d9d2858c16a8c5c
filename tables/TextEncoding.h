#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The encodings a symbol table arrives in. The model keeps Windows-1252
// bytes, so every other encoding is converted on reading.
enum class TextEncoding { windows1252, utf8, utf16le, utf16be };

// "Windows-1252", "UTF-8", "UTF-16 LE", "UTF-16 BE".
std::string_view EncodingName(TextEncoding encoding);
// From an option's text: windows-1252 (also cp1252), utf-8, utf-16 (by its
// byte-order mark, else little-endian), utf-16le, utf-16be; any case.
std::optional<TextEncoding> EncodingFromName(std::string_view name);

// A text converted to Windows-1252. Characters without a Windows-1252 form
// became "?"; `replacedLines` names the lines (0-based) that lost one.
struct DecodedText {
    std::string text;
    TextEncoding encoding = TextEncoding::windows1252;
    std::size_t replacedCharacters = 0;
    std::vector<std::size_t> replacedLines;
};

// A byte-order mark decides; without one, a text that is valid UTF-8
// throughout and holds at least one multi-byte sequence is UTF-8, anything
// else Windows-1252.
TextEncoding DetectEncoding(std::string_view bytes);
// The encoding given, or the one detected; "utf-16" takes the direction
// a byte-order mark gives.
TextEncoding EncodingOf(std::string_view bytes, std::optional<TextEncoding> encoding);

// UTF-8 text without its byte-order mark.
std::string_view WithoutMark(std::string_view utf8);

// UTF-8 as Windows-1252: the text itself when it is ASCII, else converted
// into the memory of `scratch`. `lost` grows by the characters that became
// "?".
std::string_view AsCp1252(std::string_view utf8, std::string& scratch, std::size_t& lost);

// Converts `bytes` (taken over, so that Windows-1252 needs no copy) from
// the encoding given, or the one detected. A byte-order mark is dropped.
// Throws CTableError for UTF-16 with an odd number of bytes.
DecodedText DecodeText(std::string bytes, std::optional<TextEncoding> encoding = std::nullopt);
