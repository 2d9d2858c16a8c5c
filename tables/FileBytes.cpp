#include "tables/FileBytes.h"

#include <algorithm>
#include <fstream>

bool ReadFileBytes(const std::filesystem::path& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // The size is a hint only: a file that grows or shrinks meanwhile is
    // read to its end all the same.
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    std::size_t capacity = ec ? 0 : static_cast<std::size_t>(size) + 1;
    std::size_t used = 0;
    for (;;) {
        if (used == capacity)
            capacity = std::max<std::size_t>(capacity * 2, 1 << 16);
        content.resize(capacity);
        in.read(content.data() + used, static_cast<std::streamsize>(capacity - used));
        used += static_cast<std::size_t>(in.gcount());
        // A short read is the end of the file or an error.
        if (used < capacity)
            break;
    }
    content.resize(used);
    return !in.bad();
}

