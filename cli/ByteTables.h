#pragma once

// Per-byte translations for output written at full speed. Entry b of a
// table is what Windows-1252 byte b becomes: entry[0] holds the length
// (1 to 6), entry[1] on the bytes.
namespace byte_tables {

// UTF-8 of the byte.
const char (*Utf8())[8];
// The byte inside a JSON string: UTF-8, with quote, backslash and control
// characters escaped as the JSON library escapes them.
const char (*JsonString())[8];

} // namespace byte_tables
