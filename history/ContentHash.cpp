#include "history/ContentHash.h"

// Inline: the hash needs no library file, on Linux or on Windows.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace content_hash {

std::string HexOf(std::span<const std::uint8_t> bytes)
{
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex(kDigits, '0');
    for (int i = 0; i < 16; ++i) {
        const std::uint64_t half = i < 8 ? hash.high64 : hash.low64;
        const auto byte = static_cast<unsigned>(half >> (56 - 8 * (i % 8))) & 0xFF;
        hex[2 * i] = kHex[byte >> 4];
        hex[2 * i + 1] = kHex[byte & 0xF];
    }
    return hex;
}

} // namespace content_hash
