#include "app/OperandFilter.h"

#include "data/SequenceEntry.h"
#include "data/SequenceFile.h"

bool COperandFilter::Shows(int kind) const
{
    switch (kind) {
    case kKindInput:
        return ShowInputs;
    case kKindOutput:
        return ShowOutputs;
    case kKindMarker:
        return ShowMarkers;
    case kKindTimer:
        return ShowTimers;
    case kKindCounter:
        return ShowCounters;
    default:
        return false;
    }
}

std::vector<CSequenceEntry*> COperandFilter::Collect(const CSequenceFile* file) const
{
    std::vector<CSequenceEntry*> rows;
    if (!file)
        return rows;
    const int count = file->GetCount();
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        CSequenceEntry* entry = file->GetEntry(i);
        if (Shows(entry->GetKind()))
            rows.push_back(entry);
    }
    return rows;
}
