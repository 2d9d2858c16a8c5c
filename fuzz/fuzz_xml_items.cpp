// Workbook parts: any bytes as the sheet part of a workbook. Read item by
// item as the part unpacks, they give the rows that pugixml finds when it
// parses the part whole, and they are refused exactly when pugixml refuses
// the part (or when elements nest deeper than the stream allows).
#include "tables/PartStream.h"
#include "tables/TableError.h"
#include "tables/XmlItemStream.h"
#include "tables/XmlNames.h"

#include <pugixml.hpp>
#include <zip.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kPart = "xl/worksheets/sheet1.xml";

std::string Text(const pugi::xml_node& node)
{
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

// The rows as pugixml finds them in the whole part; nothing when it
// refuses the part.
std::optional<std::vector<std::string>> WholeRows(const std::string& part)
{
    pugi::xml_document document;
    if (!document.load_buffer(part.data(), part.size(), pugi::parse_default))
        return std::nullopt;
    std::vector<std::string> rows;
    for (pugi::xml_node row : xml_names::Child(xml_names::Child(document, "worksheet"), "sheetData").children())
        if (xml_names::Is(row, "row"))
            rows.push_back(Text(row));
    return rows;
}

std::optional<std::vector<std::string>> StreamedRows(const std::string& part, bool& tooDeep)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    zip_source_keep(source);
    zip_file_add(archive, kPart, zip_source_buffer(archive, part.data(), part.size(), 0), 0);
    zip_close(archive);
    archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive)
        std::abort();
    std::optional<std::vector<std::string>> rows(std::in_place);
    try {
        CPartStream stream(archive, kPart);
        CXmlItemStream items(stream, {"worksheet", "sheetData"}, "row");
        for (pugi::xml_node row = items.Next(); row; row = items.Next())
            rows->push_back(Text(row));
    } catch (const CTableError& refused) {
        tooDeep = std::string(refused.what()).find("nests elements deeper") != std::string::npos;
        rows.reset();
    }
    zip_discard(archive);
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string part(reinterpret_cast<const char*>(data), size);
    bool tooDeep = false;
    const auto streamed = StreamedRows(part, tooDeep);
    if (!tooDeep && streamed != WholeRows(part))
        std::abort();
    return 0;
}
