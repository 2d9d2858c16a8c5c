#pragma once

#include "cli/TableOptions.h"

#include <string>

namespace CLI {
class App;
}

// morawin-cli operands FILE [--kinds LETTERS] [--json] [table options]
class COperandsCommand {
public:
    explicit COperandsCommand(CLI::App& parent);
    bool Chosen() const;
    int Run() const;

private:
    CLI::App* m_command;
    std::string m_file;
    std::string m_kinds;
    bool m_json = false;
    CTableOptions m_table;
};
