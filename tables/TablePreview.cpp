#include "tables/TablePreview.h"

#include "data/text/Charset.h"
#include "tables/CsvReader.h"
#include "tables/Workbook.h"

#include <algorithm>

namespace {

// The header is looked for among the first rows only, as the reader does.
void FindColumns(TablePreview& preview, const SymbolTableOptions& options)
{
    const std::size_t first = options.headerRow.value_or(0);
    for (std::size_t i = first > 0 ? first - 1 : 0; i < preview.rows.size() && !preview.columns; ++i) {
        preview.columns = ColumnMap::FromHeader(preview.rows[i]);
        if (preview.columns)
            preview.headerRow = i + 1;
        if (first > 0)
            break;
    }
    if (!preview.columns)
        preview.columns = ColumnMap::Guess(preview.rows);
    if (options.columns)
        preview.columns = options.columns;
}

} // namespace

TablePreview TablePreview::Of(const std::string& content, SymbolTableForm form, const SymbolTableOptions& options,
                              std::size_t rows)
{
    TablePreview preview;
    preview.form = form;
    if (form == SymbolTableForm::workbook) {
        const CWorkbook workbook(content);
        preview.sheets = workbook.SheetNames();
        preview.sheet = options.sheet.empty() ? preview.sheets.front() : options.sheet;
        for (CWorkbook::Row& row : workbook.Rows(options.sheet)) {
            if (preview.rows.size() == rows)
                break;
            preview.rows.push_back(std::move(row.cells));
        }
        preview.encoding = TextEncoding::utf8;
    } else {
        const DecodedText decoded = DecodeText(content, options.encoding);
        preview.encoding = decoded.encoding;
        preview.separator = options.separator ? *options.separator : CCsvReader::DetectSeparator(decoded.text);
        CCsvReader reader(decoded.text, preview.separator);
        std::vector<std::string> fields;
        while (preview.rows.size() < rows && reader.Next(fields)) {
            for (std::string& field : fields)
                field = charset::Cp1252ToUtf8(field);
            preview.rows.push_back(fields);
        }
    }
    for (const auto& row : preview.rows)
        preview.columnCount = std::max(preview.columnCount, row.size());
    FindColumns(preview, options);
    return preview;
}
