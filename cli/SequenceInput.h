#pragma once

#include "data/sequence/OperandFilter.h"
#include "tables/SymbolTableReader.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

class CSequenceFile;

// Reads a symbol table of any form (a sequence file, a table) for a
// command. What reading found besides the operands (another encoding,
// skipped rows, lost characters) is said on stderr. Null (after a message
// on stderr that names the file, and the row where there is one) when the
// file cannot be read.
std::unique_ptr<CSequenceFile> ReadSequenceFile(const std::filesystem::path& path, const SymbolTableOptions& options = {});

// The filter of a command's --kinds option; a refusal is said on stderr in
// the command's name.
std::optional<COperandFilter> ParseKindsOption(std::string_view command, std::string_view letters);
