#include "tables/TableConversion.h"

#include "data/sequence/SequenceEntry.h"
#include "tables/AsciiLower.h"
#include "tables/OperandAddress.h"
#include "tables/TableError.h"

#include <algorithm>

namespace {

// Rows looked at to find the columns, and rows searched for a header.
constexpr std::size_t kSampleRows = 100;
constexpr std::size_t kHeaderSearchRows = 10;

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

std::string_view Cell(const std::vector<std::string>& cells, int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < cells.size() ? Unguarded(cells[column]) : std::string_view();
}

bool IsBlank(const std::vector<std::string>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return cell.empty(); });
}

// A text of an operand line holds no TAB (it would split symbol and
// comment) and no line break.
void AppendText(std::string& line, std::string_view text)
{
    for (char c : text)
        line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

} // namespace

std::string CTableConversion::Run()
{
    std::vector<Row> sample;
    Row row;
    while (sample.size() < kSampleRows && m_rows.Next(row.cells, row.lostCharacters)) {
        row.number = m_rows.Row();
        sample.push_back(row);
    }
    const std::size_t dataStart = FindColumns(sample);
    for (std::size_t i = dataStart; i < sample.size(); ++i)
        AddRow(sample[i]);
    while (m_rows.Next(row.cells, row.lostCharacters)) {
        row.number = m_rows.Row();
        AddRow(row);
    }
    return std::move(m_lines);
}

// Sets the columns; returns the index of the first data row.
std::size_t CTableConversion::FindColumns(const std::vector<Row>& sample)
{
    if (m_options.headerRow) {
        const std::size_t header = *m_options.headerRow;
        const auto at = std::find_if(sample.begin(), sample.end(), [&](const Row& r) { return r.number == header; });
        if (at == sample.end())
            throw CTableError("the header row " + std::to_string(header) + " is not among the first "
                              + std::to_string(sample.size()) + " rows");
        SetColumns(ColumnMap::FromHeader(at->cells), header);
        return static_cast<std::size_t>(at - sample.begin()) + 1;
    }
    for (std::size_t i = 0; i < std::min(sample.size(), kHeaderSearchRows); ++i) {
        if (auto map = ColumnMap::FromHeader(sample[i].cells)) {
            SetColumns(map, sample[i].number);
            return i + 1;
        }
    }
    // No header: rows above the first address are a heading, not skipped
    // operands.
    m_countSkipped = false;
    std::vector<std::vector<std::string>> cells;
    for (const Row& r : sample)
        cells.push_back(r.cells);
    SetColumns(ColumnMap::Guess(cells), 0);
    return 0;
}

void CTableConversion::SetColumns(std::optional<ColumnMap> found, std::size_t headerRow)
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

void CTableConversion::AddRow(const Row& row)
{
    if (IsBlank(row.cells))
        return;
    const OperandAddress address = ParseOperandAddress(Cell(row.cells, m_columns.address));
    if (address.what != OperandAddress::Class::none)
        m_countSkipped = true;
    if (address.what != OperandAddress::Class::operand || !IsStepChainType(row.cells, address.kind)) {
        if (m_countSkipped)
            ++m_report.skippedRows;
        return;
    }
    if (address.outOfRange)
        throw CTableError(address.number > 255 ? "byte number " + std::to_string(address.number) + " is over 255"
                                               : "bit number " + std::to_string(address.bit) + " is over 7",
                          row.number);
    AppendLine(address.kind, address.number, address.bit, row.cells);
    if (row.lostCharacters)
        m_report.replacedOperands.push_back(CSequenceEntry::KeyOf(address.kind, address.number, address.bit));
}

// A data-type column tells bits (BOOL) from the rest.
bool CTableConversion::IsStepChainType(const std::vector<std::string>& cells, int kind) const
{
    if (m_columns.dataType < 0 || !IsBitKind(kind))
        return true;
    const std::string type = AsciiLower(Cell(cells, m_columns.dataType));
    return type.empty() || type == "bool";
}

void CTableConversion::AppendLine(int kind, unsigned number, unsigned bit, const std::vector<std::string>& cells)
{
    m_lines += '\t';
    m_lines += KindLetter(kind);
    m_lines += ' ';
    m_lines += std::to_string(number);
    if (IsBitKind(kind)) {
        m_lines += '.';
        m_lines += std::to_string(bit);
    }
    m_lines += '\t';
    AppendText(m_lines, Cell(cells, m_columns.symbol));
    m_lines += '\t';
    AppendText(m_lines, Cell(cells, m_columns.comment));
    m_lines += '\n';
}
