#pragma once

#include <vector>

class CSequenceEntry;

// The operands a conversion takes from the rows it is given: each operand
// (kind, byte and bit, or number) once, at the place of its first row, with
// the last line its sequence file has for it, as the operand view's
// duplicate mark tells the user. The converter and the comparison both
// take their operands from here.
std::vector<CSequenceEntry*> ConvertedOperands(const std::vector<CSequenceEntry*>& rows);
