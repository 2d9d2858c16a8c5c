#pragma once

#include <cstddef>
#include <unordered_set>

class CSequenceEntry;
class CSequenceFile;

// The operands that a sequence file names more than once (same kind, byte
// and bit, or same number). A conversion takes the text of the last such
// line, so the view marks all of them.
class CDuplicateOperands {
public:
    CDuplicateOperands() = default;
    explicit CDuplicateOperands(const CSequenceFile* file);

    bool Contains(const CSequenceEntry* entry) const { return m_entries.count(entry) != 0; }
    // How many operands occur more than once.
    std::size_t OperandCount() const { return m_operands; }
    // How many entries belong to such operands.
    std::size_t EntryCount() const { return m_entries.size(); }

private:
    std::unordered_set<const CSequenceEntry*> m_entries;
    std::size_t m_operands = 0;
};
