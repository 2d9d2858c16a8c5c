#pragma once

#include <cstdint>
#include <span>
#include <string>

// The name under which the history keeps a file's content: the 128-bit
// XXH3 hash of its bytes as 32 lower-case hexadecimal digits. The history
// names contents to find them again and to see that a file still holds
// what an operation left, not to stand up to a forger (whoever can write
// the history folder can write the project), so a fast hash serves; the
// library keeps its output the same from one release to the next, which
// keeps stored names valid.
namespace content_hash {

constexpr std::size_t kDigits = 32;

std::string HexOf(std::span<const std::uint8_t> bytes);

} // namespace content_hash
