#include "data/records/FileStamp.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace {

// The standard library's hash of byte strings: fast on whole words, and
// the stamps never leave the process that made them.
std::uint64_t Hash(std::span<const std::uint8_t> bytes)
{
    return std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace

CFileStamp CFileStamp::OfBytes(std::span<const std::uint8_t> bytes)
{
    CFileStamp stamp;
    stamp.m_exists = true;
    stamp.m_size = bytes.size();
    stamp.m_hash = Hash(bytes);
    return stamp;
}

CFileStamp CFileStamp::OfHeader(std::span<const std::uint8_t> header, std::uint64_t size, std::int64_t writeTime)
{
    CFileStamp stamp;
    stamp.m_exists = true;
    stamp.m_header = true;
    stamp.m_size = size;
    stamp.m_hash = Hash(header.first(std::min(header.size(), kHeaderLength)));
    stamp.m_writeTime = writeTime;
    return stamp;
}
