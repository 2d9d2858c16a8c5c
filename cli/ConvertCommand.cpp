#include "cli/ConvertCommand.h"

#include "cli/ConsoleHost.h"
#include "cli/ExitCode.h"
#include "cli/KindFilter.h"
#include "cli/ProjectInput.h"
#include "cli/ScratchProject.h"
#include "cli/SequenceInput.h"
#include "convert/Converter.h"
#include "data/AppSettings.h"
#include "data/Charset.h"
#include "data/DuplicateOperands.h"
#include "data/Platform.h"
#include "data/RecordStream.h"
#include "data/SequenceFile.h"
#include "panel/PanelProject.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <optional>

namespace {

constexpr std::size_t kMaxDesignation = record::kDesignationLength;

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

CConvertCommand::CConvertCommand(CLI::App& parent, std::filesystem::path settingsFile)
    : m_command(parent.add_subcommand("convert", "Convert operands of a sequence file into a panel project")),
      m_defaultSettings(std::move(settingsFile))
{
    auto& o = m_options;
    m_command->add_option("sequence", o.sequenceFile, "Sequence file (*.seq)")->required();
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
    m_command->add_flag("--dry-run", o.dryRun, "Run every step on a scratch copy and write nothing");
    m_command->add_flag("--json", o.json, "Print one JSON object per step and a final summary");
}

bool CConvertCommand::Chosen() const
{
    return m_command->parsed();
}

int CConvertCommand::Run() const
{
    const auto& o = m_options;
    const auto filter = CKindFilter::Parse(o.kinds);
    const auto answer = ChooseAnswer(o.answer);
    if (!filter || !answer) {
        std::cerr << "morawin-cli convert: " << (!filter ? "--kinds takes letters of E A M T Z" : "--answer takes ask, yes, no, yes-all or no-all") << '\n';
        return exit_code::kUsage;
    }
    if (charset::Utf8ToCp1252(o.groupName).size() > kMaxDesignation
        || charset::Utf8ToCp1252(o.listName).size() > kMaxDesignation) {
        std::cerr << "morawin-cli convert: a designation has at most 32 characters\n";
        return exit_code::kUsage;
    }
    const auto sequence = ReadSequenceFile(platform::PathFromUtf8(o.sequenceFile));
    if (!sequence)
        return exit_code::kSequenceUnreadable;

    std::optional<CScratchProject> scratch;
    std::string projectDir = o.projectDir;
    if (o.dryRun) {
        scratch.emplace(platform::PathFromUtf8(o.projectDir));
        projectDir = platform::PathToUtf8(scratch->Folder());
    }
    CPanelProject project(projectDir, "");
    if (!project.IsValid()) {
        std::cerr << "morawin-cli convert: " << o.projectDir << " is not a panel project: " << ProblemText(project)
                  << '\n';
        return exit_code::kNotProject;
    }

    CAppSettings settings;
    settings.Load(o.settingsFile.empty() ? m_defaultSettings : platform::PathFromUtf8(o.settingsFile));
    const auto operands = FilteredOperands(*sequence, *filter);
    WarnBeforeConverting(settings, operands);

    CConsoleHost host(*answer, o.json, std::cin, std::cout, std::cerr);
    CConverter converter(settings);
    std::size_t remaining = 0;
    std::size_t skipped = 0;
    bool unreadable = false;
    bool unsaved = false;
    if (!operands.empty()) {
        converter.Open(project, operands, o.all ? ConversionMode::all : ConversionMode::selected, host);
        if (!ApplyOverrides(converter, o.groupId, o.listId, o.groupName, o.listName)) {
            converter.Close();
            return exit_code::kUsage;
        }
        if (o.all)
            converter.AcceptAll();
        else
            converter.AcceptStepwise();
        converter.Close();
        remaining = converter.GetRemainingCount() + converter.GetLeftOut().size();
        skipped = converter.GetSkippedCount();
        unreadable = converter.HadUnreadableGroup();
        unsaved = converter.HadFailedSave();
    }

    const int code = unreadable ? exit_code::kGroupUnreadable
        : remaining > 0 || unsaved ? exit_code::kOperandsLeft
                                 : exit_code::kOk;
    std::vector<std::string> changes;
    if (scratch)
        changes = scratch->Changes();
    if (o.json) {
        nlohmann::ordered_json summary = {
            {"operands", operands.size()},
            {"converted", operands.size() - remaining - skipped},
            {"skipped", skipped},
            {"remaining", remaining},
            {"dryRun", o.dryRun},
        };
        if (o.dryRun)
            summary["wouldWrite"] = changes;
        summary["exitCode"] = code;
        std::cout << nlohmann::ordered_json{{"summary", summary}}.dump() << '\n';
    } else {
        for (const auto& change : changes)
            std::cout << "would write: " << change << '\n';
        if (remaining > 0)
            std::cout << remaining << " of " << operands.size() << " operands were not converted\n";
    }
    return code;
}
