#pragma once

#include <filesystem>
#include <string>

class CPanelProject;

// Whether `folder` holds a valid panel project; `name` gets the project's
// name (Windows-1252), or is emptied when it does not. Reports nothing: a
// folder that cannot be read is simply not a project.
bool IsProjectFolder(const std::filesystem::path& folder, std::string& name);
// The same; `reason` (UTF-8) says why the folder is not a project, and is
// emptied when it is one.
bool IsProjectFolder(const std::filesystem::path& folder, std::string& name, std::string& reason);

// Why a folder is not a panel project, in one German line (UTF-8) that
// starts "Kein RZ731-Projekt: "; empty for a valid project. The reasons are
// those the command-line tool gives.
std::string ProjectProblemText(const CPanelProject& project);
