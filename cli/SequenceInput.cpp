#include "cli/SequenceInput.h"

#include "data/platform/Platform.h"
#include "data/sequence/SequenceFile.h"
#include "tables/FileBytes.h"
#include "tables/TableError.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

namespace {

// What reading found besides the operands, one line each. The line on
// lost characters is the conversion's own wording.
void Tell(const std::string& name, const SymbolTableReport& report, int operands)
{
    if (report.encoding != TextEncoding::windows1252 && report.form != SymbolTableForm::workbook)
        std::cerr << "morawin-cli: " << name << " read as " << EncodingName(report.encoding) << '\n';
    if (report.replacedCharacters != 0)
        std::cerr << report.replacedCharacters << " Zeichen ohne Entsprechung in Windows-1252 durch ? ersetzt\n";
    if (report.form != SymbolTableForm::sequence) {
        std::cerr << operands << " operands from "
                  << (report.form == SymbolTableForm::workbook ? "sheet " + report.sheet : name);
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
    if (!ReadFileBytes(path, content)) {
        std::cerr << "morawin-cli: cannot read " << platform::PathToUtf8(path) << ": " << std::strerror(errno) << '\n';
        return nullptr;
    }
    auto file = std::make_unique<CSequenceFile>(path);
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
