#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tables/SymbolTableReader.h"
#include "tables/TableError.h"
#include "tables/Workbook.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdint>
#include <cstring>
#include <map>

namespace {

using Parts = std::map<std::string, std::string>;

// A zip archive of the parts, as a workbook writer stores them.
std::string Zip(const Parts& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_keep(buffer);
    for (const auto& [name, content] : parts)
        zip_file_add(archive, name.c_str(), zip_source_buffer(archive, content.data(), content.size(), 0), 0);
    zip_close(archive);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    std::string bytes(static_cast<std::size_t>(zip_source_tell(buffer)), '\0');
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return bytes;
}

const char* const kRelations =
    R"(<Relationships xmlns="x"><Relationship Id="rId1" Target="worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Target="/xl/worksheets/b.xml"/></Relationships>)";
const char* const kWorkbook =
    R"(<x:workbook xmlns:x="m" xmlns:r="r"><x:sheets><x:sheet name="Deckblatt" r:id="rId1"/>)"
    R"(<x:sheet name="Symbole" r:id="rId2"/></x:sheets></x:workbook>)";

// The size that the entry `name` of a zip archive states for itself, in
// its local header and in the central directory, changed to `size`.
void StateSize(std::string& zip, const std::string& name, std::uint32_t size)
{
    const auto at = [&](std::size_t offset) { return static_cast<unsigned char>(zip[offset]); };
    for (std::size_t pos = 0; pos + 46 < zip.size(); ++pos) {
        const bool local = zip.compare(pos, 4, "PK\x03\x04") == 0;
        const bool central = zip.compare(pos, 4, "PK\x01\x02") == 0;
        const std::size_t nameAt = local ? 30 : 46;
        const std::size_t length = at(pos + (local ? 26 : 28)) | at(pos + (local ? 27 : 29)) << 8;
        if ((local || central) && zip.compare(pos + nameAt, length, name) == 0 && length == name.size())
            for (int i = 0; i < 4; ++i)
                zip[pos + (local ? 22 : 24) + i] = static_cast<char>(size >> (8 * i));
    }
}

// Latin-1 text as UTF-16 LE with its byte-order mark.
std::string Utf16(const std::string& latin1)
{
    std::string out("\xFF\xFE", 2);
    for (const char c : latin1)
        out += {c, '\0'};
    return out;
}

Parts Workbook(const std::string& symbols, const std::string& shared = {})
{
    Parts parts{{"xl/_rels/workbook.xml.rels", kRelations},
                {"xl/workbook.xml", kWorkbook},
                {"xl/worksheets/sheet1.xml", R"(<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>Titel</t></is></c></row></sheetData></worksheet>)"},
                {"xl/worksheets/b.xml", "<worksheet><sheetData>" + symbols + "</sheetData></worksheet>"}};
    if (!shared.empty())
        parts["xl/sharedStrings.xml"] = "<sst>" + shared + "</sst>";
    return parts;
}

TEST(Workbook, SharedInlineAndNumberCellsOfTheChosenSheet)
{
    const CWorkbook workbook(Zip(Workbook(
        R"(<row r="2"><c r="A2" t="s"><v>0</v></c><c r="C2" t="inlineStr"><is><r><t>Sym</t></r><r><t>bol</t></r></is></c></row>)"
        R"(<row r="5"><c r="B5"><v>12.5</v></c><c r="C5" t="s"><v>1</v></c></row>)",
        R"(<si><t>Adresse</t></si><si><r><t>T&#252;r </t></r><r><t>&amp; Tor</t></r></si>)")));
    EXPECT_EQ(workbook.SheetNames(), (std::vector<std::string>{"Deckblatt", "Symbole"}));
    const auto rows = workbook.Rows("Symbole");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].number, 2u);
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{"Adresse", "", "Symbol"}));
    EXPECT_EQ(rows[1].number, 5u);
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"", "12.5", "T\xC3\xBCr & Tor"}));
    EXPECT_EQ(workbook.Rows("").front().cells, std::vector<std::string>{"Titel"});
}

