#pragma once

#include <filesystem>
#include <string>

namespace CLI {
class App;
}

// morawin-cli undo PROJECT [ID] [--only-unchanged] and morawin-cli redo
// PROJECT [--only-unchanged]: takes back operations of the project's
// history (see CProjectHistory).
class CTakeBackCommand {
public:
    enum class Direction { undo, redo };

    CTakeBackCommand(CLI::App& parent, Direction direction, std::filesystem::path settingsFile,
                     std::filesystem::path historyFolder);
    bool Chosen() const;
    int Run() const;

private:
    CLI::App* m_command;
    Direction m_direction;
    std::filesystem::path m_defaultSettings;
    std::filesystem::path m_historyFolder;
    std::string m_projectDir;
    int m_id = 0;
    std::string m_settingsFile;
    bool m_onlyUnchanged = false;
};
