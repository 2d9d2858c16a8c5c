#include "cli/ByteTables.h"

#include "data/text/Charset.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

namespace byte_tables {

namespace {

using Table = std::array<char[8], 256>;

void Set(char (&entry)[8], const std::string& bytes)
{
    std::memset(entry, 0, sizeof entry);
    entry[0] = static_cast<char>(bytes.size());
    std::memcpy(entry + 1, bytes.data(), bytes.size());
}

std::string Utf8Of(int byte)
{
    const char c = static_cast<char>(byte);
    return charset::Cp1252ToUtf8(std::string_view(&c, 1));
}

std::string JsonEscaped(int byte)
{
    switch (byte) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\b': return "\\b";
    case '\f': return "\\f";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: break;
    }
    if (byte < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
        return escaped;
    }
    return Utf8Of(byte);
}

Table Build(std::string (*translate)(int))
{
    Table table{};
    for (int byte = 0; byte < 256; ++byte)
        Set(table[static_cast<std::size_t>(byte)], translate(byte));
    return table;
}

} // namespace

const char (*Utf8())[8]
{
    static const Table table = Build(Utf8Of);
    return table.data();
}

const char (*JsonString())[8]
{
    static const Table table = Build(JsonEscaped);
    return table.data();
}

} // namespace byte_tables
