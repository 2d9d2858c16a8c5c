#include "cli/DiffCommand.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/OutputBuffer.h"
#include "cli/ProjectInput.h"
#include "cli/SequenceInput.h"
#include "cli/TextColumns.h"
#include "convert/ProjectComparison.h"
#include "data/settings/AppSettings.h"
#include "data/text/Charset.h"
#include "data/platform/Platform.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "history/ProjectHistory.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

using charset::Cp1252ToUtf8;
using text_columns::Padded;
using Row = CProjectComparison::Row;
using Status = CProjectComparison::Status;

namespace {

// A text in double quotes, with control characters, quotes and
// backslashes escaped, so that every byte of it can be seen.
std::string Quoted(const std::string& cp1252)
{
    std::string out = "\"";
    for (const char c : Cp1252ToUtf8(cp1252)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

void PrintTextRow(const Row& row)
{
    const bool placed = row.group != nullptr;
    std::cout << Padded(CProjectComparison::StatusName(row.status), 8) << Padded(Cp1252ToUtf8(row.OperandName()), 9)
              << Padded(placed ? Cp1252ToUtf8(row.group->GetGroupId()) : "-", 4)
              << Padded(placed ? Cp1252ToUtf8(row.list->GetListId()) : "-", 5);
    switch (row.status) {
    case Status::changed: std::cout << Quoted(row.StoredText()) << " → " << Quoted(row.NewText()); break;
    case Status::added: std::cout << "→ " << Quoted(row.NewText()); break;
    default: std::cout << Quoted(row.StoredText()); break;
    }
    std::cout << '\n';
}

void PrintJson(const CProjectComparison& comparison)
{
    // Row by row, straight to the output: a large project gives a quarter
    // million rows.
    static const CJsonWriter::Name kOperand("operand"), kStatus("status"), kGroup("group"), kList("list"),
        kOld("old"), kNew("new");
    COutputBuffer out;
    CJsonWriter json(out);
    json.BeginObject().Key("rows").BeginArray();
    for (const Row& row : comparison.GetRows()) {
        json.BeginObject().Key(kOperand).Cp1252String(row.OperandName());
        json.Key(kStatus).String(CProjectComparison::StatusName(row.status));
        if (row.group) {
            json.Key(kGroup).Cp1252String(row.group->GetGroupId());
            json.Key(kList).Cp1252String(row.list->GetListId());
            json.Key(kOld).Cp1252String(row.StoredText());
        }
        if (row.status != Status::orphan)
            json.Key(kNew).Cp1252String(row.NewText());
        json.EndObject();
    }
    const auto& counts = comparison.GetCounts();
    json.EndArray().Key("summary").BeginObject();
    json.Key("same").Number(static_cast<std::int64_t>(counts.same));
    json.Key("changed").Number(static_cast<std::int64_t>(counts.changed));
    json.Key("new").Number(static_cast<std::int64_t>(counts.added));
    json.Key("orphan").Number(static_cast<std::int64_t>(counts.orphan));
    json.EndObject().EndObject();
    out.Put('\n');
    out.Flush();
}

void PrintText(const CProjectComparison& comparison)
{
    for (const Row& row : comparison.GetRows())
        if (row.status != Status::same)
            PrintTextRow(row);
    const auto& counts = comparison.GetCounts();
    std::cout << counts.same << " same, " << counts.changed << " changed, " << counts.added << " new, "
              << counts.orphan << " orphan\n";
}

void ReportApplied(const CProjectComparison::ApplyResult& result)
{
    if (result.savedFiles.empty())
        return;
    std::cerr << "morawin-cli diff: " << result.replaced << (result.replaced == 1 ? " text" : " texts")
              << " replaced in";
    for (const std::string& file : result.savedFiles)
        std::cerr << ' ' << file;
    std::cerr << '\n';
}

} // namespace

CDiffCommand::CDiffCommand(CLI::App& parent, std::filesystem::path settingsFile, std::filesystem::path historyFolder)
    : m_command(parent.add_subcommand("diff", "Compare a sequence file with the texts of a panel project")),
      m_defaultSettings(std::move(settingsFile)),
      m_historyFolder(std::move(historyFolder))
{
    m_command->add_option("sequence", m_sequenceFile, "Symbol table: *.seq, *.csv, *.tsv, *.txt or *.xlsx")->required();
    m_command->add_option("project", m_projectDir, "Panel project folder")->required();
    m_command->add_option("--kinds", m_kinds, "Only these kinds, letters of E A M T Z");
    m_command->add_option("--settings", m_settingsFile,
                          "Settings file whose text switches give the expected texts (default: see Files below)");
    m_command->add_flag("--json", m_json, "Print one JSON object with every row and the counts");
    m_table.AddTo(*m_command);
    m_command->add_flag("--apply", m_apply,
                        "Replace each changed text in place and write each touched group once; "
                        "new operands are not added and orphaned texts stay (one operation of the "
                        "project's history, see undo)");
    m_command->footer("Exit status: 0 in step, 6 changed or new texts, 2 sequence file unreadable, "
                      "3 not a panel project, 4 a group unreadable (it is left out).");
}

bool CDiffCommand::Chosen() const
{
    return m_command->parsed();
}

int CDiffCommand::Run() const
{
    const auto filter = ParseKindsOption("diff", m_kinds);
    if (!filter)
        return exit_code::kUsage;
    const auto table = m_table.Parse("diff");
    if (!table)
        return exit_code::kUsage;
    const auto sequence = ReadSequenceFile(platform::PathFromUtf8(m_sequenceFile), *table);
    if (!sequence)
        return exit_code::kSequenceUnreadable;
    const auto project = OpenProject(m_projectDir, "diff");
    if (!project)
        return exit_code::kNotProject;

    CAppSettings settings;
    settings.Load(m_settingsFile.empty() ? m_defaultSettings : platform::PathFromUtf8(m_settingsFile));
    if (settings.SymbolToText == 0 && settings.CommentToText == 0)
        std::cerr << "morawin-cli diff: SymbolToText and CommentToText are both 0 in the settings: "
                     "every expected text is empty\n";

    CProjectComparison comparison(settings);
    comparison.Compare(FilteredOperands(*sequence, *filter), *project, CProjectComparison::KindsShownBy(*filter));
    for (const CStepChainGroup* group : comparison.GetUnreadableGroups())
        std::cerr << "morawin-cli diff: group " << group->GetFileName() << " cannot be read ("
                  << LoadErrorText(*group) << "); it is left out\n";
    if (m_json)
        PrintJson(comparison);
    else
        PrintText(comparison);
    std::cout.flush();

    const bool unreadable = !comparison.GetUnreadableGroups().empty();
    bool inStep = comparison.InStep();
    if (m_apply && comparison.GetCounts().changed > 0) {
        const bool anyNew = comparison.GetCounts().added > 0;
        CProjectHistory history(m_historyFolder, *project, CProjectHistory::Limits::Of(settings));
        const auto result = comparison.ApplyAll(&history);
        ReportApplied(result);
        inStep = !anyNew && result.failedFiles.empty();
    }
    if (unreadable)
        return exit_code::kGroupUnreadable;
    return inStep ? exit_code::kOk : exit_code::kDifferences;
}
