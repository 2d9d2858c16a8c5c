#include "tables/Workbook.h"

#include "tables/TableError.h"

#include <pugixml.hpp>
#include <zip.h>

#include <cstring>
#include <map>

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

    // The part unpacked; never more than kMaxPartSize bytes, whatever its
    // entry claims.
    std::string Read(const std::string& name) const
    {
        zip_stat_t stat;
        if (zip_stat(m_zip, name.c_str(), 0, &stat) != 0)
            throw CTableError("the workbook has no part " + name);
        if ((stat.valid & ZIP_STAT_SIZE) && stat.size > kMaxPartSize)
            throw CTableError("the part " + name + " expands past 256 MB");
        zip_file_t* file = zip_fopen(m_zip, name.c_str(), 0);
        if (!file)
            throw CTableError("the part " + name + " cannot be unpacked");
        std::string content;
        char buffer[1 << 16];
        zip_int64_t got;
        while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) {
            if (content.size() + static_cast<std::size_t>(got) > kMaxPartSize) {
                zip_fclose(file);
                throw CTableError("the part " + name + " expands past 256 MB");
            }
            content.append(buffer, static_cast<std::size_t>(got));
        }
        const bool failed = got < 0;
        zip_fclose(file);
        if (failed)
            throw CTableError("the part " + name + " is damaged");
        return content;
    }

private:
    zip_t* m_zip = nullptr;
};

namespace {

// Element names without their namespace prefix: writers differ in
// whether they write "x:row" or "row".
const char* LocalName(const pugi::xml_node& node)
{
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool Is(const pugi::xml_node& node, const char* name)
{
    return std::strcmp(LocalName(node), name) == 0;
}

pugi::xml_node Child(const pugi::xml_node& parent, const char* name)
{
    for (pugi::xml_node child : parent.children())
        if (Is(child, name))
            return child;
    return {};
}

// An attribute by its local name ("r:id" and "id" alike).
pugi::xml_attribute Attribute(const pugi::xml_node& node, const char* name)
{
    for (pugi::xml_attribute attribute : node.attributes()) {
        const char* colon = std::strrchr(attribute.name(), ':');
        if (std::strcmp(colon ? colon + 1 : attribute.name(), name) == 0)
            return attribute;
    }
    return {};
}

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

// The text of a string item: its <t>, or the <t> of each of its runs.
std::string ItemText(const pugi::xml_node& item)
{
    std::string text;
    for (pugi::xml_node child : item.children()) {
        if (Is(child, "t"))
            text += child.text().get();
        else if (Is(child, "r"))
            text += Child(child, "t").text().get();
    }
    return text;
}

// "BC12" -> column 54 (0-based); -1 for a reference without letters.
long ColumnOf(const char* reference)
{
    long column = 0;
    bool letters = false;
    for (; *reference >= 'A' && *reference <= 'Z'; ++reference) {
        column = column * 26 + (*reference - 'A' + 1);
        letters = true;
        if (column > 16384)
            return -1;
    }
    return letters ? column - 1 : -1;
}

} // namespace

CWorkbook::CWorkbook(std::string bytes) : m_bytes(std::move(bytes)), m_archive(std::make_unique<CArchive>(m_bytes))
{
    ReadSheetList();
    ReadSharedStrings();
}

CWorkbook::~CWorkbook() = default;

std::string CWorkbook::Part(const std::string& name, bool required) const
{
    if (!required && !m_archive->Has(name))
        return {};
    return m_archive->Read(name);
}

void CWorkbook::ReadSheetList()
{
    const pugi::xml_document relations = Parse(Part("xl/_rels/workbook.xml.rels", true), "xl/_rels/workbook.xml.rels");
    std::map<std::string, std::string> targets;
    for (pugi::xml_node relation : Child(relations, "Relationships").children()) {
        std::string target = Attribute(relation, "Target").value();
        target = target.rfind('/', 0) == 0 ? target.substr(1) : "xl/" + target;
        targets[Attribute(relation, "Id").value()] = target;
    }
    const pugi::xml_document workbook = Parse(Part("xl/workbook.xml", true), "xl/workbook.xml");
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

void CWorkbook::ReadSharedStrings()
{
    const std::string content = Part("xl/sharedStrings.xml", false);
    if (content.empty())
        return;
    const pugi::xml_document strings = Parse(content, "xl/sharedStrings.xml");
    for (pugi::xml_node item : Child(strings, "sst").children())
        if (Is(item, "si"))
            m_sharedStrings.push_back(ItemText(item));
}

std::vector<CWorkbook::Row> CWorkbook::Rows(const std::string& sheet) const
{
    std::size_t index = 0;
    if (!sheet.empty()) {
        while (index < m_sheetNames.size() && m_sheetNames[index] != sheet)
            ++index;
        if (index == m_sheetNames.size())
            throw CTableError("the workbook has no sheet " + sheet);
    }
    const pugi::xml_document document = Parse(Part(m_sheetParts[index], true), m_sheetParts[index]);
    std::vector<Row> rows;
    for (pugi::xml_node row : Child(Child(document, "worksheet"), "sheetData").children()) {
        if (!Is(row, "row"))
            continue;
        Row read{row.attribute("r").as_ullong(rows.empty() ? 1 : rows.back().number + 1), {}};
        for (pugi::xml_node cell : row.children()) {
            if (!Is(cell, "c"))
                continue;
            const char* reference = cell.attribute("r").value();
            const long column = *reference ? ColumnOf(reference) : static_cast<long>(read.cells.size());
            if (column < 0)
                throw CTableError(std::string("the cell reference \"") + reference + "\" is damaged", read.number, reference);
            if (read.cells.size() <= static_cast<std::size_t>(column))
                read.cells.resize(static_cast<std::size_t>(column) + 1);
            const std::string type = cell.attribute("t").value();
            if (type == "s") {
                const unsigned long long shared = Child(cell, "v").text().as_ullong(~0ull);
                if (shared >= m_sharedStrings.size())
                    throw CTableError("the cell " + std::string(reference) + " names shared string "
                                      + Child(cell, "v").text().get() + ", which the workbook does not have",
                                      read.number, reference);
                read.cells[column] = m_sharedStrings[shared];
            } else if (type == "inlineStr") {
                read.cells[column] = ItemText(Child(cell, "is"));
            } else {
                read.cells[column] = Child(cell, "v").text().get();
            }
        }
        if (!read.cells.empty())
            rows.push_back(std::move(read));
    }
    return rows;
}
