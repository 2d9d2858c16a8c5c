#pragma once

#include <vector>

class CSequenceEntry;
class CSequenceFile;

// Which operand kinds a list view shows. Every view has its own filter, so
// two windows on one document are filtered independently.
class COperandFilter {
public:
    bool ShowInputs = true;
    bool ShowOutputs = true;
    bool ShowMarkers = true;
    bool ShowTimers = true;
    bool ShowCounters = true;

    // Kinds other than E, A, M, T and Z are never shown.
    bool Shows(int kind) const;
    // The entries the filter lets through, in the file's order; nothing for
    // a document without a sequence file.
    std::vector<CSequenceEntry*> Collect(const CSequenceFile* file) const;

    bool operator==(const COperandFilter&) const = default;
};
