#include "app/DuplicateOperands.h"

#include "data/SequenceEntry.h"
#include "data/SequenceFile.h"

#include <cstdint>
#include <unordered_map>

namespace {

std::uint32_t Address(const CSequenceEntry& entry)
{
    return static_cast<std::uint32_t>(entry.GetKind()) << 16 | static_cast<std::uint32_t>(entry.GetByte()) << 8 |
           entry.GetBit();
}

} // namespace

CDuplicateOperands::CDuplicateOperands(const CSequenceFile* file)
{
    if (!file)
        return;
    const int count = file->GetCount();
    std::unordered_map<std::uint32_t, int> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        ++lines[Address(*file->GetEntry(i))];
    for (const auto& [address, number] : lines)
        if (number > 1)
            ++m_operands;
    if (m_operands == 0)
        return;
    for (int i = 0; i < count; ++i) {
        const CSequenceEntry* entry = file->GetEntry(i);
        if (lines[Address(*entry)] > 1)
            m_entries.insert(entry);
    }
}
