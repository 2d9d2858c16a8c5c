#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "data/text/NumberText.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct LineCase {
    const char* name;
    std::string line;
    bool valid;
    int kind = 0;
    int byte = 0;
    int bit = 0;
    std::string symbol;
    std::string comment;
};

std::ostream& operator<<(std::ostream& out, const LineCase& c)
{
    return out << c.name;
}

class ParseLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParseLineTest, MatchesOperandLayout)
{
    const LineCase& c = GetParam();
    CSequenceFile file("x.seq");
    CSequenceEntry entry(&file, c.line);
    ASSERT_EQ(entry.IsValid(), c.valid);
    if (!c.valid)
        return;
    EXPECT_EQ(entry.GetKind(), c.kind);
    EXPECT_EQ(entry.GetByte(), c.byte);
    EXPECT_EQ(entry.GetBit(), c.bit);
    EXPECT_EQ(entry.GetSymbol(), c.symbol);
    EXPECT_EQ(entry.GetComment(), c.comment);
}

const std::string kNul("\0", 1);

INSTANTIATE_TEST_SUITE_P(
    Layouts, ParseLineTest,
    ::testing::Values(
        LineCase{"Input", "\tI 5.3\tStart\tTaster", true, 1, 5, 3, "Start", "Taster"},
        LineCase{"InputE", "\tE 12.1\tS\tc", true, 1, 12, 1, "S", "c"},
        LineCase{"OutputA", "\tA 7.1\tS\tc", true, 2, 7, 1, "S", "c"},
        LineCase{"OutputO", "\tO 7.1\tS\tc", true, 2, 7, 1, "S", "c"},
        LineCase{"MarkerM", "\tM 1.0\tS", true, 3, 1, 0, "S", ""},
        LineCase{"MarkerF", "\tF 1.0\tS", true, 3, 1, 0, "S", ""},
        LineCase{"Timer", "\tT 12\tT\tZeit", true, 4, 12, 0, "T", "Zeit"},
        LineCase{"CounterZ", "\tZ 3\tZ", true, 5, 3, 0, "Z", ""},
        LineCase{"CounterC", "\tC 3\tZ", true, 5, 3, 0, "Z", ""},
        LineCase{"EmptySymbolAndComment", "\tA 7.1\t", true, 2, 7, 1, "", ""},
        LineCase{"EmptySymbolWithComment", "\tA 7.1\t\tnur Kommentar", true, 2, 7, 1, "", "nur Kommentar"},
        LineCase{"TabsInComment", "\tA 7.1\tS\tc1\tc2", true, 2, 7, 1, "S", "c1\tc2"},
        LineCase{"ByteWraps", "\tM 300.1\tX", true, 3, 44, 1, "X", ""},
        LineCase{"BitWraps", "\tM 1.257\tX", true, 3, 1, 1, "X", ""},
        LineCase{"LeadingBlanksInNumbers", "\tE  \t4. 2\tX", true, 1, 4, 2, "X", ""},
        LineCase{"PlusSign", "\tE +4.+2\tX", true, 1, 4, 2, "X", ""},
        LineCase{"MinusWraps", "\tT -1\tX", true, 4, 255, 0, "X", ""},
        LineCase{"MinusOnBit", "\tE 1.-2\tX", true, 1, 1, 254, "X", ""},
        LineCase{"OverflowGivesMax", "\tT 99999999999\tX", true, 4, 255, 0, "X", ""},
        LineCase{"AboveTwoTo32NotTruncated", "\tT 4294967552\tX", true, 4, 255, 0, "X", ""},
        LineCase{"JustBelowTwoTo32", "\tT 4294967041\tX", true, 4, 1, 0, "X", ""},
        LineCase{"NegativeOverflowGivesMax", "\tT -99999999999\tX", true, 4, 255, 0, "X", ""},
        LineCase{"NulInComment", "\tE 1.1\tS\tc" + kNul + "d", true, 1, 1, 1, "S", "c" + kNul + "d"},
        LineCase{"HighBytesKept", "\tE 1.1\tT\xDCR\t\xC4nderung", true, 1, 1, 1, "T\xDCR", "\xC4nderung"},
        LineCase{"Empty", "", false, 0, 0, 0, "", ""},
        LineCase{"ThreeCharacters", "\tE ", false, 0, 0, 0, "", ""},
        LineCase{"SpaceInsteadOfTab", " E 1.1\tX", false, 0, 0, 0, "", ""},
        LineCase{"LowerCaseLetter", "\te 1.1\tX", false, 0, 0, 0, "", ""},
        LineCase{"UnknownLetter", "\tX 1.1\tX", false, 0, 0, 0, "", ""},
        LineCase{"NoSpaceAfterLetter", "\tE1.1\tX", false, 0, 0, 0, "", ""},
        LineCase{"InputWithoutBit", "\tE 12\tX", false, 0, 0, 0, "", ""},
        LineCase{"TimerWithBit", "\tT 12.5\tX", false, 0, 0, 0, "", ""},
        LineCase{"NoDigits", "\tT x\tX", false, 0, 0, 0, "", ""},
        LineCase{"SignWithoutDigits", "\tT -\tX", false, 0, 0, 0, "", ""},
        LineCase{"BitWithoutDigits", "\tE 1.\tX", false, 0, 0, 0, "", ""},
        LineCase{"NoTabAfterNumber", "\tE 1.1 X", false, 0, 0, 0, "", ""},
        LineCase{"EndsAfterNumber", "\tE 1.1", false, 0, 0, 0, "", ""},
        LineCase{"EndsAfterPoint", "\tE 1.", false, 0, 0, 0, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseUnsigned32, FollowsThirtyTwoBitStrtoul)
{
    std::size_t consumed = 0;
    EXPECT_EQ(ParseUnsigned32("4294967295", consumed), 4294967295u);
    EXPECT_EQ(consumed, 10u);
    EXPECT_EQ(ParseUnsigned32("4294967296", consumed), 4294967295u);
    EXPECT_EQ(ParseUnsigned32("-4294967295", consumed), 1u);
    EXPECT_EQ(ParseUnsigned32("-4294967296", consumed), 4294967295u);
    EXPECT_EQ(ParseUnsigned32(" \t\v\f\r\n+12x", consumed), 12u);
    EXPECT_EQ(consumed, 9u);
    EXPECT_EQ(ParseUnsigned32("00000000000000000000000000007", consumed), 7u);
    EXPECT_EQ(ParseUnsigned32("+", consumed), 0u);
    EXPECT_EQ(consumed, 0u);
    EXPECT_EQ(ParseUnsigned32("", consumed), 0u);
    EXPECT_EQ(consumed, 0u);
}

std::unique_ptr<CSequenceFile> Read(const std::string& text)
{
    auto file = std::make_unique<CSequenceFile>("C:\\A.B\\X.SEQ");
    std::istringstream in(text);
    EXPECT_TRUE(file->ReadArchive(in));
    return file;
}

std::vector<std::string> OperandTexts(const CSequenceFile& file)
{
    std::vector<std::string> texts;
    for (int i = 0; i < file.GetCount(); ++i)
        texts.push_back(file.GetEntry(i)->GetColumnText(0) + "/" + file.GetEntry(i)->GetColumnText(1));
    return texts;
}

TEST(SequenceFile, SortsByKindByteBitAndKeepsDuplicatesInFileOrder)
{
    const auto file = Read("\tZ 1\tz\n"
                           "\tE 2.0\te2\r\n"
                           "\tO 1.1\tout\n"
                           "\tE 1.7\tfirst\n"
                           "Kopfzeile\n"
                           "\tM 9.9\tm\n"
                           "\tE 1.7\tsecond\n"
                           "\tT 4\tt\n"
                           "\tA 1.0\ta");
    EXPECT_EQ(OperandTexts(*file),
              (std::vector<std::string>{"E001.07/first", "E001.07/second", "E002.00/e2", "A001.00/a",
                                        "A001.01/out", "M009.09/m", "T004/t", "Z001/z"}));
    EXPECT_TRUE(file->IsLoaded());
}

TEST(SequenceFile, LineEndsAreRemovedAndOnlyThem)
{
    const auto file = Read("\tE 1.0\tcrlf\tc\r\n\tE 1.1\tlf\tc\n\tE 1.2\tinner\rcr\tc\r\n\tE 1.3\tlast\tno end");
    ASSERT_EQ(file->GetCount(), 4);
    EXPECT_EQ(file->GetEntry(0)->GetComment(), "c");
    EXPECT_EQ(file->GetEntry(1)->GetComment(), "c");
    EXPECT_EQ(file->GetEntry(2)->GetSymbol(), "inner\rcr");
    EXPECT_EQ(file->GetEntry(3)->GetComment(), "no end");
}

TEST(SequenceFile, LongLinesAcrossReadChunks)
{
    const std::string comment(600000, 'x');
    const auto file = Read("\tE 1.0\ts\t" + comment + "\r\n\tE 1.1\ts2\n");
    ASSERT_EQ(file->GetCount(), 2);
    EXPECT_EQ(file->GetEntry(0)->GetComment(), comment);
    EXPECT_EQ(file->GetEntry(1)->GetSymbol(), "s2");
}

// A file read whole and parsed in place gives the same list as one read
// from a stream, and its texts stay valid as long as the list.
TEST(SequenceFile, ContentReadWholeMatchesTheStream)
{
    const std::string cases[] = {
        "",
        "\n\r\n\n",
        "\tE 1.0\tcrlf\tc\r\n\tE 1.1\tlf\tc\n\tE 1.2\tinner\rcr\tc\r\n\tE 1.3\tlast\tno end",
        "\tZ 1\tz\n\tE 2.0\te2\r\nKopf\n\tE 2.0\tzwei\r\n\tT 4\t\r",
        "\tA 7.1\t\n\tM 300.1\tX\r\n\tE 12\tX\n\tA 7.1\tS\tc1\tc2\r\n",
    };
    for (const std::string& text : cases) {
        const auto expected = Read(text);
        auto whole = std::make_unique<CSequenceFile>("X.SEQ");
        std::string content = text;
        ASSERT_TRUE(whole->ReadContent(std::move(content)));
        ASSERT_EQ(whole->GetCount(), expected->GetCount()) << text;
        EXPECT_TRUE(whole->IsLoaded());
        for (int i = 0; i < whole->GetCount(); ++i) {
            for (int column = 0; column < 3; ++column)
                EXPECT_EQ(whole->GetEntry(i)->GetColumnText(column), expected->GetEntry(i)->GetColumnText(column))
                    << text;
        }
    }
    // Read again, the list holds only the new content.
    auto file = std::make_unique<CSequenceFile>("X.SEQ");
    ASSERT_TRUE(file->ReadContent("\tE 1.0\talt\n"));
    ASSERT_TRUE(file->ReadContent("\tA 2.0\tneu\n"));
    ASSERT_EQ(file->GetCount(), 1);
    EXPECT_EQ(file->GetEntry(0)->GetSymbol(), "neu");
}

TEST(SequenceFile, EmptyOrInvalidFileGivesEmptyLoadedList)
{
    EXPECT_EQ(Read("")->GetCount(), 0);
    const auto file = Read("nichts\n\n\te 1.1\tx\n");
    EXPECT_EQ(file->GetCount(), 0);
    EXPECT_TRUE(file->IsLoaded());
}

TEST(SequenceFile, ReadErrorEmptiesTheList)
{
    class FailingBuf : public std::streambuf {
        int underflow() override { throw std::ios_base::failure("disk gone"); }
    } buf;
    std::istream in(&buf);
    in.exceptions(std::ios::badbit);
    CSequenceFile file("x.seq");
    EXPECT_FALSE(file.ReadArchive(in));
    EXPECT_EQ(file.GetCount(), 0);
    EXPECT_FALSE(file.IsLoaded());
}

TEST(SequenceFile, ColumnsTitlesAndWidths)
{
    const auto file = Read("\tE 12.3\tSym\tKomm\n\tT 5\tt\n");
    EXPECT_EQ(file->GetColumnCount(), 3);
    EXPECT_EQ(file->GetColumnHeader(0), "Operand");
    EXPECT_EQ(file->GetColumnHeader(1), "Symbol");
    EXPECT_EQ(file->GetColumnHeader(2), "Kommentar");
    EXPECT_EQ(file->GetColumnHeader(3), "");
    EXPECT_EQ(file->GetColumnWidth(0), 12);
    EXPECT_EQ(file->GetColumnWidth(1), 12);
    EXPECT_EQ(file->GetColumnWidth(2), 30);
    EXPECT_EQ(file->GetColumnWidth(3), 1);
    const CSequenceEntry& input = *file->GetEntry(0);
    EXPECT_EQ(input.GetColumnText(0), "E012.03");
    EXPECT_EQ(input.GetColumnText(1), "Sym");
    EXPECT_EQ(input.GetColumnText(2), "Komm");
    EXPECT_EQ(input.GetColumnText(3), "");
    EXPECT_EQ(file->GetEntry(1)->GetColumnText(0), "T005");
    EXPECT_EQ(file->GetType(), 52);
    EXPECT_EQ(input.GetType(), 53);
    EXPECT_EQ(input.GetProject(), nullptr);
}

TEST(SequenceFile, BaseNameCutsAtFirstPointOfWholePath)
{
    CSequenceFile file("C:\\A.B\\X.SEQ");
    EXPECT_EQ(file.GetBaseName(), "C:\\A");
    EXPECT_EQ(file.GetExtension(), "B\\X.SEQ");
    EXPECT_FALSE(file.Load());
    EXPECT_FALSE(file.Save());
}

TEST(SequenceEntry, CompareIgnoresOtherTypes)
{
    CSequenceFile file("x.seq");
    CSequenceEntry a(&file, "\tE 1.1\ta");
    EXPECT_EQ(a.Compare(&file), 0);
    CSequenceEntry b(&file, "\tE 1.2\tb");
    EXPECT_LT(a.Compare(&b), 0);
    EXPECT_GT(b.Compare(&a), 0);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b >= a);
}

} // namespace
