#include "data/sequence/DuplicateOperands.h"

#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"

#include <cstdint>
#include <unordered_map>

CDuplicateOperands::CDuplicateOperands(const CSequenceFile* file)
{
    if (!file)
        return;
    std::vector<const CSequenceEntry*> entries;
    entries.reserve(static_cast<std::size_t>(file->GetCount()));
    for (int i = 0; i < file->GetCount(); ++i)
        entries.push_back(file->GetEntry(i));
    Find(entries);
}

CDuplicateOperands::CDuplicateOperands(const std::vector<CSequenceEntry*>& entries)
{
    Find(std::vector<const CSequenceEntry*>(entries.begin(), entries.end()));
}

void CDuplicateOperands::Find(const std::vector<const CSequenceEntry*>& entries)
{
    std::unordered_map<std::uint32_t, int> lines;
    lines.reserve(entries.size());
    for (const CSequenceEntry* entry : entries)
        if (++lines[entry->SortKey()] == 2)
            m_names.push_back(entry->GetOperandText());
    if (m_names.empty())
        return;
    for (const CSequenceEntry* entry : entries)
        if (lines[entry->SortKey()] > 1)
            m_entries.insert(entry);
}
