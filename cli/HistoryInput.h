#pragma once

#include <filesystem>
#include <memory>
#include <string>

class CPanelProject;
class CProjectHistory;

// The history of `project` below `historyFolder`, with the limits of the
// settings file (`settingsOption` when given, else `defaultSettings`).
// Null, after one line on stderr, when the settings turn it off.
std::unique_ptr<CProjectHistory> OpenHistory(const std::filesystem::path& historyFolder, const CPanelProject& project,
                                             const std::string& settingsOption,
                                             const std::filesystem::path& defaultSettings, const std::string& command);
