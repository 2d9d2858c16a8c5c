#include "cli/ProjectCommand.h"

#include "cli/ExitCode.h"
#include "cli/ProjectInput.h"
#include "cli/TextColumns.h"
#include "data/platform/Platform.h"
#include "data/text/Charset.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"

#include <CLI/CLI.hpp>

#include <iomanip>
#include <iostream>

using charset::Cp1252ToUtf8;
using text_columns::Padded;

CProjectCommand::CProjectCommand(CLI::App& parent)
    : m_command(parent.add_subcommand("project", "Tell whether a folder is a panel project and list its groups"))
{
    m_command->add_option("dir", m_folder, "Panel project folder")->required();
}

bool CProjectCommand::Chosen() const
{
    return m_command->parsed();
}

int CProjectCommand::Run() const
{
    const auto project = OpenProject(m_folder, "project");
    if (!project)
        return exit_code::kNotProject;
    const CGroupFolder* folder = project->GetGroupFolder();
    std::cout << "panel project " << platform::PathToUtf8(project->GetProjectDir()) << '\n'
              << "name:      " << Cp1252ToUtf8(project->GetName()) << '\n'
              << "date:      " << project->GetDateText() << '\n'
              << "data file: " << Cp1252ToUtf8(project->GetDataFileName()) << '\n'
              << "groups:    " << folder->GetCount() << '\n';
    if (folder->GetCount() > 0)
        std::cout << "id   file      lists  bytes  designation\n";
    for (int i = 0; i < folder->GetCount(); ++i) {
        CStepChainGroup* group = folder->GetGroup(i);
        const std::string error = LoadGroup(*group);
        std::cout << Padded(Cp1252ToUtf8(group->GetGroupId()), 5) << Padded(Cp1252ToUtf8(group->GetFileName()), 10)
                  << std::setw(5);
        if (error.empty())
            std::cout << group->GetCount();
        else
            std::cout << '-';
        // What is on disk: a damaged header may say something else.
        const auto size = SizeOnDisk(*group);
        std::cout << std::setw(7);
        if (size)
            std::cout << *size;
        else
            std::cout << '-';
        std::cout << "  " << Cp1252ToUtf8(group->GetName());
        if (!error.empty())
            std::cout << "  (" << ProblemOfGroup(error) << ')';
        std::cout << '\n';
    }
    return exit_code::kOk;
}
