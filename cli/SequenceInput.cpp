#include "cli/SequenceInput.h"

#include "cli/KindFilter.h"
#include "data/SequenceEntry.h"
#include "data/SequenceFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <tuple>

std::unique_ptr<CSequenceFile> ReadSequenceFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        std::cerr << "morawin-cli: cannot read " << path.string() << ": is a folder\n";
        return nullptr;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "morawin-cli: cannot read " << path.string() << ": " << std::strerror(errno) << '\n';
        return nullptr;
    }
    auto file = std::make_unique<CSequenceFile>(path.string());
    if (!file->ReadArchive(in)) {
        std::cerr << "morawin-cli: error while reading " << path.string() << '\n';
        return nullptr;
    }
    return file;
}

std::vector<CSequenceEntry*> FilteredOperands(const CSequenceFile& file, const CKindFilter& filter)
{
    std::vector<CSequenceEntry*> operands;
    for (int i = 0; i < file.GetCount(); ++i) {
        CSequenceEntry* entry = file.GetEntry(i);
        if (filter.Allows(*entry))
            operands.push_back(entry);
    }
    return operands;
}

std::vector<std::string> DuplicateOperands(const std::vector<CSequenceEntry*>& operands)
{
    // Kind, byte and bit (timers and counters have no bit).
    std::map<std::tuple<int, int, int>, int> seen;
    std::vector<std::string> names;
    for (const CSequenceEntry* entry : operands) {
        const int bit = IsBitKind(entry->GetKind()) ? entry->GetBit() : 0;
        if (++seen[{entry->GetKind(), entry->GetByte(), bit}] == 2)
            names.push_back(entry->GetOperandText());
    }
    return names;
}
