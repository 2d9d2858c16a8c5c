#include "tables/SymbolTableReader.h"

#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tables/CsvReader.h"
#include "tables/OperandAddress.h"
#include "tables/TableError.h"

#include <algorithm>
#include <cctype>

namespace {

// Records looked at to find the columns, and rows searched for a header.
constexpr std::size_t kSampleRecords = 100;
constexpr std::size_t kHeaderSearchRows = 10;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Spreadsheet programs guard a value against being read as a number or a
// formula with a leading apostrophe or as ="...".
std::string_view Unguarded(std::string_view cell)
{
    if (cell.size() >= 3 && cell.substr(0, 2) == "=\"" && cell.back() == '"')
        return cell.substr(2, cell.size() - 3);
    if (!cell.empty() && cell.front() == '\'')
        return cell.substr(1);
    return cell;
}

std::string_view Cell(const std::vector<std::string>& row, int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < row.size() ? Unguarded(row[column]) : std::string_view();
}

bool IsBlank(const std::vector<std::string>& row)
{
    return std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); });
}

// A text of an operand line holds no TAB (it would split symbol and
// comment) and no line break.
void AppendText(std::string& line, std::string_view text)
{
    for (char c : text)
        line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

std::uint32_t KeyOf(const OperandAddress& address)
{
    return static_cast<std::uint32_t>(address.kind) << 16 | (address.number << 8) | address.bit;
}

// Turns the records of one table into operand lines.
class CTableConversion {
public:
    CTableConversion(const DecodedText& decoded, const SymbolTableOptions& options, SymbolTableReport& report)
        : m_decoded(decoded), m_options(options), m_report(report), m_reader(decoded.text, report.separator)
    {
    }

    std::string Run()
    {
        std::vector<std::vector<std::string>> sample;
        std::vector<std::size_t> firstLines, lastLines;
        std::vector<std::string> record;
        while (sample.size() < kSampleRecords && m_reader.Next(record)) {
            sample.push_back(record);
            firstLines.push_back(m_reader.FirstLine());
            lastLines.push_back(m_reader.LastLine());
        }
        const std::size_t dataStart = FindColumns(sample);
        for (std::size_t i = dataStart; i < sample.size(); ++i)
            AddRow(sample[i], i + 1, firstLines[i], lastLines[i]);
        while (m_reader.Next(record))
            AddRow(record, m_reader.Record(), m_reader.FirstLine(), m_reader.LastLine());
        return std::move(m_lines);
    }

private:
    // Sets the columns; returns the index of the first data record.
    std::size_t FindColumns(const std::vector<std::vector<std::string>>& sample)
    {
        if (m_options.headerRow) {
            const std::size_t header = *m_options.headerRow;
            if (header == 0 || header > sample.size())
                throw CTableError("the header row " + std::to_string(header) + " is not among the first "
                                  + std::to_string(sample.size()) + " rows");
            SetColumns(ColumnMap::FromHeader(sample[header - 1]), header);
            return header;
        }
        for (std::size_t i = 0; i < std::min(sample.size(), kHeaderSearchRows); ++i) {
            if (auto map = ColumnMap::FromHeader(sample[i])) {
                SetColumns(map, i + 1);
                return i + 1;
            }
        }
        // No header: rows above the first address are a heading, not
        // skipped operands.
        m_countSkipped = false;
        SetColumns(ColumnMap::Guess(sample), 0);
        return 0;
    }

    void SetColumns(std::optional<ColumnMap> found, std::size_t headerRow)
    {
        if (m_options.columns)
            found = m_options.columns;
        if (!found || found->address < 0) {
            if (headerRow != 0)
                throw CTableError("row " + std::to_string(headerRow) + " names no address column", headerRow);
            throw CTableError("no column holds operand addresses");
        }
        m_columns = *found;
    }

    void AddRow(const std::vector<std::string>& row, std::size_t number, std::size_t firstLine, std::size_t lastLine)
    {
        if (IsBlank(row))
            return;
        const OperandAddress address = ParseOperandAddress(Cell(row, m_columns.address));
        if (address.what != OperandAddress::Class::none)
            m_countSkipped = true;
        if (address.what != OperandAddress::Class::operand || !IsStepChainType(row, address)) {
            if (m_countSkipped)
                ++m_report.skippedRows;
            return;
        }
        if (address.outOfRange)
            throw CTableError(address.number > 255 ? "byte number " + std::to_string(address.number) + " is over 255"
                                                   : "bit number " + std::to_string(address.bit) + " is over 7",
                              number);
        AppendLine(address, row);
        if (LostCharacters(firstLine, lastLine))
            m_report.replacedOperands.push_back(KeyOf(address));
    }

    // A data-type column tells bits (BOOL) from the rest.
    bool IsStepChainType(const std::vector<std::string>& row, const OperandAddress& address) const
    {
        if (m_columns.dataType < 0 || !IsBitKind(address.kind))
            return true;
        const std::string type = Lower(std::string(Cell(row, m_columns.dataType)));
        return type.empty() || type == "bool";
    }

    void AppendLine(const OperandAddress& address, const std::vector<std::string>& row)
    {
        m_lines += '\t';
        m_lines += KindLetter(address.kind);
        m_lines += ' ';
        m_lines += std::to_string(address.number);
        if (IsBitKind(address.kind)) {
            m_lines += '.';
            m_lines += std::to_string(address.bit);
        }
        m_lines += '\t';
        AppendText(m_lines, Cell(row, m_columns.symbol));
        m_lines += '\t';
        AppendText(m_lines, Cell(row, m_columns.comment));
        m_lines += '\n';
    }

    bool LostCharacters(std::size_t firstLine, std::size_t lastLine)
    {
        const auto& lines = m_decoded.replacedLines;
        while (m_nextReplaced < lines.size() && lines[m_nextReplaced] < firstLine)
            ++m_nextReplaced;
        return m_nextReplaced < lines.size() && lines[m_nextReplaced] <= lastLine;
    }

    const DecodedText& m_decoded;
    const SymbolTableOptions& m_options;
    SymbolTableReport& m_report;
    CCsvReader m_reader;
    ColumnMap m_columns;
    std::string m_lines;
    std::size_t m_nextReplaced = 0;
    bool m_countSkipped = true;
};

// The operands of the lines that lost characters, read as the file reads
// them.
std::vector<std::uint32_t> OperandsOnLines(const std::string& text, const std::vector<std::size_t>& lines)
{
    std::string picked;
    std::size_t line = 0, start = 0, next = 0;
    while (next < lines.size() && start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (line == lines[next]) {
            picked.append(text, start, end - start).append("\n");
            ++next;
        }
        start = end + 1;
        ++line;
    }
    CSequenceFile scratch("");
    scratch.ReadContent(std::move(picked));
    std::vector<std::uint32_t> keys;
    for (int i = 0; i < scratch.GetCount(); ++i)
        keys.push_back(scratch.GetEntry(i)->SortKey());
    return keys;
}

} // namespace

