#pragma once

#include "cli/TableOptions.h"

#include <filesystem>
#include <string>

namespace CLI {
class App;
}

// morawin-cli diff SEQ PROJECT [--kinds LETTERS] [--settings FILE] [--json]
// [--apply]: what a conversion would change in the project's texts, and
// with --apply the changed texts replaced in place.
class CDiffCommand {
public:
    // `settingsFile`: the settings file when --settings does not name one;
    // `historyFolder`: where the projects' histories are kept.
    CDiffCommand(CLI::App& parent, std::filesystem::path settingsFile, std::filesystem::path historyFolder);
    bool Chosen() const;
    int Run() const;

private:
    CLI::App* m_command;
    std::filesystem::path m_defaultSettings;
    std::filesystem::path m_historyFolder;
    std::string m_sequenceFile;
    std::string m_projectDir;
    std::string m_kinds;
    CTableOptions m_table;
    std::string m_settingsFile;
    bool m_json = false;
    bool m_apply = false;
};
