#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// SHA-256 (FIPS 180-4) of a byte string: the name under which the history
// keeps a file's content. Written here because no packaged library of it
// is at hand for both the Linux and the Windows build.
class CSha256 {
public:
    using Digest = std::array<std::uint8_t, 32>;

    static Digest Of(std::span<const std::uint8_t> bytes);
    // The 64 lower-case hexadecimal digits of the digest.
    static std::string HexOf(std::span<const std::uint8_t> bytes);
};
