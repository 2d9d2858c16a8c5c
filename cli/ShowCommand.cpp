#include "cli/ShowCommand.h"

#include "cli/ExitCode.h"
#include "cli/ProjectInput.h"
#include "data/Charset.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/ProjectFiles.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <vector>

using charset::Cp1252ToUtf8;
using nlohmann::ordered_json;

namespace {

struct ShownGroup {
    CStepChainGroup* group;
    std::string error; // empty when the group loaded
};

ordered_json TextJson(const CStepChainText& text)
{
    return {
        {"byte", text.GetOperand()},
        {"bit", text.GetBit()},
        {"attr", {text.GetAttribute1(), text.GetAttribute2()}},
        {"text", Cp1252ToUtf8(text.GetText())},
    };
}

ordered_json ListJson(const CStepChainList& list)
{
    ordered_json texts = ordered_json::array();
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(TextJson(*list.GetText(i)));
    return {
        {"id", Cp1252ToUtf8(list.GetListId())},
        {"kind", list.GetKindLetter()},
        {"name", Cp1252ToUtf8(list.GetName())},
        {"texts", std::move(texts)},
    };
}

ordered_json GroupJson(const ShownGroup& shown)
{
    const CStepChainGroup& group = *shown.group;
    ordered_json json = {
        {"id", Cp1252ToUtf8(group.GetGroupId())},
        {"file", Cp1252ToUtf8(group.GetFileName())},
        {"name", Cp1252ToUtf8(group.GetName())},
    };
    if (!shown.error.empty()) {
        json["error"] = shown.error;
        return json;
    }
    ordered_json lists = ordered_json::array();
    for (int i = 0; i < group.GetCount(); ++i)
        lists.push_back(ListJson(*group.GetList(i)));
    json["lists"] = std::move(lists);
    return json;
}

void PrintJson(const CPanelProject& project, const std::vector<ShownGroup>& groups)
{
    ordered_json shownGroups = ordered_json::array();
    for (const ShownGroup& shown : groups)
        shownGroups.push_back(GroupJson(shown));
    const ordered_json json = {
        {"project",
         {{"name", Cp1252ToUtf8(project.GetName())},
          {"date", project.GetDateText()},
          {"dataFile", project.GetDataFileName()}}},
        {"groups", std::move(shownGroups)},
    };
    // The date comes in the locale's encoding; anything that is not UTF-8
    // is replaced rather than failing the whole output.
    std::cout << json.dump(-1, ' ', false, ordered_json::error_handler_t::replace) << '\n';
}

void PrintText(const CPanelProject& project, const std::vector<ShownGroup>& groups)
{
    std::cout << "project " << Cp1252ToUtf8(project.GetName()) << "  " << project.GetDataFileName() << "  "
              << project.GetDateText() << '\n';
    for (const ShownGroup& shown : groups) {
        const CStepChainGroup& group = *shown.group;
        std::cout << group.GetFileName() << "  " << Cp1252ToUtf8(group.GetGroupId()) << "  "
                  << Cp1252ToUtf8(group.GetName()) << '\n';
        if (!shown.error.empty()) {
            std::cout << "  cannot be read: " << shown.error << '\n';
            continue;
        }
        for (int i = 0; i < group.GetCount(); ++i) {
            const CStepChainList& list = *group.GetList(i);
            std::cout << "  " << Cp1252ToUtf8(list.GetColumnText(1)) << "  " << Cp1252ToUtf8(list.GetName()) << '\n';
            for (int j = 0; j < list.GetCount(); ++j) {
                const CStepChainText& text = *list.GetText(j);
                std::cout << "    " << Cp1252ToUtf8(text.GetOperandName()) << "  [" << int{text.GetAttribute1()}
                          << ',' << int{text.GetAttribute2()} << "]  " << Cp1252ToUtf8(text.GetText()) << '\n';
            }
        }
    }
}

} // namespace

CShowCommand::CShowCommand(CLI::App& parent)
    : m_command(parent.add_subcommand("show", "Dump the groups, lists and texts of a panel project"))
{
    m_command->add_option("dir", m_folder, "Panel project folder")->required();
    m_command->add_option("group", m_group, "Only this group: S01, GS01 or GS01.731");
    m_command->add_flag("--json", m_json, "Print one JSON object");
}

bool CShowCommand::Chosen() const
{
    return m_command->parsed();
}

bool CShowCommand::Selects(const CStepChainGroup& group) const
{
    if (m_group.empty())
        return true;
    const std::string name = m_group.substr(0, m_group.find('.'));
    return project_files::EqualsIgnoringCase(name, group.GetBaseName())
        || project_files::EqualsIgnoringCase(name, group.GetGroupId());
}

int CShowCommand::Run() const
{
    const auto project = OpenProject(m_folder, "show");
    if (!project)
        return exit_code::kNotProject;
    const CGroupFolder* folder = project->GetGroupFolder();
    std::vector<ShownGroup> groups;
    bool failed = false;
    for (int i = 0; i < folder->GetCount(); ++i) {
        CStepChainGroup* group = folder->GetGroup(i);
        if (!Selects(*group))
            continue;
        groups.push_back({group, LoadGroup(*group)});
        failed = failed || !groups.back().error.empty();
    }
    if (!m_group.empty() && groups.empty()) {
        std::cerr << "morawin-cli show: no group " << m_group << " in " << m_folder << '\n';
        return exit_code::kUsage;
    }
    if (m_json)
        PrintJson(*project, groups);
    else
        PrintText(*project, groups);
    return failed ? exit_code::kGroupUnreadable : exit_code::kOk;
}
