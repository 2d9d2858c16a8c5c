#pragma once

#include <string>

namespace CLI {
class App;
}

// morawin-cli project DIR
class CProjectCommand {
public:
    explicit CProjectCommand(CLI::App& parent);
    bool Chosen() const;
    int Run() const;

private:
    CLI::App* m_command;
    std::string m_folder;
};
