#pragma once

#include "cli/ConsoleHost.h"
#include "cli/ScratchProject.h"
#include "cli/TableOptions.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class CAppSettings;
class CJsonWriter;
class CPanelProject;
class CSequenceEntry;

namespace CLI {
class App;
}

// morawin-cli convert SEQ PROJECT [options]: converts operands into the
// project's step-chain groups through the conversion engine.
class CConvertCommand {
public:
    // `settingsFile`: the settings file when --settings does not name one;
    // `historyFolder`: where the projects' histories are kept.
    CConvertCommand(CLI::App& parent, std::filesystem::path settingsFile, std::filesystem::path historyFolder);
    bool Chosen() const;
    int Run() const;

private:
    struct Options {
        std::string sequenceFile;
        std::string projectDir;
        bool all = false;
        std::string kinds;
        std::string groupId;
        std::string listId;
        std::string groupName;
        std::string listName;
        std::string answer;
        std::string settingsFile;
        bool dryRun = false;
        bool json = false;
    };

    // What a run converted and what it left.
    struct Outcome {
        std::size_t operands = 0;
        std::size_t remaining = 0;
        std::size_t skipped = 0;
        bool unreadable = false;
        bool unsaved = false;

        int ExitCode() const;
    };

    bool OptionsUsable(bool kindsValid, bool answerValid) const;
    std::filesystem::path ProjectFolder(std::optional<CScratchProject>& scratch) const;
    CAppSettings LoadSettings() const;
    bool Convert(CPanelProject& project, const std::vector<CSequenceEntry*>& operands, const CAppSettings& settings,
                 CConsoleHost::Answer answer, Outcome& outcome) const;
    void PrintSummary(const Outcome& outcome, const std::vector<std::string>& changes) const;
    void WriteSummary(CJsonWriter& json, const Outcome& outcome, const std::vector<std::string>& changes) const;

    CLI::App* m_command;
    std::filesystem::path m_defaultSettings;
    std::filesystem::path m_historyFolder;
    Options m_options;
    CTableOptions m_table;
};
