#include "cli/ConvertCommand.h"

#include "cli/ConsoleHost.h"
#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/ProjectInput.h"
#include "cli/ScratchProject.h"
#include "cli/SequenceInput.h"
#include "convert/Converter.h"
#include "data/settings/AppSettings.h"
#include "data/text/Charset.h"
#include "data/sequence/DuplicateOperands.h"
#include "data/platform/Platform.h"
#include "data/records/RecordStream.h"
#include "data/sequence/SequenceFile.h"
#include "history/ProjectHistory.h"
#include "panel/PanelProject.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>

namespace {

// Applies the identifiers and designations given on the command line to
// the first proposal, in the order a user would change them in the dialog.
bool ApplyOverrides(CConverter& converter, const std::string& groupId, const std::string& listId,
                    const std::string& groupName, const std::string& listName)
{
    if (!groupId.empty()) {
        converter.SetGroupId(charset::Utf8ToCp1252(groupId));
        converter.SelectGroup(true);
    }
    if (!listId.empty()) {
        converter.SetListId(charset::Utf8ToCp1252(listId));
        converter.SelectList(true);
    }
    if (!groupName.empty())
        converter.SetGroupDesignation(charset::Utf8ToCp1252(groupName));
    if (!listName.empty())
        converter.SetListDesignation(charset::Utf8ToCp1252(listName));
    return converter.Validate();
}

std::optional<CConsoleHost::Answer> ChooseAnswer(const std::string& text)
{
    if (text.empty())
        return platform::StdinIsTerminal() ? CConsoleHost::Answer::ask : CConsoleHost::Answer::no;
    CConsoleHost::Answer answer;
    if (!CConsoleHost::ParseAnswer(text, answer))
        return std::nullopt;
    return answer;
}

// Warnings about what the user may not expect, one line each on stderr.
void WarnBeforeConverting(const CAppSettings& settings, const std::vector<CSequenceEntry*>& operands)
{
    if (settings.SymbolToText == 0 && settings.CommentToText == 0)
        std::cerr << "morawin-cli convert: SymbolToText and CommentToText are both 0 in the settings: "
                     "every text will be empty\n";
    const CDuplicateOperands found(operands);
    const auto& duplicates = found.Names();
    if (duplicates.empty())
        return;
    constexpr std::size_t kMaxNamed = 10;
    std::cerr << "morawin-cli convert: the sequence file names " << duplicates.size()
              << (duplicates.size() == 1 ? " operand" : " operands") << " more than once:";
    for (std::size_t i = 0; i < duplicates.size() && i < kMaxNamed; ++i)
        std::cerr << (i > 0 ? ", " : " ") << duplicates[i];
    std::cerr << (duplicates.size() > kMaxNamed ? ", ...\n" : "\n");
}

} // namespace

CConvertCommand::CConvertCommand(CLI::App& parent, std::filesystem::path settingsFile,
                                 std::filesystem::path historyFolder)
    : m_command(parent.add_subcommand("convert", "Convert operands of a sequence file into a panel project")),
      m_defaultSettings(std::move(settingsFile)),
      m_historyFolder(std::move(historyFolder))
{
    auto& o = m_options;
    m_command->add_option("sequence", o.sequenceFile, "Symbol table: *.seq, *.csv, *.tsv, *.txt or *.xlsx")->required();
    m_command->add_option("project", o.projectDir, "Panel project folder")->required();
    m_command->add_flag("--all", o.all, "Convert all operands, replacing existing groups (\"Alle übernehmen\")");
    m_command->add_option("--kinds", o.kinds, "Only these kinds, letters of E A M T Z");
    m_command->add_option("--group", o.groupId, "Group identifier of the first step (3 characters, e.g. S01)");
    m_command->add_option("--list", o.listId, "List identifier of the first step (3 characters, e.g. 001)");
    m_command->add_option("--group-name", o.groupName, "Group designation of the first step (at most 32 characters)");
    m_command->add_option("--list-name", o.listName, "List designation of the first step (at most 32 characters)");
    m_command->add_option("--answer", o.answer,
                          "Answer to overwrite questions: ask, yes, no, yes-all, no-all "
                          "(default: ask on a terminal, no otherwise); with --all an existing group "
                          "is replaced without a question (see --dry-run)");
    m_command->add_option("--settings", o.settingsFile, "Settings file (default: see Files below)");
    m_command->add_flag("--dry-run", o.dryRun,
                        "Run every step on a scratch copy and write nothing (a run without it is one operation "
                        "of the project's history: see undo)");
    m_command->add_flag("--json", o.json, "Print one JSON object per step and a final summary");
    m_table.AddTo(*m_command);
}

bool CConvertCommand::Chosen() const
{
    return m_command->parsed();
}

// Refuses option values that no conversion can use, with one line on stderr.
bool CConvertCommand::OptionsUsable(bool kindsValid, bool answerValid) const
{
    const auto& o = m_options;
    if (!kindsValid || !answerValid) {
        std::cerr << "morawin-cli convert: " << (!kindsValid ? "--kinds takes letters of E A M T Z" : "--answer takes ask, yes, no, yes-all or no-all") << '\n';
        return false;
    }
    if (charset::Utf8ToCp1252(o.groupName).size() > record::kDesignationLength
        || charset::Utf8ToCp1252(o.listName).size() > record::kDesignationLength) {
        std::cerr << "morawin-cli convert: a designation has at most 32 characters\n";
        return false;
    }
    return true;
}