TEST(Workbook, DamagedWorkbooksAreRefusedNamingWhatIsWrong)
{
    const std::string good = Zip(Workbook(""));
    const struct {
        std::string bytes;
        std::string sheet;
        std::string message;
        std::string cell;
    } cases[] = {
        {"plain text, no zip", "", "not a workbook", ""},
        {good.substr(0, good.size() / 2), "", "not a workbook", ""},
        {Zip(Workbook(R"(<row r="3"><c r="D3" t="s"><v>7</v></c></row>)", "<si><t>a</t></si>")), "Symbole",
         "names shared string 7", "D3"},
        {Zip(Workbook(R"(<row r="1"><c r="A1"><v>1</v></c>)")), "Symbole", "is no XML", ""},
        {Zip(Workbook("")), "Fehlt", "no sheet Fehlt", ""},
        {Zip({{"xl/workbook.xml", kWorkbook}}), "", "no part xl/_rels/workbook.xml.rels", ""},
    };
    for (const auto& c : cases) {
        try {
            CWorkbook(c.bytes).Rows(c.sheet);
            ADD_FAILURE() << c.message;
        } catch (const CTableError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
            EXPECT_EQ(error.Cell(), c.cell);
        }
    }
}

TEST(Workbook, EntitiesOfADocumentTypeAreNeverExpanded)
{
    std::string bomb = R"(<!DOCTYPE sst [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">)"
                       R"(<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;"><!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">]>)"
                       R"(<sst><si><t>&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;</t></si></sst>)";
    Parts parts = Workbook(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)");
    parts["xl/sharedStrings.xml"] = bomb;
    const auto rows = CWorkbook(Zip(parts)).Rows("Symbole");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_LT(rows[0].cells[0].size(), 100u);
}

TEST(Workbook, APartThatExpandsPast256MegabytesIsRefused)
{
    Parts parts = Workbook("");
    parts["xl/worksheets/b.xml"] = std::string(CWorkbook::kMaxPartSize + 1, ' ');
    try {
        CWorkbook(Zip(parts)).Rows("Symbole");
        FAIL();
    } catch (const CTableError& error) {
        EXPECT_NE(std::string(error.what()).find("expands past 256 MB"), std::string::npos) << error.what();
    }
}

TEST(Workbook, ASheetIsReadAsATableWithItsOwnRowNumbers)
{
    const std::string rows = R"(<row r="3"><c r="A3" t="s"><v>0</v></c><c r="B3" t="s"><v>1</v></c></row>)"
                             R"(<row r="4"><c r="A4" t="inlineStr"><is><t>%IX1.2</t></is></c><c r="B4" t="inlineStr"><is><t>S_T&#220;R &#8594;</t></is></c></row>)"
                             R"(<row r="9"><c r="A9" t="inlineStr"><is><t>%I1.9</t></is></c></row>)";
    SymbolTableOptions options;
    options.sheet = "Symbole";
    CSequenceFile file("");
    try {
        CSymbolTableReader(options).Read(Zip(Workbook(rows, "<si><t>Address</t></si><si><t>Symbol</t></si>")),
                                         SymbolTableForm::workbook, file);
        FAIL();
    } catch (const CTableError& error) {
        EXPECT_EQ(error.Row(), 9u);
    }
    const std::string fine = rows.substr(0, rows.find("<row r=\"9\""));
    const SymbolTableReport report = CSymbolTableReader(options).Read(
        Zip(Workbook(fine, "<si><t>Address</t></si><si><t>Symbol</t></si>")), SymbolTableForm::workbook, file);
    ASSERT_EQ(file.GetCount(), 1);
    EXPECT_EQ(file.GetEntry(0)->GetOperandText(), "E001.02");
    EXPECT_EQ(file.GetEntry(0)->GetSymbol(), "S_T\xDCR ?");
    EXPECT_EQ(report.sheet, "Symbole");
    EXPECT_EQ(report.replacedCharacters, 1u);
    EXPECT_EQ(report.replacedOperands.size(), 1u);
}

TEST(Workbook, ASheetFarLargerThanOnePieceIsReadWholeAndDamageAtItsEndIsFound)
{
    std::string rows;
    for (int row = 1; row <= 10000; ++row) {
        const std::string r = std::to_string(row);
        rows += "<row r=\"" + r + "\"><c r=\"A" + r + "\" t=\"inlineStr\"><is><t>T\xC3\xBCr " + r + "</t></is></c>"
              + (row % 7 == 0 ? "<!-- </row> --><![CDATA[</row>]]>" : "") + "<c r=\"B" + r + "\"><v>" + r + "</v></c></row>\n";
    }
    const auto read = CWorkbook(Zip(Workbook(rows))).Rows("Symbole");
    ASSERT_EQ(read.size(), 10000u);
    for (std::size_t i = 0; i < read.size(); ++i) {
        ASSERT_EQ(read[i].number, i + 1);
        ASSERT_EQ(read[i].cells, (std::vector<std::string>{"T\xC3\xBCr " + std::to_string(i + 1), std::to_string(i + 1)}));
    }
    Parts cut = Workbook(rows);
    cut["xl/worksheets/b.xml"].resize(cut["xl/worksheets/b.xml"].size() - 20);
    try {
        CWorkbook(Zip(cut)).Rows("Symbole");
        FAIL();
    } catch (const CTableError& error) {
        EXPECT_STREQ(error.what(), "the part xl/worksheets/b.xml is no XML (Start-end tags mismatch)");
    }
}

