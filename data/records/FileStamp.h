#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// What a file held at one moment, small enough to keep for every file the
// program has read or written: its size and a hash of its bytes, or that
// there was no file. Two stamps are equal when the file held the same.
//
// The header form stands for a file of which only the first bytes were
// read: it hashes those bytes and adds the file's size and last-write time.
// It cannot see a change past the header that keeps size and time, which
// is why files are stamped whole wherever they are read whole.
class CFileStamp {
public:
    // No file.
    static CFileStamp Absent() { return CFileStamp(); }
    // A file that held exactly `bytes`.
    static CFileStamp OfBytes(std::span<const std::uint8_t> bytes);
    // A file of `size` bytes, last written at `writeTime` (nanoseconds),
    // whose first bytes are `header` (at most kHeaderLength of them).
    static CFileStamp OfHeader(std::span<const std::uint8_t> header, std::uint64_t size, std::int64_t writeTime);

    // How many bytes a header stamp covers at most.
    static constexpr std::size_t kHeaderLength = 256;

    bool IsAbsent() const { return !m_exists; }
    bool IsHeader() const { return m_header; }
    bool operator==(const CFileStamp&) const = default;

private:
    CFileStamp() = default;

    bool m_exists = false;
    bool m_header = false;
    std::uint64_t m_size = 0;
    std::uint64_t m_hash = 0;
    std::int64_t m_writeTime = 0;
};
