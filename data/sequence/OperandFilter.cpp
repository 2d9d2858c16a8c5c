#include "data/sequence/OperandFilter.h"

#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"

#include <cctype>

std::optional<COperandFilter> COperandFilter::FromLetters(std::string_view letters)
{
    COperandFilter filter;
    if (letters.empty())
        return filter;
    filter.ShowInputs = filter.ShowOutputs = filter.ShowMarkers = filter.ShowTimers = filter.ShowCounters = false;
    for (const char c : letters) {
        switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'E': filter.ShowInputs = true; break;
        case 'A': filter.ShowOutputs = true; break;
        case 'M': filter.ShowMarkers = true; break;
        case 'T': filter.ShowTimers = true; break;
        case 'Z': filter.ShowCounters = true; break;
        default: return std::nullopt;
        }
    }
    return filter;
}

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

bool COperandFilter::ShowsAllKinds() const
{
    return *this == COperandFilter();
}

std::vector<CSequenceEntry*> FilteredOperands(const CSequenceFile& file, const COperandFilter& filter)
{
    const int count = file.GetCount();
    std::vector<CSequenceEntry*> operands;
    operands.reserve(static_cast<std::size_t>(count));
    // The reader keeps only operand lines, all of the five kinds: a filter
    // that shows all five lets every entry through without looking at it,
    // which in a large file saves a cache miss for each.
    const bool all = filter.ShowsAllKinds();
    for (int i = 0; i < count; ++i) {
        CSequenceEntry* entry = file.GetEntry(i);
        if (all || filter.Shows(entry->GetKind()))
            operands.push_back(entry);
    }
    return operands;
}
