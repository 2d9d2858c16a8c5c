#include "cli/SequenceInput.h"

#include "data/platform/Platform.h"
#include "data/sequence/SequenceFile.h"

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <fstream>
#include <string>
#include <iostream>

namespace {

// The whole file in one piece; false with errno set when it cannot be read.
bool ReadWhole(const std::filesystem::path& path, std::string& content)
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

} // namespace

std::unique_ptr<CSequenceFile> ReadSequenceFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        std::cerr << "morawin-cli: cannot read " << platform::PathToUtf8(path) << ": is a folder\n";
        return nullptr;
    }
    std::string content;
    if (!ReadWhole(path, content)) {
        std::cerr << "morawin-cli: cannot read " << platform::PathToUtf8(path) << ": " << std::strerror(errno) << '\n';
        return nullptr;
    }
    auto file = std::make_unique<CSequenceFile>(path);
    if (!file->ReadContent(std::move(content))) {
        std::cerr << "morawin-cli: error while reading " << platform::PathToUtf8(path) << '\n';
        return nullptr;
    }
    return file;
}

std::optional<COperandFilter> ParseKindsOption(std::string_view command, std::string_view letters)
{
    auto filter = COperandFilter::FromLetters(letters);
    if (!filter)
        std::cerr << "morawin-cli " << command << ": --kinds takes letters of E A M T Z, not \"" << letters << "\"\n";
    return filter;
}
