#pragma once

#include "data/records/MemFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Encodings of the panel project's binary files. All numbers little-endian,
// no padding. Format errors throw CFileException (generic); a string whose
// data ends before its end throws CFileException (endOfFile).
namespace record {

constexpr std::size_t kMaxCountedLength = 80;
constexpr char kEscape = 27;

// A byte or word read at the end of the data leaves `value` unchanged;
// callers initialise their targets (an empty file reads as zeros).
void ReadByte(CMemFile& file, std::uint8_t& value);
void WriteByte(CMemFile& file, std::uint8_t value);
void ReadWord(CMemFile& file, std::uint16_t& value);
void WriteWord(CMemFile& file, std::uint16_t value);

// One byte L (length + 1), then L - 1 characters. L of 0 or above 81 is a
// format error on reading; more than 80 characters one on writing.
std::string ReadCountedString(CMemFile& file);
void WriteCountedString(CMemFile& file, std::string_view text);

// The characters and one zero byte.
void WriteTerminatedString(CMemFile& file, std::string_view text);
// Up to the next zero byte outside an escape: an ESC byte and the two bytes
// after it are taken as they are (they may be zero). The result keeps them.
std::string ReadEscapedString(CMemFile& file);

// Exactly three bytes; writing another length is a format error.
std::string ReadCode(CMemFile& file);
void WriteCode(CMemFile& file, std::string_view code);

struct ShortHeader {
    std::uint8_t kind = 0;
    std::uint16_t value = 0;
    std::string name;
};

struct LongHeader {
    std::uint8_t kind = 0;
    std::uint16_t value = 0;
    std::string projectName;
    std::string code;
    std::string name; // padded to kDesignationLength on writing, right-trimmed on reading
};

ShortHeader ReadShortHeader(CMemFile& file);
LongHeader ReadLongHeader(CMemFile& file);
void WriteLongHeader(CMemFile& file, const LongHeader& header);

// Group and list designations are stored padded with spaces to this many
// characters; what the user types for one is limited to it.
constexpr std::size_t kDesignationLength = 32;

// The designation as stored: padded with spaces to kDesignationLength.
std::string PadTo32(std::string_view text);
// How many bytes the file gets for `designation`: it is stored without
// trailing white space (which would not come back from reading), padded.
std::size_t StoredDesignationLength(std::string_view designation);
// Without trailing white space (space, \t \n \v \f \r).
std::string TrimRight(std::string_view text);

// Text as shown ("@" and a decimal number) to the stored form (ESC, low
// byte, high byte). A raw zero or ESC byte in the shown text would end the
// stored text early or start a false reference, so it is stored as a space.
std::string EncodeReferences(std::string_view text);
// Stored form back to text, each reference as "@" and at least 3 digits.
std::string DecodeReferences(std::string_view stored);
// EncodeReferences(text).size(), without building it.
std::size_t StoredLength(std::string_view text);

} // namespace record