SymbolTableForm FormOfFile(const std::filesystem::path& path)
{
    const std::string extension = Lower(path.extension().string());
    return extension == ".csv" || extension == ".tsv" || extension == ".txt" ? SymbolTableForm::table
                                                                              : SymbolTableForm::sequence;
}

SymbolTableReport CSymbolTableReader::Read(std::string content, SymbolTableForm form, CSequenceFile& file) const
{
    file.RemoveAll();
    SymbolTableReport report;
    report.form = form;
    DecodedText decoded = DecodeText(std::move(content), m_options.encoding);
    report.encoding = decoded.encoding;
    report.replacedCharacters = decoded.replacedCharacters;
    if (form == SymbolTableForm::table) {
        std::string lines = TableLines(decoded, report);
        decoded.text.clear();
        decoded.text.shrink_to_fit();
        file.ReadContent(std::move(lines));
    } else {
        if (!decoded.replacedLines.empty())
            report.replacedOperands = OperandsOnLines(decoded.text, decoded.replacedLines);
        file.ReadContent(std::move(decoded.text));
    }
    std::sort(report.replacedOperands.begin(), report.replacedOperands.end());
    report.replacedOperands.erase(std::unique(report.replacedOperands.begin(), report.replacedOperands.end()),
                                  report.replacedOperands.end());
    return report;
}

std::string CSymbolTableReader::TableLines(const DecodedText& decoded, SymbolTableReport& report) const
{
    report.separator = m_options.separator.value_or(CCsvReader::DetectSeparator(decoded.text));
    return CTableConversion(decoded, m_options, report).Run();
}
