#pragma once

#include <string>
#include <string_view>

// Windows-1252 <-> UTF-8 at the edges of the program (terminal, GUI, JSON).
// The model keeps every text as the 8-bit bytes the files hold; only code
// that shows or takes text from the user converts.
namespace charset {

// Every byte maps to one code point. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the
// same value, as the Windows conversion functions do, so the mapping is a
// bijection and round-trips.
std::string Cp1252ToUtf8(std::string_view text);

// Code points without a Windows-1252 byte, and malformed UTF-8, become
// `replacement`.
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

// The code point that a Windows-1252 byte stands for.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a code point; -1 when it has none.
int Cp1252ByteOf(char32_t codePoint);

// Decodes the UTF-8 sequence at text[pos] and moves pos past what it took:
// the code point, or -1 for a malformed sequence (overlong, surrogate,
// past U+10FFFF, cut short).
long DecodeUtf8(std::string_view text, std::size_t& pos);

} // namespace charset
