#include "data/records/RecordStream.h"

#include "data/records/FileException.h"
#include "data/text/NumberText.h"
#include "data/text/TextFormat.h"

#include <algorithm>
#include <cstring>

namespace record {
namespace {

[[noreturn]] void FormatError()
{
    throw CFileException(CFileException::Cause::generic);
}

[[noreturn]] void EndOfData()
{
    throw CFileException(CFileException::Cause::endOfFile);
}

bool IsCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Walks a shown text: reference(number) for each "@" reference, literal(c)
// for every other character, in order.
template <class Literal, class Reference>
void ScanReferences(std::string_view text, Literal literal, Reference reference)
{
    for (std::size_t pos = 0; pos < text.size();) {
        if (text[pos] != '@') {
            literal(text[pos++]);
            continue;
        }
        std::size_t consumed = 0;
        const std::uint32_t number = ParseUnsigned32(text.substr(pos + 1), consumed);
        reference(static_cast<std::uint16_t>(number & 0xFFFF));
        pos += 1 + consumed;
    }
}

} // namespace

void ReadByte(CMemFile& file, std::uint8_t& value)
{
    std::uint8_t byte;
    if (file.Read(&byte, 1) == 1)
        value = byte;
}

void WriteByte(CMemFile& file, std::uint8_t value)
{
    file.Write(&value, 1);
}

void ReadWord(CMemFile& file, std::uint16_t& value)
{
    std::uint8_t bytes[2];
    if (file.Read(bytes, 2) == 2)
        value = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

void WriteWord(CMemFile& file, std::uint16_t value)
{
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)};
    file.Write(bytes, 2);
}

std::string ReadCountedString(CMemFile& file)
{
    std::uint8_t length = 0;
    ReadByte(file, length);
    if (length == 0 || length > kMaxCountedLength + 1)
        FormatError();
    std::string text(length - 1u, '\0');
    if (file.Read(text.data(), text.size()) != text.size())
        EndOfData();
    return text;
}

void WriteCountedString(CMemFile& file, std::string_view text)
{
    if (text.size() > kMaxCountedLength)
        FormatError();
    WriteByte(file, static_cast<std::uint8_t>(text.size() + 1));
    file.Write(text.data(), text.size());
}

void WriteTerminatedString(CMemFile& file, std::string_view text)
{
    file.Write(text.data(), text.size());
    WriteByte(file, 0);
}

std::string ReadEscapedString(CMemFile& file)
{
    // Found in the image and copied once: group files hold thousands of
    // these texts, and byte-by-byte reads made loading them slow.
    const std::uint8_t* data = file.GetImage().data();
    const std::size_t size = file.GetLength();
    const std::size_t start = file.GetPosition();
    std::size_t end = start;
    for (;;) {
        const auto* zero = end < size ? static_cast<const std::uint8_t*>(std::memchr(data + end, 0, size - end)) : nullptr;
        if (!zero) {
            file.Seek(size);
            EndOfData();
        }
        // A zero inside an escape (ESC and its two bytes) ends nothing.
        const auto* escape = static_cast<const std::uint8_t*>(std::memchr(data + end, kEscape, zero - (data + end)));
        if (!escape) {
            end = static_cast<std::size_t>(zero - data);
            break;
        }
        end = static_cast<std::size_t>(escape - data) + 3;
    }
    file.Seek(end + 1);
    return std::string(reinterpret_cast<const char*>(data + start), end - start);
}

std::string ReadCode(CMemFile& file)
{
    std::string code(3, '\0');
    if (file.Read(code.data(), 3) != 3)
        EndOfData();
    return code;
}

void WriteCode(CMemFile& file, std::string_view code)
{
    if (code.size() != 3)
        FormatError();
    file.Write(code.data(), 3);
}

ShortHeader ReadShortHeader(CMemFile& file)
{
    ShortHeader header;
    ReadByte(file, header.kind);
    ReadWord(file, header.value);
    header.name = ReadCountedString(file);
    return header;
}

LongHeader ReadLongHeader(CMemFile& file)
{
    LongHeader header;
    ReadByte(file, header.kind);
    ReadWord(file, header.value);
    header.projectName = ReadCountedString(file);
    header.code = ReadCode(file);
    header.name = TrimRight(ReadCountedString(file));
    return header;
}

void WriteLongHeader(CMemFile& file, const LongHeader& header)
{
    WriteByte(file, header.kind);
    WriteWord(file, header.value);
    WriteCountedString(file, header.projectName);
    WriteCode(file, header.code);
    WriteCountedString(file, PadTo32(header.name));
}

std::string PadTo32(std::string_view text)
{
    std::string padded(text);
    if (padded.size() < kDesignationLength)
        padded.resize(kDesignationLength, ' ');
    return padded;
}

std::size_t StoredDesignationLength(std::string_view designation)
{
    return std::max(kDesignationLength, TrimRight(designation).size());
}

std::string TrimRight(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsCSpace(text[end - 1]))
        --end;
    return std::string(text.substr(0, end));
}

std::string EncodeReferences(std::string_view text)
{
    std::string stored;
    stored.reserve(text.size());
    ScanReferences(
        text,
        [&](char c) { stored += (c == '\0' || c == kEscape) ? ' ' : c; },
        [&](std::uint16_t number) {
            stored += kEscape;
            stored += static_cast<char>(number & 0xFF);
            stored += static_cast<char>(number >> 8);
        });
    return stored;
}

std::size_t StoredLength(std::string_view text)
{
    std::size_t length = 0;
    ScanReferences(
        text, [&](char) { ++length; }, [&](std::uint16_t) { length += 3; });
    return length;
}

std::string DecodeReferences(std::string_view stored)
{
    if (stored.find(kEscape) == std::string_view::npos)
        return std::string(stored);
    std::string text;
    text.reserve(stored.size() + 8);
    for (std::size_t pos = 0; pos < stored.size();) {
        if (stored[pos] != kEscape) {
            text += stored[pos++];
            continue;
        }
        const auto low = pos + 1 < stored.size() ? static_cast<std::uint8_t>(stored[pos + 1]) : 0u;
        const auto high = pos + 2 < stored.size() ? static_cast<std::uint8_t>(stored[pos + 2]) : 0u;
        text += FormatText("@%03u", {static_cast<unsigned>(low | (high << 8))});
        pos += 3;
    }
    return text;
}

} // namespace record
