#pragma once

#include <string>
#include <string_view>

// The wildcard of a file dialog from a filter text of the string table
// ("SEQ Dateien (*.seq)|*.seq|Alle Dateien (*.*)|*.*||"): the closing "|"
// go, and since Linux file names are case-sensitive, each "*.ext" pattern
// also matches "*.EXT" (sequence files often come from Windows machines).
// "*.*" stands for every file and becomes "*".
std::string FileDialogWildcard(std::string_view filter);
