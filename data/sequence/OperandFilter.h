#pragma once

#include <optional>
#include <string_view>
#include <vector>

class CSequenceEntry;
class CSequenceFile;

// Which operand kinds are shown or worked on: the filter of an operand list
// view (every view has its own, so two windows on one document are
// filtered independently) and of the command-line tool's --kinds.
//
// Only the five operand kinds E, A, M, T and Z can pass. Entries of kind 0
// never do: the reader makes none, the view lists none, and no --kinds
// letter names one.
class COperandFilter {
public:
    bool ShowInputs = true;
    bool ShowOutputs = true;
    bool ShowMarkers = true;
    bool ShowTimers = true;
    bool ShowCounters = true;

    // From a text of kind letters (E A M T Z, either case); an empty text
    // shows every kind. Null when the text holds a letter that is no kind.
    static std::optional<COperandFilter> FromLetters(std::string_view letters);

    bool Shows(int kind) const;
    bool ShowsAllKinds() const;

    bool operator==(const COperandFilter&) const = default;
};

// The entries of `file` that the filter lets through, in the file's order:
// the rows of an operand view with that filter.
std::vector<CSequenceEntry*> FilteredOperands(const CSequenceFile& file, const COperandFilter& filter);
