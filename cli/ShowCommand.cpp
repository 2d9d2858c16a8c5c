#include "cli/ShowCommand.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/OutputBuffer.h"
#include "cli/ProjectInput.h"
#include "data/text/Charset.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/ProjectFiles.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <vector>


namespace {

struct ShownGroup {
    CStepChainGroup* group;
    std::string error; // empty when the group loaded
};

// Member names, quoted once for all the texts of a project.
namespace key {
const CJsonWriter::Name kAttr("attr");
const CJsonWriter::Name kBit("bit");
const CJsonWriter::Name kByte("byte");
const CJsonWriter::Name kDataFile("dataFile");
const CJsonWriter::Name kDate("date");
const CJsonWriter::Name kError("error");
const CJsonWriter::Name kFile("file");
const CJsonWriter::Name kGroups("groups");
const CJsonWriter::Name kId("id");
const CJsonWriter::Name kKind("kind");
const CJsonWriter::Name kLists("lists");
const CJsonWriter::Name kName("name");
const CJsonWriter::Name kProject("project");
const CJsonWriter::Name kText("text");
const CJsonWriter::Name kTexts("texts");
} // namespace key

void WriteText(CJsonWriter& json, const CStepChainText& text)
{
    json.BeginObject();
    json.Key(key::kByte).Number(text.GetOperand());
    json.Key(key::kBit).Number(text.GetBit());
    json.Key(key::kAttr).BeginArray().Number(text.GetAttribute1()).Number(text.GetAttribute2()).EndArray();
    json.Key(key::kText).Cp1252String(text.GetText());
    json.EndObject();
}

void WriteList(CJsonWriter& json, const CStepChainList& list)
{
    json.BeginObject();
    json.Key(key::kId).Cp1252String(list.GetListId());
    json.Key(key::kKind).String(list.GetKindLetter());
    json.Key(key::kName).Cp1252String(list.GetName());
    json.Key(key::kTexts).BeginArray();
    for (int i = 0; i < list.GetCount(); ++i)
        WriteText(json, *list.GetText(i));
    json.EndArray();
    json.EndObject();
}

void WriteGroup(CJsonWriter& json, const ShownGroup& shown)
{
    const CStepChainGroup& group = *shown.group;
    json.BeginObject();
    json.Key(key::kId).Cp1252String(group.GetGroupId());
    json.Key(key::kFile).Cp1252String(group.GetFileName());
    json.Key(key::kName).Cp1252String(group.GetName());
    if (!shown.error.empty()) {
        json.Key(key::kError).String(shown.error);
    } else {
        json.Key(key::kLists).BeginArray();
        for (int i = 0; i < group.GetCount(); ++i)
            WriteList(json, *group.GetList(i));
        json.EndArray();
    }
    json.EndObject();
}

void PrintJson(COutputBuffer& out, const CPanelProject& project, const std::vector<ShownGroup>& groups)
{
    CJsonWriter json(out);
    json.BeginObject();
    // The date comes in the locale's encoding; anything in it that is not
    // UTF-8 is replaced rather than failing the whole output.
    json.Key(key::kProject).BeginObject();
    json.Key(key::kName).Cp1252String(project.GetName());
    json.Key(key::kDate).String(project.GetDateText());
    json.Key(key::kDataFile).String(project.GetDataFileName());
    json.EndObject();
    json.Key(key::kGroups).BeginArray();
    for (const ShownGroup& shown : groups)
        WriteGroup(json, shown);
    json.EndArray();
    json.EndObject();
    out.Put('\n');
}

void PrintText(COutputBuffer& out, const CPanelProject& project, const std::vector<ShownGroup>& groups)
{
    out.Write("project ");
    out.WriteCp1252(project.GetName());
    out.Write("  ");
    out.Write(project.GetDataFileName());
    out.Write("  ");
    out.Write(project.GetDateText());
    out.Put('\n');
    for (const ShownGroup& shown : groups) {
        const CStepChainGroup& group = *shown.group;
        out.WriteCp1252(group.GetFileName());
        out.Write("  ");
        out.WriteCp1252(group.GetGroupId());
        out.Write("  ");
        out.WriteCp1252(group.GetName());
        out.Put('\n');
        if (!shown.error.empty()) {
            out.Write("  ");
            out.Write(ProblemOfGroup(shown.error));
            out.Put('\n');
            continue;
        }
        for (int i = 0; i < group.GetCount(); ++i) {
            const CStepChainList& list = *group.GetList(i);
            out.Write("  ");
            out.WriteCp1252(list.GetKindAndId());
            out.Write("  ");
            out.WriteCp1252(list.GetName());
            out.Put('\n');
            for (int j = 0; j < list.GetCount(); ++j) {
                const CStepChainText& text = *list.GetText(j);
                out.Write("    ");
                out.WriteCp1252(text.GetOperandName());
                out.Write("  [");
                out.WriteUnsigned(text.GetAttribute1());
                out.Put(',');
                out.WriteUnsigned(text.GetAttribute2());
                out.Write("]  ");
                out.WriteCp1252(text.GetText());
                out.Put('\n');
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
    // Typed on a terminal: UTF-8, where the groups' names are Windows-1252.
    const std::string wanted = charset::Utf8ToCp1252(m_group);
    const std::string name = wanted.substr(0, wanted.find('.'));
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
    COutputBuffer out;
    if (m_json)
        PrintJson(out, *project, groups);
    else
        PrintText(out, *project, groups);
    out.Flush();
    return failed ? exit_code::kGroupUnreadable : exit_code::kOk;
}
