#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CKindFilter;
class CSequenceEntry;
class CSequenceFile;

// Reads a sequence file for a command. Null (after a message on stderr that
// names the file) when the file cannot be read.
std::unique_ptr<CSequenceFile> ReadSequenceFile(const std::filesystem::path& path);

// The entries the filter allows, in list order: the rows an operand view
// with that filter would show.
std::vector<CSequenceEntry*> FilteredOperands(const CSequenceFile& file, const CKindFilter& filter);

// The operands that the list names more than once, each once, in list
// order (as "E001.00").
std::vector<std::string> DuplicateOperands(const std::vector<CSequenceEntry*>& operands);
