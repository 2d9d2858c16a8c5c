// The texts a conversion writes: the worked example byte for byte, and
// what the symbol and comment switches put into each entry.
#include "tests/convert/ConverterFixture.h"

namespace {

TEST_F(ConverterTest, WorkedExampleComesOutByteForByte)
{
    settings.CommentToText = 0;
    CConverter& c = Open("\tE 12.1\tAuf\tKommentar\n\tE 12.3\tZu\t\n");
    c.SetGroupDesignation("Test");
    c.SetListDesignation("L");
    ASSERT_TRUE(c.Validate());
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), WorkedExampleGroup());
    EXPECT_EQ(host.Requests("info:"),
              std::vector<std::string>{"info: Die Operanden E012.01 - E012.03 wurden nach \nGruppe GS01, Liste E001 konvertiert."});
}

TEST_F(ConverterTest, EntryTextsFollowTheTwoSwitches)
{
    const std::string line = "\tE 1.0\tSym\t\n\tE 1.1\tSym\tKomm @5\n";
    struct Case {
        int symbol, comment;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {1, 1, {"E001.00=Sym ", "E001.01=Sym Komm @005"}},
        {1, 0, {"E001.00=Sym", "E001.01=Sym"}},
        {0, 1, {"E001.00=", "E001.01=Komm @005"}},
        {0, 0, {"E001.00=", "E001.01="}},
    };
    for (const auto& k : cases) {
        std::filesystem::remove(dir / "GS01.731");
        Reopen();
        settings.SymbolToText = k.symbol;
        settings.CommentToText = k.comment;
        CConverter& c = Open(line);
        EXPECT_TRUE(c.Accept());
        c.Close();
        EXPECT_EQ(TextsOnDisk("GS01.731", "001"), k.texts) << k.symbol << k.comment;
    }
}

} // namespace
