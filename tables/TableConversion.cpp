#include "tables/TableConversion.h"

#include "data/sequence/SequenceEntry.h"
#include "tables/AsciiLower.h"
#include "tables/ByteScan.h"
#include "tables/OperandAddress.h"
#include "tables/TableError.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// Rows looked at to find the columns, and rows searched for a header.
constexpr std::size_t kSampleRows = 100;
constexpr std::size_t kHeaderSearchRows = 10;
// Operands numbered within their kind: 256 bytes of 8 bits (timers and
// counters have bit 0).
constexpr std::size_t kOperandsPerKind = 256 * 8;

// Spreadsheet programs guard a value against being read as a number or a
// formula with a leading apostrophe or as ="...".
std::string_view Unguarded(std::string_view cell)
{
    if (cell.size() >= 3 && cell[0] == '=' && cell[1] == '"' && cell.back() == '"')
        return cell.substr(2, cell.size() - 3);
    if (!cell.empty() && cell.front() == '\'')
        return cell.substr(1);
    return cell;
}

std::string_view Cell(const std::vector<std::string_view>& cells, int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < cells.size() ? Unguarded(cells[column]) : std::string_view();
}

bool IsBlank(const std::vector<std::string_view>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](std::string_view cell) { return cell.empty(); });
}

// A text of an operand line holds no TAB (it would split symbol and
// comment) and no line break.
char* PutText(char* out, std::string_view text)
{
    std::copy(text.begin(), text.end(), out);
    if (byte_scan::HasByteBelow(text, '\r' + 1))
        for (std::size_t at = 0; at < text.size(); ++at)
            if (text[at] == '\t' || text[at] == '\r' || text[at] == '\n')
                out[at] = ' ';
    return out + text.size();
}

char* PutNumber(char* out, unsigned number)
{
    return std::to_chars(out, out + 10, number).ptr;
}

} // namespace

CTableConversion::CTableConversion(IRowSource& rows, const SymbolTableOptions& options, SymbolTableReport& report)
    : m_rows(rows), m_options(options), m_report(report)
{
    for (int kind = 0; kind < static_cast<int>(m_letters.size()); ++kind)
        m_letters[static_cast<std::size_t>(kind)] = KindLetter(kind);
}

std::string CTableConversion::Run(std::string&& spare)
{
    // Lines are rarely longer than their rows: memory reserved and never
    // written costs nothing, growing the lines copies them.
    m_lines.reserve(spare.size() + spare.size() / 8);
    std::vector<Row> sample;
    std::vector<std::string_view> cells;
    bool lost = false;
    while (sample.size() < kSampleRows && m_rows.Next(cells, lost))
        sample.push_back(Row{std::vector<std::string>(cells.begin(), cells.end()), lost, m_rows.Row()});
    const std::size_t dataStart = FindColumns(sample);
    for (std::size_t i = dataStart; i < sample.size(); ++i) {
        const std::vector<std::string_view> views(sample[i].cells.begin(), sample[i].cells.end());
        AddRow(views, sample[i].lostCharacters, sample[i].number);
    }
    while (m_rows.Next(cells, lost))
        AddRow(cells, lost, m_rows.Row());
    return InOperandOrder(std::move(spare));
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

void CTableConversion::AddRow(const std::vector<std::string_view>& cells, bool lostCharacters, std::size_t number)
{
    if (IsBlank(cells))
        return;
    const OperandAddress address = ParseOperandAddress(Cell(cells, m_columns.address));
    if (address.what != OperandAddress::Class::none)
        m_countSkipped = true;
    if (address.what != OperandAddress::Class::operand || !IsStepChainType(cells, address.kind)) {
        if (m_countSkipped)
            ++m_report.skippedRows;
        return;
    }
    if (address.outOfRange)
        throw CTableError(address.number > 255 ? "byte number " + std::to_string(address.number) + " is over 255"
                                               : "bit number " + std::to_string(address.bit) + " is over 7",
                          number);
    AppendLine(address.kind, address.number, address.bit, cells);
    if (lostCharacters)
        m_report.replacedOperands.push_back(CSequenceEntry::KeyOf(address.kind, address.number, address.bit));
}

// A data-type column tells bits (BOOL) from the rest.
bool CTableConversion::IsStepChainType(const std::vector<std::string_view>& cells, int kind) const
{
    if (m_columns.dataType < 0 || !IsBitKind(kind))
        return true;
    const std::string_view type = Cell(cells, m_columns.dataType);
    return type.empty() || EqualsIgnoringCase(type, "bool");
}

void CTableConversion::AppendLine(int kind, unsigned number, unsigned bit, const std::vector<std::string_view>& cells)
{
    const std::string& letter = m_letters[static_cast<std::size_t>(kind)];
    const std::string_view symbol = Cell(cells, m_columns.symbol);
    const std::string_view comment = Cell(cells, m_columns.comment);
    // Written in place: room for the letter, the texts, two numbers of up
    // to ten digits and the six characters between them.
    const std::size_t start = m_lines.size();
    m_lines.resize(start + letter.size() + symbol.size() + comment.size() + 26);
    char* out = m_lines.data() + start;
    *out++ = '\t';
    out = std::copy(letter.begin(), letter.end(), out);
    *out++ = ' ';
    out = PutNumber(out, number);
    if (IsBitKind(kind)) {
        *out++ = '.';
        out = PutNumber(out, bit);
    }
    *out++ = '\t';
    out = PutText(out, symbol);
    *out++ = '\t';
    out = PutText(out, comment);
    *out++ = '\n';
    m_lines.resize(static_cast<std::size_t>(out - m_lines.data()));
    m_lineOperands.push_back(
        static_cast<std::uint16_t>(static_cast<std::size_t>(kind - 1) * kOperandsPerKind + number * 8 + bit));
    m_lineSizes.push_back(static_cast<std::uint32_t>(m_lines.size() - start));
}

// A stable counting sort of the lines by their operands, by bytes: each
// operand's lines get their place in one pass.
std::string CTableConversion::InOperandOrder(std::string&& spare)
{
    if (std::is_sorted(m_lineOperands.begin(), m_lineOperands.end()))
        return std::move(m_lines);
    std::vector<std::size_t> place(5 * kOperandsPerKind + 1, 0);
    for (std::size_t i = 0; i < m_lineSizes.size(); ++i)
        place[m_lineOperands[i] + 1] += m_lineSizes[i];
    for (std::size_t k = 1; k < place.size(); ++k)
        place[k] += place[k - 1];
    std::string sorted = std::move(spare);
    sorted.resize(m_lines.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < m_lineSizes.size(); ++i) {
        std::memcpy(sorted.data() + place[m_lineOperands[i]], m_lines.data() + start, m_lineSizes[i]);
        place[m_lineOperands[i]] += m_lineSizes[i];
        start += m_lineSizes[i];
    }
    return sorted;
}
