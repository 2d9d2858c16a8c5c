#pragma once

#include <memory>
#include <string>

class CPanelProject;
class CStepChainGroup;

// Opens the panel project in `folder` for a command and loads its group
// folder. Null (after one line on stderr with the reason) when the folder
// is not a panel project.
std::unique_ptr<CPanelProject> OpenProject(const std::string& folder, const std::string& command);

// Why the project is not valid, in one line ("no data file SDAT.731 or
// SDAT.SYS", "header of SDAT.731 cut short", ...).
std::string ProblemText(const CPanelProject& project);

// Loads the group if needed; on failure returns why, else an empty text.
std::string LoadGroup(CStepChainGroup& group);
// Why the group's last Load failed, in a few words.
std::string LoadErrorText(const CStepChainGroup& group);