// The project folder to convert into: a scratch copy for --dry-run.
std::filesystem::path CConvertCommand::ProjectFolder(std::optional<CScratchProject>& scratch) const
{
    const std::filesystem::path folder = platform::PathFromUtf8(m_options.projectDir);
    if (!m_options.dryRun)
        return folder;
    scratch.emplace(folder);
    return scratch->Folder();
}

CAppSettings CConvertCommand::LoadSettings() const
{
    CAppSettings settings;
    settings.Load(m_options.settingsFile.empty() ? m_defaultSettings : platform::PathFromUtf8(m_options.settingsFile));
    return settings;
}

// Runs the engine over `operands`; false when the identifiers or
// designations given on the command line are refused.
bool CConvertCommand::Convert(CPanelProject& project, const std::vector<CSequenceEntry*>& operands,
                              const CAppSettings& settings, CConsoleHost::Answer answer, Outcome& outcome) const
{
    const auto& o = m_options;
    outcome.operands = operands.size();
    if (operands.empty())
        return true;
    CConsoleHost host(answer, o.json, std::cin, std::cout, std::cerr);
    CConverter converter(settings);
    // The run is one operation of the project's history (a dry run
    // changes nothing to keep).
    std::optional<CProjectHistory> history;
    if (!o.dryRun) {
        history.emplace(m_historyFolder, project, CProjectHistory::Limits::Of(settings));
        converter.SetHistory(&*history);
    }
    converter.Open(project, operands, o.all ? ConversionMode::all : ConversionMode::selected, host);
    // Each operand counts once, however often the file names it.
    outcome.operands = converter.GetOperandCount() + converter.GetLeftOut().size();
    if (!ApplyOverrides(converter, o.groupId, o.listId, o.groupName, o.listName)) {
        converter.Close();
        return false;
    }
    if (o.all)
        converter.AcceptAll();
    else
        converter.AcceptStepwise();
    converter.Close();
    outcome.remaining = converter.GetRemainingCount() + converter.GetLeftOut().size();
    outcome.skipped = converter.GetSkippedCount();
    outcome.unreadable = converter.HadUnreadableGroup();
    outcome.unsaved = converter.HadFailedSave();
    return true;
}

int CConvertCommand::Outcome::ExitCode() const
{
    return unreadable ? exit_code::kGroupUnreadable
        : remaining > 0 || unsaved ? exit_code::kOperandsLeft
                                 : exit_code::kOk;
}

void CConvertCommand::WriteSummary(CJsonWriter& json, const Outcome& outcome,
                                   const std::vector<std::string>& changes) const
{
    const auto count = [](std::size_t n) { return static_cast<std::int64_t>(n); };
    json.BeginObject().Key("summary").BeginObject();
    json.Key("operands").Number(count(outcome.operands));
    json.Key("converted").Number(count(outcome.operands - outcome.remaining - outcome.skipped));
    json.Key("skipped").Number(count(outcome.skipped));
    json.Key("remaining").Number(count(outcome.remaining));
    json.Key("dryRun").Bool(m_options.dryRun);
    if (m_options.dryRun) {
        json.Key("wouldWrite").BeginArray();
        for (const auto& change : changes)
            json.String(change);
        json.EndArray();
    }
    json.Key("exitCode").Number(outcome.ExitCode());
    json.EndObject().EndObject();
}

// The last words of a run: the JSON summary, or what a dry run would
// write and how many operands are left.
void CConvertCommand::PrintSummary(const Outcome& outcome, const std::vector<std::string>& changes) const
{
    if (m_options.json) {
        std::cout << CJsonWriter::Document([&](CJsonWriter& json) { WriteSummary(json, outcome, changes); })
                  << '\n';
        return;
    }
    for (const auto& change : changes)
        std::cout << "would write: " << change << '\n';
    if (outcome.remaining > 0)
        std::cout << outcome.remaining << " of " << outcome.operands << " operands were not converted\n";
}

int CConvertCommand::Run() const
{
    const auto filter = COperandFilter::FromLetters(m_options.kinds);
    const auto answer = ChooseAnswer(m_options.answer);
    if (!OptionsUsable(filter.has_value(), answer.has_value()))
        return exit_code::kUsage;
    const auto table = m_table.Parse("convert");
    if (!table)
        return exit_code::kUsage;
    const auto sequence = ReadSequenceFile(platform::PathFromUtf8(m_options.sequenceFile), *table);
    if (!sequence)
        return exit_code::kSequenceUnreadable;

    std::optional<CScratchProject> scratch;
    CPanelProject project(ProjectFolder(scratch), "");
    if (!project.IsValid()) {
        std::cerr << "morawin-cli convert: " << m_options.projectDir << " is not a panel project: "
                  << ProblemText(project) << '\n';
        return exit_code::kNotProject;
    }

    const CAppSettings settings = LoadSettings();
    const auto operands = FilteredOperands(*sequence, *filter);
    WarnBeforeConverting(settings, operands);
    Outcome outcome;
    if (!Convert(project, operands, settings, *answer, outcome))
        return exit_code::kUsage;
    PrintSummary(outcome, scratch ? scratch->Changes() : std::vector<std::string>());
    return outcome.ExitCode();
}
