#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

class CSequenceEntry;
class CSequenceFile;

// The operands that a sequence file names more than once (same kind, byte
// and bit, or same number). A conversion takes the text of the last such
// line, so the operand view marks all of them and the command line names
// them before it converts.
class CDuplicateOperands {
public:
    CDuplicateOperands() = default;
    explicit CDuplicateOperands(const CSequenceFile* file);
    explicit CDuplicateOperands(const std::vector<CSequenceEntry*>& entries);

    bool Contains(const CSequenceEntry* entry) const { return m_entries.count(entry) != 0; }
    // How many operands occur more than once.
    std::size_t OperandCount() const { return m_names.size(); }
    // How many entries belong to such operands.
    std::size_t EntryCount() const { return m_entries.size(); }
    // Each such operand once ("E001.00"), in the order of the entries.
    const std::vector<std::string>& Names() const { return m_names; }

private:
    void Find(const std::vector<const CSequenceEntry*>& entries);

    std::unordered_set<const CSequenceEntry*> m_entries;
    std::vector<std::string> m_names;
};
