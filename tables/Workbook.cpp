#include "tables/Workbook.h"

#include "tables/PartStream.h"
#include "tables/SheetRows.h"
#include "tables/TableError.h"
#include "tables/XmlItemStream.h"
#include "tables/XmlNames.h"

#include <pugixml.hpp>
#include <zip.h>

#include <map>

using xml_names::Attribute;
using xml_names::Child;
using xml_names::Is;

// The workbook's zip archive, opened on the bytes the reader holds.
class CWorkbook::CArchive {
public:
    explicit CArchive(std::string_view bytes)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source)
            m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!m_zip) {
            if (source)
                zip_source_free(source);
            const std::string reason = zip_error_strerror(&error);
            zip_error_fini(&error);
            throw CTableError("not a workbook (" + reason + ")");
        }
        zip_error_fini(&error);
    }
    ~CArchive() { zip_discard(m_zip); }
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool Has(const std::string& name) const { return zip_name_locate(m_zip, name.c_str(), 0) >= 0; }

    // Whether the part states that it holds nothing.
    bool IsEmpty(const std::string& name) const
    {
        zip_stat_t stat;
        return zip_stat(m_zip, name.c_str(), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) && stat.size == 0;
    }

    std::unique_ptr<CPartStream> Open(const std::string& name) const { return std::make_unique<CPartStream>(m_zip, name); }

    // A small part whole.
    std::string Read(const std::string& name) const
    {
        CPartStream part(m_zip, name);
        std::string content;
        std::size_t got = 0;
        do {
            const std::size_t old = content.size();
            content.resize(old + (1 << 16));
            got = part.Read(content.data() + old, 1 << 16);
            content.resize(old + got);
        } while (got != 0);
        return content;
    }

private:
    zip_t* m_zip = nullptr;
};

namespace {

pugi::xml_document Parse(const std::string& content, const std::string& part)
{
    pugi::xml_document document;
    // No DOCTYPE is processed, so no entity is ever expanded beyond the
    // predefined ones.
    const pugi::xml_parse_result result = document.load_buffer(content.data(), content.size(), pugi::parse_default);
    if (!result)
        throw CTableError("the part " + part + " is no XML (" + result.description() + ")");
    return document;
}

} // namespace

CWorkbook::CWorkbook(std::string bytes) : m_bytes(std::move(bytes)), m_archive(std::make_unique<CArchive>(m_bytes))
{
    ReadSheetList();
    ReadSharedStrings();
}

CWorkbook::~CWorkbook() = default;

std::string CWorkbook::Part(const std::string& name) const
{
    return m_archive->Read(name);
}

void CWorkbook::ReadSheetList()
{
    const pugi::xml_document relations = Parse(Part("xl/_rels/workbook.xml.rels"), "xl/_rels/workbook.xml.rels");
    std::map<std::string, std::string> targets;
    for (pugi::xml_node relation : Child(relations, "Relationships").children()) {
        std::string target = Attribute(relation, "Target").value();
        target = target.rfind('/', 0) == 0 ? target.substr(1) : "xl/" + target;
        targets[Attribute(relation, "Id").value()] = target;
    }
    const pugi::xml_document workbook = Parse(Part("xl/workbook.xml"), "xl/workbook.xml");
    for (pugi::xml_node sheet : Child(Child(workbook, "workbook"), "sheets").children()) {
        const auto target = targets.find(Attribute(sheet, "id").value());
        if (!Is(sheet, "sheet") || target == targets.end())
            continue;
        m_sheetNames.push_back(Attribute(sheet, "name").value());
        m_sheetParts.push_back(target->second);
    }
    if (m_sheetNames.empty())
        throw CTableError("the workbook has no worksheet");
}

// Streamed like a sheet: a workbook may hold hundreds of thousands.
void CWorkbook::ReadSharedStrings()
{
    const std::string name = "xl/sharedStrings.xml";
    if (!m_archive->Has(name) || m_archive->IsEmpty(name))
        return;
    const std::unique_ptr<CPartStream> part = m_archive->Open(name);
    CXmlItemStream items(*part, {"sst"}, "si");
    for (pugi::xml_node item = items.Next(); item; item = items.Next()) {
        xml_names::AppendItemText(item, m_sharedText);
        m_sharedEnds.push_back(m_sharedText.size());
    }
}

std::string_view CWorkbook::SharedString(std::size_t index) const
{
    const std::size_t start = index == 0 ? 0 : m_sharedEnds[index - 1];
    return std::string_view(m_sharedText).substr(start, m_sharedEnds[index] - start);
}

std::unique_ptr<CSheetRows> CWorkbook::OpenSheet(const std::string& sheet) const
{
    std::size_t index = 0;
    if (!sheet.empty()) {
        while (index < m_sheetNames.size() && m_sheetNames[index] != sheet)
            ++index;
        if (index == m_sheetNames.size())
            throw CTableError("the workbook has no sheet " + sheet);
    }
    return std::make_unique<CSheetRows>(m_archive->Open(m_sheetParts[index]), *this);
}

std::vector<CWorkbook::Row> CWorkbook::Rows(const std::string& sheet) const
{
    const std::unique_ptr<CSheetRows> sheetRows = OpenSheet(sheet);
    std::vector<Row> rows;
    Row row;
    while (sheetRows->Next(row))
        rows.push_back(row);
    return rows;
}
