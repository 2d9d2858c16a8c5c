#include "cli/TakeBackCommand.h"

#include "cli/ExitCode.h"
#include "cli/HistoryInput.h"
#include "cli/ProjectInput.h"
#include "data/text/Charset.h"
#include "history/ProjectHistory.h"
#include "panel/PanelProject.h"

#include <CLI/CLI.hpp>

#include <iostream>

using Outcome = CProjectHistory::TakeBack::Outcome;

CTakeBackCommand::CTakeBackCommand(CLI::App& parent, Direction direction, std::filesystem::path settingsFile,
                                   std::filesystem::path historyFolder)
    : m_command(parent.add_subcommand(direction == Direction::undo ? "undo" : "redo",
                                      direction == Direction::undo
                                          ? "Take back the newest operation of a panel project, or all down to ID"
                                          : "Take back the newest undo of a panel project")),
      m_direction(direction),
      m_defaultSettings(std::move(settingsFile)),
      m_historyFolder(std::move(historyFolder))
{
    m_command->add_option("project", m_projectDir, "Panel project folder")->required();
    if (direction == Direction::undo)
        m_command->add_option("id", m_id, "Take back every operation down to and including this one (see history)")
            ->check(CLI::PositiveNumber);
    m_command->add_flag("--only-unchanged", m_onlyUnchanged,
                        "Take back the files that nothing changed since, leaving the others as they are");
    m_command->add_option("--settings", m_settingsFile, "Settings file with the [History] limits (default: see Files below)");
    m_command->footer("Exit status: 0 done, 1 usage or no such operation, 3 not a panel project, "
                      "5 refused: a file changed since (named on stderr), 7 the history cannot be written.");
}

bool CTakeBackCommand::Chosen() const
{
    return m_command->parsed();
}

int CTakeBackCommand::Run() const
{
    const std::string name = m_direction == Direction::undo ? "undo" : "redo";
    const auto project = OpenProject(m_projectDir, name);
    if (!project)
        return exit_code::kNotProject;
    const auto history = OpenHistory(m_historyFolder, *project, m_settingsFile, m_defaultSettings, name);
    if (!history)
        return exit_code::kUsage;
    const auto result = m_direction == Direction::undo
        ? history->Undo(m_id > 0 ? std::optional<int>(m_id) : std::nullopt, m_onlyUnchanged)
        : history->Redo(m_onlyUnchanged);
    for (const std::string& message : result.messages)
        std::cerr << "morawin-cli " << name << ": " << charset::Cp1252ToUtf8(message) << '\n';
    switch (result.outcome) {
    case Outcome::done: std::cout << charset::Cp1252ToUtf8(result.description) << '\n'; return exit_code::kOk;
    case Outcome::nothing:
        std::cerr << "morawin-cli " << name << ": "
                  << (m_id > 0 ? "no operation " + std::to_string(m_id) + " to take back"
                               : std::string("nothing to ") + (m_direction == Direction::undo ? "undo" : "redo"))
                  << '\n';
        return exit_code::kUsage;
    case Outcome::refused: return exit_code::kRefused;
    case Outcome::failed: return exit_code::kFailed;
    }
    return exit_code::kFailed;
}
