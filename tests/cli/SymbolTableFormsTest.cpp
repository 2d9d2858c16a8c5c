#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// Converts the example file `table` into a fresh copy of the example
// project, in the mode the argument chooses; the project's files
// afterwards. The file is read under the name "mischanlage", from which
// the groups take their designation.
std::map<std::string, std::vector<std::uint8_t>> Converted(const TempDir& dir, const std::string& table,
                                                          const std::string& mode)
{
    const std::filesystem::path work = dir / (table + mode);
    const std::filesystem::path project = work / "projekt";
    const std::filesystem::path file = work / ("mischanlage" + std::filesystem::path(table).extension().string());
    std::filesystem::create_directories(work);
    std::filesystem::copy(ExamplePath("mischanlage-projekt"), project);
    std::filesystem::copy_file(ExamplePath(table), file);
    WriteText(dir / "morawin.ini", "[Configuration]\r\n");
    const auto result = RunCli({"convert", file.string(), project.string(), mode, "--settings",
                                (dir / "morawin.ini").string()});
    EXPECT_EQ(result.exitCode, 0) << table << ": " << result.err;
    return FolderBytes(project);
}

TEST(SymbolTableForms, EachFormOfTheExampleWritesTheSameGroupFilesAsItsSequenceFile)
{
    TempDir dir;
    for (const std::string mode : {"--all", "--answer=yes-all"}) {
        const auto expected = Converted(dir, "mischanlage.seq", mode);
        for (const std::string table : {"mischanlage.csv", "mischanlage-utf8.seq", "mischanlage.xlsx"})
            EXPECT_EQ(Converted(dir, table, mode), expected) << table << " " << mode;
    }
}

TEST(SymbolTableForms, TheCommandLineSaysWhatReadingFound)
{
    TempDir dir;
    WriteText(dir / "t.csv", "Address,Symbol,Comment\nI 0.0,S1,\xE2\x86\x92 Start\nMW 2,W,word\nQ 0.1,H1,Lampe\n");
    const auto result = RunCli({"operands", (dir / "t.csv").string()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "E000.00\tS1\t? Start\nA000.01\tH1\tLampe\n");
    EXPECT_EQ(result.err, "morawin-cli: " + (dir / "t.csv").string() + " read as UTF-8\n"
                          "1 Zeichen ohne Entsprechung in Windows-1252 durch ? ersetzt\n"
                          "2 operands from " + (dir / "t.csv").string()
                          + ", 1 row skipped: not a bit, timer or counter address\n");
}

TEST(SymbolTableForms, AWorkbookIsReadFromItsFirstOrItsChosenSheet)
{
    const auto first = RunCli({"operands", ExamplePath("mischanlage.xlsx"), "--kinds", "Z"});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.out, RunCli({"operands", ExamplePath("mischanlage.seq"), "--kinds", "Z"}).out);
    EXPECT_EQ(first.err, "54 operands from sheet Symbole\n");
    const auto cover = RunCli({"operands", ExamplePath("mischanlage.xlsx"), "--sheet", "Info"});
    EXPECT_EQ(cover.exitCode, 2);
    EXPECT_EQ(cover.err, "morawin-cli: cannot read " + ExamplePath("mischanlage.xlsx") + ": no column holds operand addresses\n");
    const auto missing = RunCli({"operands", ExamplePath("mischanlage.xlsx"), "--sheet", "Symbols"});
    EXPECT_EQ(missing.err, "morawin-cli: cannot read " + ExamplePath("mischanlage.xlsx") + ": the workbook has no sheet Symbols\n");
}

TEST(SymbolTableForms, BadTablesAndOptionsEndWithOneMessage)
{
    TempDir dir;
    WriteText(dir / "quote.csv", "Adresse;Symbol\nE 0.0;\"offen\n");
    WriteText(dir / "range.tsv", "Adresse\tSymbol\nE 0.0\ta\nZ 256\tb\n");
    WriteText(dir / "odd.txt", std::string("\xFF\xFE" "a\0b", 5));
    WriteText(dir / "binary.xlsx", std::string("PK\x03\x04\0\0garbage", 14));
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"operands", (dir / "quote.csv").string()}, 2, ": row 2: a quote opened here is never closed\n"},
        {{"operands", (dir / "range.tsv").string()}, 2, ": row 3: byte number 256 is over 255\n"},
        {{"operands", (dir / "odd.txt").string()}, 2, ": UTF-16 text with an odd number of bytes (3)\n"},
        {{"convert", (dir / "binary.xlsx").string(), dir.Path().string()}, 2, ": not a workbook ("},
        {{"operands", (dir / "range.tsv").string(), "--separator", "|"}, 1, "--separator takes"},
        {{"operands", (dir / "range.tsv").string(), "--encoding", "latin1"}, 1, "--encoding takes"},
        {{"diff", (dir / "range.tsv").string(), dir.Path().string(), "--columns", "symbol=2"}, 1, "--columns needs address=N"},
    };
    for (const auto& c : cases) {
        const auto result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[1];
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "") << c.args[1];
    }
}

TEST(SymbolTableForms, ChosenColumnsAndHeaderRowReadATableWithoutKnownNames)
{
    TempDir dir;
    WriteText(dir / "t.csv", "Liste;MA-2\nKennung;Ort;Text\nH1;A 4.0;Lampe\n");
    const auto result = RunCli({"operands", (dir / "t.csv").string(), "--header-row", "2", "--columns",
                                "address=2,symbol=1,comment=3", "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "[\n{\"kind\":\"A\",\"byte\":4,\"bit\":0,\"operand\":\"A004.00\",\"symbol\":\"H1\","
                          "\"comment\":\"Lampe\"}\n]\n");
}

} // namespace
