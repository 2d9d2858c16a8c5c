#include "cli/SequenceInput.h"

#include "data/platform/Platform.h"
#include "data/sequence/SequenceFile.h"
#include "tables/TableError.h"

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

// What reading found besides the operands, one line each. The line on
// lost characters is the conversion's own wording.
void Tell(const std::string& name, const SymbolTableReport& report, int operands)
{
    if (report.encoding != TextEncoding::windows1252)
        std::cerr << "morawin-cli: " << name << " read as " << EncodingName(report.encoding) << '\n';
    if (report.replacedCharacters != 0)
        std::cerr << report.replacedCharacters << " Zeichen ohne Entsprechung in Windows-1252 durch ? ersetzt\n";
    if (report.form == SymbolTableForm::table) {
        std::cerr << operands << " operands from " << name;
        if (report.skippedRows != 0)
            std::cerr << ", " << report.skippedRows << (report.skippedRows == 1 ? " row" : " rows")
                      << " skipped: not a bit, timer or counter address";
        std::cerr << '\n';
    }
}

} // namespace

std::unique_ptr<CSequenceFile> ReadSequenceFile(const std::filesystem::path& path, const SymbolTableOptions& options)
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
    auto file = std::make_unique<CSequenceFile>(platform::PathToUtf8(path));
    const std::string name = platform::PathToUtf8(path);
    try {
        const SymbolTableReport report = CSymbolTableReader(options).Read(std::move(content), FormOfFile(path), *file);
        Tell(name, report, file->GetCount());
    } catch (const CTableError& error) {
        std::cerr << "morawin-cli: cannot read " << name;
        if (error.Row() != 0)
            std::cerr << ": row " << error.Row();
        std::cerr << ": " << error.what() << '\n';
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
