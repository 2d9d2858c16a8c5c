#include "convert/ConvertedOperands.h"

#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

std::vector<CSequenceEntry*> ConvertedOperands(const std::vector<CSequenceEntry*>& rows)
{
    std::unordered_map<std::uint32_t, CSequenceEntry*> last;
    std::unordered_set<const CSequenceFile*> files;
    for (CSequenceEntry* row : rows) {
        last[row->SortKey()] = row;
        if (const auto* file = dynamic_cast<const CSequenceFile*>(row->GetParent()))
            files.insert(file);
    }
    // A selected row may be an earlier line of an operand whose later line
    // is not selected; the file keeps its lines in file order per operand.
    for (const CSequenceFile* file : files) {
        for (int i = 0; i < file->GetCount(); ++i) {
            CSequenceEntry* line = file->GetEntry(i);
            const auto found = last.find(line->SortKey());
            if (found != last.end() && found->second->GetParent() == file)
                found->second = line;
        }
    }
    std::vector<CSequenceEntry*> operands;
    std::unordered_set<std::uint32_t> taken;
    for (CSequenceEntry* row : rows)
        if (taken.insert(row->SortKey()).second)
            operands.push_back(last[row->SortKey()]);
    return operands;
}
