#pragma once

#include <filesystem>
#include <string>

namespace CLI {
class App;
}

// morawin-cli history PROJECT [--json] [--settings FILE]: the operations
// the project's history keeps, newest first.
class CHistoryCommand {
public:
    CHistoryCommand(CLI::App& parent, std::filesystem::path settingsFile, std::filesystem::path historyFolder);
    bool Chosen() const;
    int Run() const;

private:
    CLI::App* m_command;
    std::filesystem::path m_defaultSettings;
    std::filesystem::path m_historyFolder;
    std::string m_projectDir;
    std::string m_settingsFile;
    bool m_json = false;
};
