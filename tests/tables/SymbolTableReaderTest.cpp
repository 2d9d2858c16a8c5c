#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tables/SymbolTableReader.h"
#include "tables/TableError.h"

#include <gtest/gtest.h>

namespace {

// Each operand as "E012.01|symbol|comment", in the file's order.
std::vector<std::string> Operands(const CSequenceFile& file)
{
    std::vector<std::string> out;
    for (int i = 0; i < file.GetCount(); ++i) {
        const CSequenceEntry* entry = file.GetEntry(i);
        out.push_back(entry->GetOperandText() + "|" + std::string(entry->GetSymbol()) + "|"
                      + std::string(entry->GetComment()));
    }
    return out;
}

struct Read {
    explicit Read(std::string content, SymbolTableOptions options = {}, SymbolTableForm form = SymbolTableForm::table)
        : report(CSymbolTableReader(std::move(options)).Read(std::move(content), form, file)), operands(Operands(file))
    {
    }
    CSequenceFile file{""};
    SymbolTableReport report;
    std::vector<std::string> operands;
};

TEST(SymbolTableReader, ColumnsAreFoundByTheirGermanOrEnglishHeader)
{
    const Read german("Symbol;Adresse;Datentyp;Kommentar\r\nS_START;E 0.1;BOOL;Taster Start\r\nT_F\xDC" "LLEN;T 1;TIMER;Zeit\r\n");
    EXPECT_EQ(german.operands, (std::vector<std::string>{"E000.01|S_START|Taster Start", "T001|T_F\xDCLLEN|Zeit"}));
    EXPECT_EQ(german.report.separator, ';');

    const Read english("Description,Logical Address,NAME\n\"Start, green\",%I0.1,S_START\n");
    EXPECT_EQ(english.operands, (std::vector<std::string>{"E000.01|S_START|Start, green"}));
    EXPECT_EQ(english.report.skippedRows, 0u);
}

TEST(SymbolTableReader, WithoutAHeaderTheAddressColumnIsTheOneThatHoldsAddresses)
{
    // Symbol before the address: the comment is the column after it.
    const Read before("S1\tE 0.0\tTaster 1\nS2\tE 0.1\tTaster 2\n");
    EXPECT_EQ(before.operands, (std::vector<std::string>{"E000.00|S1|Taster 1", "E000.01|S2|Taster 2"}));
    // The address first: symbol and comment follow; a title line above it
    // is no skipped operand.
    const Read first("Liste der Operanden\nA 4.0;H1;Lampe\nA 4.1;H2;Hupe\n");
    EXPECT_EQ(first.operands, (std::vector<std::string>{"A004.00|H1|Lampe", "A004.01|H2|Hupe"}));
    EXPECT_EQ(first.report.skippedRows, 0u);
    EXPECT_THROW(Read("just;some\ntext;here\n"), CTableError);
}

TEST(SymbolTableReader, RowsThatAreNoBitTimerOrCounterAreSkippedAndCounted)
{
    const Read read("Adresse;Symbol;Kommentar;Datentyp\nMW 10;W;Wort;INT\nM 1.0;X;Bit;BOOL\nM 2.0;Y;kein Bit;INT\n"
                    ";;;\nDB1.DBX0.0;D;Baustein;BOOL\n'E 0.0;G;\"=\"\"x\"\"\";BOOL\n=\"T 7\";H;;\n");
    EXPECT_EQ(read.operands, (std::vector<std::string>{"E000.00|G|x", "M001.00|X|Bit", "T007|H|"}));
    // MW 10, M 2.0 (INT), DB1...; the empty row is not counted.
    EXPECT_EQ(read.report.skippedRows, 3u);
}

TEST(SymbolTableReader, AnOutOfRangeAddressIsRefusedWithItsRowAndNothingIsRead)
{
    for (const char* table : {"Adresse;Symbol\nE 1.0;a\nE 256.0;b\n", "Adresse;Symbol\nE 1.0;a\nE 2.8;b\n"}) {
        CSequenceFile file("");
        try {
            CSymbolTableReader().Read(table, SymbolTableForm::table, file);
            FAIL() << table;
        } catch (const CTableError& error) {
            EXPECT_EQ(error.Row(), 3u);
        }
        EXPECT_EQ(file.GetCount(), 0);
    }
}

TEST(SymbolTableReader, ChosenSeparatorHeaderRowAndColumnsOverrideTheDetection)
{
    SymbolTableOptions options;
    options.separator = ',';
    options.headerRow = 2;
    options.columns = ColumnMap{2, 0, 1, -1};
    const Read read("Projekt;X\nS,C,A\nS1,eins; zwei,Q 1.1\n", options);
    EXPECT_EQ(read.operands, (std::vector<std::string>{"A001.01|S1|eins; zwei"}));
}

TEST(SymbolTableReader, TextsLineBreaksAndTabsBecomeSpacesAsInASequenceFile)
{
    const Read read("Adresse;Symbol;Kommentar\nE 0.0;\"a\tb\";\"zwei\r\nZeilen\"\n");
    EXPECT_EQ(read.operands, (std::vector<std::string>{"E000.00|a b|zwei  Zeilen"}));
}

TEST(SymbolTableReader, Utf8TablesAndSequenceFilesGiveWindows1252AndMarkLostCharacters)
{
    const Read table("Adresse;Symbol;Kommentar\nE 0.0;B_T\xC3\x9CR;T\xC3\xBCr \xE2\x86\x92 zu\nE 0.1;S;ok\n");
    EXPECT_EQ(table.report.encoding, TextEncoding::utf8);
    EXPECT_EQ(table.operands, (std::vector<std::string>{"E000.00|B_T\xDCR|T\xFCr ? zu", "E000.01|S|ok"}));
    EXPECT_EQ(table.report.replacedCharacters, 1u);
    ASSERT_EQ(table.report.replacedOperands.size(), 1u);
    EXPECT_EQ(table.report.replacedOperands[0], table.file.GetEntry(0)->SortKey());

    const Read sequence("\tM 1.0\tA\tok\n\tE 0.0\tB_T\xC3\x9CR\t\xE2\x98\xBA\n", {}, SymbolTableForm::sequence);
    EXPECT_EQ(sequence.operands, (std::vector<std::string>{"E000.00|B_T\xDCR|?", "M001.00|A|ok"}));
    EXPECT_EQ(sequence.report.replacedOperands, std::vector<std::uint32_t>{sequence.file.GetEntry(0)->SortKey()});
}

// The quotes come off after the conversion: a sequence cut short by a
// closing quote is a lost character of its own, not one with what follows.
TEST(SymbolTableReader, AChosenUtf8IsConvertedBeforeTheQuotesComeOff)
{
    SymbolTableOptions options;
    options.encoding = TextEncoding::utf8;
    const Read read("Adresse;Symbol\nE 0.0;\"x\xE2\"\x82y\"\nE 0.1;\xC3\xBC\n", options);
    EXPECT_EQ(read.operands, (std::vector<std::string>{"E000.00|x??y\"|", "E000.01|\xFC|"}));
    EXPECT_EQ(read.report.replacedCharacters, 2u);
}

TEST(SymbolTableReader, RowsOfTheSameOperandKeepTheirOrderAsInASequenceFile)
{
    const Read table("Adresse;Symbol\nE 0.1;erste\nT 2;T\nE 0.0;x\nE 0.1;zweite\nA 1.0;a\n");
    const Read sequence("\tE 0.1\terste\n\tT 2\tT\n\tE 0.0\tx\n\tE 0.1\tzweite\n\tA 1.0\ta\n", {}, SymbolTableForm::sequence);
    EXPECT_EQ(table.operands, (std::vector<std::string>{"E000.00|x|", "E000.01|erste|", "E000.01|zweite|", "A001.00|a|", "T002|T|"}));
    EXPECT_EQ(table.operands, sequence.operands);
}

TEST(SymbolTableReader, ARowOverSeveralLinesIsMarkedForACharacterLostOnAnyOfThem)
{
    const Read read("Adresse;Symbol;Kommentar\nE 0.0;a;\"eins\nzwei \xE2\x86\x92\"\nE 0.1;b;ok\n");
    EXPECT_EQ(read.operands, (std::vector<std::string>{"E000.00|a|eins zwei ?", "E000.01|b|ok"}));
    EXPECT_EQ(read.report.replacedOperands, std::vector<std::uint32_t>{read.file.GetEntry(0)->SortKey()});
}

TEST(SymbolTableReader, AWindows1252SequenceFileIsReadByteForByte)
{
    const std::string content("\tE 0.0\tT\xDCR\t\x81\x9D\xFF\r\n; Kommentar\n", 22);
    const Read read(content, {}, SymbolTableForm::sequence);
    EXPECT_EQ(read.report.encoding, TextEncoding::windows1252);
    EXPECT_EQ(read.operands, (std::vector<std::string>{"E000.00|T\xDCR|\x81\x9D\xFF"}));
}

TEST(SymbolTableReader, TheFormFollowsTheExtension)
{
    EXPECT_EQ(FormOfFile("a/Symbole.CSV"), SymbolTableForm::table);
    EXPECT_EQ(FormOfFile("b.tsv"), SymbolTableForm::table);
    EXPECT_EQ(FormOfFile("c.txt"), SymbolTableForm::table);
    EXPECT_EQ(FormOfFile("d.seq"), SymbolTableForm::sequence);
    EXPECT_EQ(FormOfFile("e"), SymbolTableForm::sequence);
}

} // namespace
