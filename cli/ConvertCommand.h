#pragma once

#include <filesystem>
#include <string>

namespace CLI {
class App;
}

// morawin-cli convert SEQ PROJECT [options]: converts operands into the
// project's step-chain groups through the conversion engine.
class CConvertCommand {
public:
    // `settingsFile`: the settings file when --settings does not name one.
    CConvertCommand(CLI::App& parent, std::filesystem::path settingsFile);
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

    CLI::App* m_command;
    std::filesystem::path m_defaultSettings;
    Options m_options;
};
