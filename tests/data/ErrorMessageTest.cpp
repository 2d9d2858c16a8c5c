#include "data/text/Charset.h"
#include "data/text/ErrorMessage.h"
#include "data/text/MessageSink.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace {

TEST(TextFormat, PrintfSubset)
{
    EXPECT_EQ(FormatText("%s%03u.%02u", {"E", 12, 3}), "E012.03");
    EXPECT_EQ(FormatText("%s%03u", {"T", 5}), "T005");
    EXPECT_EQ(FormatText("S%02d", {7}), "S07");
    EXPECT_EQ(FormatText("%03d", {100}), "100");
    EXPECT_EQ(FormatText("%d|%5d|%-5d|%+d", {-3, 42, 42, 7}), "-3|   42|42   |+7");
    EXPECT_EQ(FormatText("%u", {-1}), "4294967295");
    EXPECT_EQ(FormatText("%x %X %#x %o", {255, 255, 255, 8}), "ff FF 0xff 10");
    EXPECT_EQ(FormatText("%.2s|%4s|%c", {"abc", "ab", 65}), "ab|  ab|A");
    EXPECT_EQ(FormatText("100%% %s", {"sicher"}), "100% sicher");
    EXPECT_EQ(FormatText("%ld %hu %lu", {1, 2, 3}), "1 2 3");
}

TEST(TextFormat, HostileFormatsAreHarmless)
{
    // More placeholders than arguments: the missing ones give nothing.
    EXPECT_EQ(FormatText("%s und %s und %d", {"eins"}), "eins und  und ");
    // Fewer: the rest is ignored.
    EXPECT_EQ(FormatText("nur Text", {"x", 1}), "nur Text");
    // Conversions we do not do are copied, never executed.
    EXPECT_EQ(FormatText("%n%p%*d%q", {1, 2}), "%n%p%*d%q");
    EXPECT_EQ(FormatText("Ende %", {1}), "Ende %");
    EXPECT_EQ(FormatText("%", {}), "%");
    // A number where text is expected and the other way round.
    EXPECT_EQ(FormatText("%s", {1041}), "1041");
    EXPECT_EQ(FormatText("%d", {"G001"}), "G001");
    // Huge widths are capped instead of allocating gigabytes.
    EXPECT_LE(FormatText("%999999999d", {1}).size(), 1024u);
    EXPECT_LE(FormatText("%.999999999u", {1}).size(), 1024u);
}

class ErrorMessageTest : public ::testing::Test {
protected:
    void TearDown() override { CStringTable::ResetToBuiltIn(); }
    RecordingSink sink;
};

TEST_F(ErrorMessageTest, BuildsTextsFromTheTable)
{
    EXPECT_EQ(CErrorMessage(1041, "G001", 5).BuildText(), "Fehler beim Schreiben der Datei \"G001\".");
    EXPECT_EQ(CErrorMessage(1040, "GS01.731", 0).BuildText(), "Fehler beim Lesen der Datei \"GS01.731\".");
    EXPECT_EQ(CErrorMessage(1026, 65535).BuildText(), "Es kann nicht ins Clipboard kopiert werden.");
    EXPECT_EQ(CErrorMessage().BuildText(), "Kein Fehler.");
    EXPECT_EQ(CErrorMessage(1028, "/x/hlp/morawin.htm", 0).BuildText(), "Datei-Fehler.");
    EXPECT_EQ(CErrorMessage(99999, "x", 1).BuildText(), "");
}

TEST_F(ErrorMessageTest, ReportGoesToTheSinkAsError)
{
    CErrorMessage(1029, 256).Report();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].kind, MessageKind::error);
    EXPECT_EQ(charset::Cp1252ToUtf8(sink.messages[0].text),
              "Es kann keine Eintäge mehr vom Clipboard übernommen werden.");
}

TEST_F(ErrorMessageTest, CatalogOverridesAreFormattedSafely)
{
    TempDir dir;
    WriteText(dir / "cat.txt", "# Test-Katalog\n"
                               "1041=%s %s %n %d%% \\\"%s\\\"\n"
                               "1026=Zu gro\xC3\x9F: %d Byte\\nEnde\n"
                               "kaputt\n"
                               "12x=nein\n");
    ASSERT_TRUE(CStringTable::LoadCatalog(dir / "cat.txt"));
    EXPECT_EQ(CErrorMessage(1041, "G001", 7).BuildText(), "G001 7 %n % \"\"");
    EXPECT_EQ(CErrorMessage(1026, 65535).BuildText(), "Zu gro\xDF: 65535 Byte\nEnde");
    // Strings the catalog does not name keep their built-in text.
    EXPECT_EQ(CErrorMessage(1027, 0).BuildText(), "Kein Fehler.");
}

TEST_F(ErrorMessageTest, MissingCatalogKeepsTable)
{
    EXPECT_FALSE(CStringTable::LoadCatalog("/nonexistent/morawin.strings"));
    EXPECT_EQ(CStringTable::GetUtf8(1054), "Kein RZ731WIN-Projekt geöffnet");
}

// A message box shows the lines of a message; so does the terminal.
TEST(ErrorMessage, ASecondLineFollowsTheMessageAndStderrShowsEachLineAsALine)
{
    EXPECT_EQ(CErrorMessage(ids::kReadError, "G001.731", 0).AddLine("Grund.").BuildText(),
              "Fehler beim Lesen der Datei \"G001.731\".\nGrund.");
    std::ostringstream captured;
    std::streambuf* old = std::cerr.rdbuf(captured.rdbuf());
    CStderrMessageSink sink;
    sink.ShowMessage("nach \nGruppe S01", MessageKind::information);
    sink.ShowMessage("eins\r\nzwei\rdrei \xFC", MessageKind::error);
    std::cerr.rdbuf(old);
    EXPECT_EQ(captured.str(), "nach\nGruppe S01\neins\nzwei\ndrei \xC3\xBC\n");
}

} // namespace