TEST(Workbook, MarkupLongerThanOneReadAndSharedStringsOfManyPiecesAreReadWhole)
{
    const std::string big(200000, 'y');
    std::string shared;
    for (int i = 0; i < 20000; ++i)
        shared += "<si><t>s" + std::to_string(i) + "</t></si>";
    Parts parts = Workbook("", shared);
    parts["xl/worksheets/b.xml"] =
        "<!DOCTYPE worksheet [<!ENTITY e \"" + big + "\">]><!--" + big + "--><worksheet><sheetData><row r=\"1\">"
        "<c r=\"A1\" t=\"inlineStr\"><is><t>" + big + "</t></is></c><c r=\"B1\" a=\"" + big + "\" t=\"s\"><v>19999</v></c>"
        "</row><?x " + big + "?><![CDATA[" + big + "]]><row r=\"2\"><c r=\"B2\" t=\"s\"><v>0</v></c></row></sheetData></worksheet>";
    const auto rows = CWorkbook(Zip(parts)).Rows("Symbole");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{big, "s19999"}));
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"", "s0"}));
}

// The damage is named as pugixml names it when it parses the part whole.
TEST(Workbook, DamagedMarkupIsNamedAsInTheWholePart)
{
    const struct {
        const char* sheet;
        const char* problem;
    } cases[] = {
        {"", "No document element found"},
        {"<worksheet><sheetData><row><c><v>1</v></c></row></sheetData>", "Start-end tags mismatch"},
        {"<worksheet><sheetData></row></sheetData></worksheet>", "Start-end tags mismatch"},
        {"<worksheet><sheetData><row><c><v>1 <", "Start-end tags mismatch"},
        {"<worksheet><sheetData><row r=\"1\"", "Error parsing start element tag"},
        {"<worksheet><sheetData><row r=\"1></row></sheetData></worksheet>", "Error parsing element attribute"},
        {"<worksheet a=\"1\"b=\"2\"/>", "Error parsing element attribute"},
        {"<worksheet><sheetData/></worksheet", "Error parsing end element tag"},
        {"<worksheet><!-- open", "Error parsing comment"},
        {"<worksheet><sheetData><row><c><v><![CDATA[x</v></c></row>", "Error parsing CDATA section"},
        {"<worksheet><sheetData><row/><!DOCTYPE x></sheetData></worksheet>", "Error parsing document type declaration"},
        {"<worksheet><?pi", "Error parsing document declaration/processing instruction"},
        {"<worksheet/>< ", "Could not determine tag type"},
    };
    for (const auto& c : cases) {
        Parts parts = Workbook("");
        parts["xl/worksheets/b.xml"] = c.sheet;
        try {
            CWorkbook(Zip(parts)).Rows("Symbole");
            ADD_FAILURE() << c.sheet;
        } catch (const CTableError& error) {
            EXPECT_EQ(error.what(), "the part xl/worksheets/b.xml is no XML (" + std::string(c.problem) + ")") << c.sheet;
        }
    }
}

TEST(Workbook, APartThatUnpacksToMoreThanItsEntryStatesIsRefused)
{
    std::string bytes = Zip(Workbook(std::string(1000, ' ')));
    StateSize(bytes, "xl/worksheets/b.xml", 100);
    try {
        CWorkbook(bytes).Rows("Symbole");
        FAIL();
    } catch (const CTableError& error) {
        EXPECT_STREQ(error.what(), "the part xl/worksheets/b.xml is damaged (longer than it states)");
    }
}

TEST(Workbook, SheetsInUtf16OrDeclaredLatin1GiveTheTextsOfTheirUtf8Twin)
{
    const std::string sheet = "<worksheet><sheetData><row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>T\xFCr &amp; Tor</t>"
                              "</is></c></row></sheetData></worksheet>";
    const std::vector<std::string> expected{"T\xC3\xBCr & Tor"};
    for (const std::string& part : {Utf16(sheet), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + sheet}) {
        Parts parts = Workbook("");
        parts["xl/worksheets/b.xml"] = part;
        const auto rows = CWorkbook(Zip(parts)).Rows("Symbole");
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].cells, expected);
    }
}

} // namespace
