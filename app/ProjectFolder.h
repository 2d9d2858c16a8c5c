#pragma once

#include <filesystem>
#include <string>

// Whether `folder` holds a valid panel project; `name` gets the project's
// name (Windows-1252), or is emptied when it does not. Reports nothing: a
// folder that cannot be read is simply not a project.
bool IsProjectFolder(const std::filesystem::path& folder, std::string& name);
