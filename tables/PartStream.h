#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct zip;
struct zip_file;

// One part of a workbook's zip archive, unpacked piece by piece. It never
// yields more than its entry states or CWorkbook::kMaxPartSize: a part that
// expands past either is refused as soon as it does.
class CPartStream {
public:
    // Throws CTableError when the archive has no such part or it cannot be
    // unpacked or states a size past the limit.
    CPartStream(zip* archive, std::string name);
    ~CPartStream();
    CPartStream(const CPartStream&) = delete;
    CPartStream& operator=(const CPartStream&) = delete;

    // Up to `size` bytes more; 0 at the end of the part. Throws CTableError.
    std::size_t Read(char* buffer, std::size_t size);

    const std::string& Name() const { return m_name; }

private:
    std::string m_name;
    zip_file* m_file = nullptr;
    std::uint64_t m_limit;
    std::uint64_t m_read = 0;
};
