#pragma once

#include <vector>

class CAppSettings;
class CPanelProject;
class CSequenceEntry;
class wxWindow;

// Hands operands to the conversion into `project`: mode 0 converts the
// operands the user selected, mode 1 all operands the list shows. The
// operands come in the list's order, from the top row down; the settings
// give the conversion's switches and limits.
void RunConversion(wxWindow* parent, int mode, CPanelProject& project, const std::vector<CSequenceEntry*>& operands,
                   const CAppSettings& settings);
