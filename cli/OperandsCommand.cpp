#include "cli/OperandsCommand.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/OutputBuffer.h"
#include "data/platform/Platform.h"
#include "cli/SequenceInput.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"

#include <CLI/CLI.hpp>

#include <array>
#include <iostream>
#include <string>

namespace {

// The kind letters come from the string table, which a catalog may change;
// they are looked up once, not once per operand.
class KindLetters {
public:
    KindLetters()
    {
        for (int kind = 0; kind < 6; ++kind)
            m_letters[static_cast<std::size_t>(kind)] = KindLetter(kind);
    }
    const std::string& Of(int kind) const { return m_letters[static_cast<std::size_t>(kind)]; }

private:
    std::array<std::string, 6> m_letters;
};

void AppendDigits(std::string& text, unsigned value, unsigned minDigits)
{
    char digits[4];
    unsigned count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && count < 4);
    while (count < minDigits)
        digits[count++] = '0';
    while (count > 0)
        text += digits[--count];
}

// E012.03 or T005, as FormatOperand writes it (without its per-call cost).
void OperandText(std::string& text, const KindLetters& letters, const CSequenceEntry& entry)
{
    text = letters.Of(entry.GetKind());
    AppendDigits(text, entry.GetByte(), 3);
    if (IsBitKind(entry.GetKind())) {
        text += '.';
        AppendDigits(text, entry.GetBit(), 2);
    }
}

// In list order the entries and their texts lie all over a large file's
// memory; asking for them a few rows ahead hides most of the waiting.
class Lookahead {
public:
    explicit Lookahead(const std::vector<CSequenceEntry*>& operands) : m_operands(operands) {}

    void Before(std::size_t row) const
    {
        if (row + 2 * kRows < m_operands.size())
            __builtin_prefetch(m_operands[row + 2 * kRows]);
        if (row + kRows < m_operands.size())
            __builtin_prefetch(m_operands[row + kRows]->GetSymbol().data());
    }

private:
    static constexpr std::size_t kRows = 8;
    const std::vector<CSequenceEntry*>& m_operands;
};

// The same as OperandText, straight into the output.
void WriteOperand(COutputBuffer& out, const KindLetters& letters, const CSequenceEntry& entry)
{
    out.WriteCp1252(letters.Of(entry.GetKind()));
    out.WriteUnsigned(entry.GetByte(), 3);
    if (IsBitKind(entry.GetKind())) {
        out.Put('.');
        out.WriteUnsigned(entry.GetBit(), 2);
    }
}

void PrintText(COutputBuffer& out, const std::vector<CSequenceEntry*>& operands)
{
    const KindLetters letters;
    const Lookahead lookahead(operands);
    for (std::size_t row = 0; row < operands.size(); ++row) {
        lookahead.Before(row);
        const CSequenceEntry* entry = operands[row];
        WriteOperand(out, letters, *entry);
        out.Put('\t');
        out.WriteCp1252(entry->GetSymbol());
        out.Put('\t');
        out.WriteCp1252(entry->GetComment());
        out.Put('\n');
    }
}

// One element per line keeps the array readable and easy to grep.
void PrintJson(COutputBuffer& out, const std::vector<CSequenceEntry*>& operands)
{
    const KindLetters letters;
    static const CJsonWriter::Name kKind("kind"), kByte("byte"), kBit("bit"), kOperand("operand"), kSymbol("symbol"),
        kComment("comment");
    CJsonWriter json(out);
    json.BeginArray(CJsonWriter::Layout::elementPerLine);
    std::string operand;
    const Lookahead lookahead(operands);
    for (std::size_t row = 0; row < operands.size(); ++row) {
        lookahead.Before(row);
        const CSequenceEntry* entry = operands[row];
        json.BeginObject();
        json.Key(kKind).Cp1252String(letters.Of(entry->GetKind()));
        json.Key(kByte).Number(entry->GetByte());
        json.Key(kBit).Number(entry->GetBit());
        OperandText(operand, letters, *entry);
        json.Key(kOperand).Cp1252String(operand);
        json.Key(kSymbol).Cp1252String(entry->GetSymbol());
        json.Key(kComment).Cp1252String(entry->GetComment());
        json.EndObject();
    }
    json.EndArray();
    out.Put('\n');
}

} // namespace

COperandsCommand::COperandsCommand(CLI::App& parent)
    : m_command(parent.add_subcommand("operands", "List the operands of a symbol table in list order"))
{
    m_command->add_option("file", m_file, "Symbol table: *.seq, *.csv, *.tsv, *.txt or *.xlsx")->required();
    m_command->add_option("--kinds", m_kinds, "Only these kinds, letters of E A M T Z (e.g. EAM)");
    m_command->add_flag("--json", m_json, "Print one JSON array");
    m_table.AddTo(*m_command);
}

bool COperandsCommand::Chosen() const
{
    return m_command->parsed();
}

int COperandsCommand::Run() const
{
    const auto filter = ParseKindsOption("operands", m_kinds);
    const auto table = m_table.Parse("operands");
    if (!filter || !table)
        return exit_code::kUsage;
    const auto file = ReadSequenceFile(platform::PathFromUtf8(m_file), *table);
    if (!file)
        return exit_code::kSequenceUnreadable;

    const auto operands = FilteredOperands(*file, *filter);
    COutputBuffer out;
    if (m_json)
        PrintJson(out, operands);
    else
        PrintText(out, operands);
    out.Flush();
    return exit_code::kOk;
}
