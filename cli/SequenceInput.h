#pragma once

#include "data/sequence/OperandFilter.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

class CSequenceFile;

// Reads a sequence file for a command. Null (after a message on stderr that
// names the file) when the file cannot be read.
std::unique_ptr<CSequenceFile> ReadSequenceFile(const std::filesystem::path& path);

// The filter of a command's --kinds option; a refusal is said on stderr in
// the command's name.
std::optional<COperandFilter> ParseKindsOption(std::string_view command, std::string_view letters);
