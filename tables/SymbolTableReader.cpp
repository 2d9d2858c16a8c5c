#include "tables/SymbolTableReader.h"

#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tables/AsciiLower.h"
#include "tables/CsvReader.h"
#include "tables/CsvRows.h"
#include "tables/SheetRows.h"
#include "tables/TableConversion.h"
#include "tables/Workbook.h"
#include "tables/WorkbookRows.h"

#include <algorithm>

namespace {

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

SymbolTableReport Sorted(SymbolTableReport report)
{
    auto& keys = report.replacedOperands;
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return report;
}

} // namespace

SymbolTableForm FormOfFile(const std::filesystem::path& path)
{
    const std::string extension = AsciiLower(path.extension().string());
    if (extension == ".xlsx")
        return SymbolTableForm::workbook;
    return extension == ".csv" || extension == ".tsv" || extension == ".txt" ? SymbolTableForm::table
                                                                              : SymbolTableForm::sequence;
}

SymbolTableReport CSymbolTableReader::Read(std::string content, SymbolTableForm form, CSequenceFile& file) const
{
    file.RemoveAll();
    SymbolTableReport report;
    report.form = form;
    if (form == SymbolTableForm::workbook) {
        // The workbook's texts are UTF-8 whatever the options say.
        report.encoding = TextEncoding::utf8;
        file.ReadContent(WorkbookLines(std::move(content), report));
    } else if (form == SymbolTableForm::table) {
        file.ReadContent(TableLines(std::move(content), report));
    } else {
        DecodedText decoded = DecodeText(std::move(content), m_options.encoding);
        report.encoding = decoded.encoding;
        report.replacedCharacters = decoded.replacedCharacters;
        if (!decoded.replacedLines.empty())
            report.replacedOperands = OperandsOnLines(decoded.text, decoded.replacedLines);
        file.ReadContent(std::move(decoded.text));
    }
    return Sorted(std::move(report));
}

// The text is converted in place first: that passes over the ASCII in
// large steps, where converting field by field pays for every field.
std::string CSymbolTableReader::TableLines(std::string content, SymbolTableReport& report) const
{
    DecodedText decoded = DecodeText(std::move(content), m_options.encoding);
    report.encoding = decoded.encoding;
    report.replacedCharacters = decoded.replacedCharacters;
    // (Not value_or: the detection reads the first records, and only when
    // no separator was chosen.)
    report.separator = m_options.separator ? *m_options.separator : CCsvReader::DetectSeparator(decoded.text);
    CCsvRows rows(decoded.text, report.separator, decoded.replacedLines);
    // The text's memory, no longer needed once the rows are read, takes the
    // lines in operand order.
    return CTableConversion(rows, m_options, report).Run(std::move(decoded.text));
}

std::string CSymbolTableReader::WorkbookLines(std::string content, SymbolTableReport& report) const
{
    const CWorkbook workbook(std::move(content));
    report.sheet = m_options.sheet.empty() ? workbook.SheetNames().front() : m_options.sheet;
    const std::unique_ptr<CSheetRows> sheet = workbook.OpenSheet(m_options.sheet);
    CWorkbookRows rows(*sheet, report.replacedCharacters);
    return CTableConversion(rows, m_options, report).Run();
}
