#pragma once

#include <cstdint>
#include <memory>
#include <optional>
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
// A group whose header gives another size than its file has is damaged and
// counts as unreadable.
std::string LoadGroup(CStepChainGroup& group);

// What LoadGroup said, as a line tells it: "cannot be read: ..." or
// "damaged: ...".
std::string ProblemOfGroup(const std::string& error);

// The length of the group's file, if it can be found out.
std::optional<std::uintmax_t> SizeOnDisk(const CStepChainGroup& group);
