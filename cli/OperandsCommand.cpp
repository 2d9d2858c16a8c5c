#include "cli/OperandsCommand.h"

#include "cli/ExitCode.h"
#include "cli/KindFilter.h"
#include "data/Platform.h"
#include "cli/SequenceInput.h"
#include "data/Charset.h"
#include "data/SequenceEntry.h"
#include "data/SequenceFile.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>

using charset::Cp1252ToUtf8;

COperandsCommand::COperandsCommand(CLI::App& parent)
    : m_command(parent.add_subcommand("operands", "List the operands of a sequence file in list order"))
{
    m_command->add_option("file", m_file, "Sequence file (*.seq)")->required();
    m_command->add_option("--kinds", m_kinds, "Only these kinds, letters of E A M T Z (e.g. EAM)");
    m_command->add_flag("--json", m_json, "Print one JSON array");
}

bool COperandsCommand::Chosen() const
{
    return m_command->parsed();
}

int COperandsCommand::Run() const
{
    const auto filter = CKindFilter::Parse(m_kinds);
    if (!filter) {
        std::cerr << "morawin-cli operands: --kinds takes letters of E A M T Z, not \"" << m_kinds << "\"\n";
        return exit_code::kUsage;
    }
    const auto file = ReadSequenceFile(platform::PathFromUtf8(m_file));
    if (!file)
        return exit_code::kSequenceUnreadable;

    const auto operands = FilteredOperands(*file, *filter);
    if (m_json) {
        // One element per line keeps the array readable and easy to grep.
        std::cout << '[';
        const char* separator = "\n";
        for (const CSequenceEntry* entry : operands) {
            const nlohmann::ordered_json element = {
                {"kind", Cp1252ToUtf8(KindLetter(entry->GetKind()))},
                {"byte", entry->GetByte()},
                {"bit", entry->GetBit()},
                {"operand", Cp1252ToUtf8(entry->GetOperandText())},
                {"symbol", Cp1252ToUtf8(entry->GetSymbol())},
                {"comment", Cp1252ToUtf8(entry->GetComment())},
            };
            std::cout << separator << element.dump();
            separator = ",\n";
        }
        std::cout << (operands.empty() ? "]\n" : "\n]\n");
        return exit_code::kOk;
    }
    for (const CSequenceEntry* entry : operands)
        std::cout << Cp1252ToUtf8(entry->GetOperandText()) << '\t' << Cp1252ToUtf8(entry->GetSymbol()) << '\t'
                  << Cp1252ToUtf8(entry->GetComment()) << '\n';
    return exit_code::kOk;
}
