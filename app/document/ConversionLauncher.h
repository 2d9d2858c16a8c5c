#pragma once

#include "convert/ConversionMode.h"

#include <vector>

class CAppSettings;
class CPanelProject;
class CProjectHistory;
class CSequenceEntry;
class wxWindow;

// Hands operands to the conversion into `project`: the operands the user
// selected, or all operands the list shows (`mode`). The operands come in the list's order, from the top row down; the settings
// give the conversion's switches and limits. With a history the run is one
// operation of it.
void RunConversion(wxWindow* parent, ConversionMode mode, CPanelProject& project, const std::vector<CSequenceEntry*>& operands,
                   const CAppSettings& settings, CProjectHistory* history);
