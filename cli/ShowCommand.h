#pragma once

#include <string>

namespace CLI {
class App;
}

class CStepChainGroup;

// morawin-cli show DIR [GROUP] [--json]
class CShowCommand {
public:
    explicit CShowCommand(CLI::App& parent);
    bool Chosen() const;
    int Run() const;

private:
    // Whether GROUP (S01, GS01 or GS01.731, any case) names this group.
    bool Selects(const CStepChainGroup& group) const;

    CLI::App* m_command;
    std::string m_folder;
    std::string m_group;
    bool m_json = false;
};
