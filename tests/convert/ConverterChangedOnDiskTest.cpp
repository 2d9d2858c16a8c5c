// Group files another program changes or creates while the conversion
// runs: refused, read again, and never overwritten.
#include "tests/convert/ConverterFixture.h"

namespace {

// Group S01 as another program leaves it: list 001 with E012.01 "fremd"
// and a list 009 of outputs.
Bytes OtherProgramsGroup(const std::string& designation)
{
    return GroupBytes("P1", "S01", designation, 2)
        .List("001", "Liste", kKindInput, 1).BitBlock(12, 1).Text(1, 0, "fremd").EndList()
        .List("009", "Fremd", kKindOutput, 1).BitBlock(4, 1).Text(0, 0, "Ventil").EndList()
        .Bytes();
}

const std::string kChangedS01 = "error 1080: GS01.731";

TEST_F(ConverterTest, StepOverAFileChangedWhileTheQuestionWasOpenIsRefusedThenDoneOnWhatItHolds)
{
    ExistingGroup("S01", {{"E 12.1", "alt"}});
    const Bytes other = OtherProgramsGroup("alt");
    bool changed = false; // once only: the step repeated finds the file as it is
    host.whileAsking = [&] {
        if (!changed)
            WriteBytes(dir / "GS01.731", other);
        changed = true;
    };
    CConverter& c = Open("\tE 12.1\tneu\tc\n\tE 12.3\tdazu\tc\n");
    ASSERT_TRUE(c.Validate());
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("error"), std::vector<std::string>{kChangedS01});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
    EXPECT_TRUE(host.Requests("info:").empty());
    // The same proposal, now on what the file holds.
    EXPECT_EQ(c.GetRemainingCount(), 2u);
    EXPECT_EQ(c.GetGroupId(), "S01");
    EXPECT_EQ(c.GetListId(), "001");
    EXPECT_EQ(c.GetChangedFileCount(), 1);
    ASSERT_NE(c.GetGroup()->FindList("009"), nullptr);

    ASSERT_TRUE(c.Validate());
    EXPECT_TRUE(c.Accept());
    EXPECT_EQ(host.Requests("overwrite").size(), 2u); // asked again
    c.Close();
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E012.01=neu c", "E012.03=dazu c"}));
    EXPECT_EQ(TextsOnDisk("GS01.731", "009"), std::vector<std::string>{"A004.00=Ventil"});
}

TEST_F(ConverterTest, NewGroupThatAnotherProgramCreatedMeanwhileBecomesTheTarget)
{
    CConverter& c = Open("\tE 12.3\tneu\tc\n");
    ASSERT_EQ(c.GetGroup(), nullptr);
    const Bytes other = OtherProgramsGroup("fremd");
    WriteBytes(dir / "gs01.731", other);
    ASSERT_TRUE(c.Validate());
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1080: GS01.731"});
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"SDAT.731", "gs01.731"}));
    EXPECT_EQ(ReadBytes(dir / "gs01.731"), other);
    ASSERT_NE(c.GetGroup(), nullptr);
    EXPECT_EQ(c.GetListId(), "001");

    ASSERT_TRUE(c.Validate());
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E012.01=fremd", "E012.03=neu c"}));
    EXPECT_EQ(TextsOnDisk("GS01.731", "009"), std::vector<std::string>{"A004.00=Ventil"});
}

TEST_F(ConverterTest, ReplacingAGroupThatChangedSinceItWasReadIsRefused)
{
    ExistingGroup("S01", {{"E 12.1", "alt"}});
    CConverter& c = Open("\tE 12.3\tneu\tc\n", ConversionMode::all);
    const Bytes other = OtherProgramsGroup("alt");
    WriteBytes(dir / "GS01.731", other);
    ASSERT_TRUE(c.Validate());
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("error"), std::vector<std::string>{kChangedS01});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
    c.Close();
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
}

TEST_F(ConverterTest, AcceptAllLeavesAGroupChangedBeforeItsFinalSave)
{
    CConverter& c = Open(Inputs(3), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    const Bytes other = OtherProgramsGroup("anlage");
    WriteBytes(dir / "GS01.731", other);
    c.Close();
    EXPECT_EQ(host.Requests("error"), std::vector<std::string>{kChangedS01});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
    EXPECT_TRUE(host.Requests("info:").empty()); // not "all converted"
    EXPECT_EQ(c.GetChangedFileCount(), 1);

    // Unchanged, the final save writes as before.
    host.log.clear();
    std::filesystem::remove(dir / "GS01.731");
    Reopen();
    CConverter& again = Open(Inputs(3), ConversionMode::all);
    EXPECT_TRUE(again.AcceptAll());
    again.Close();
    EXPECT_TRUE(host.Requests("error").empty());
    EXPECT_EQ(TextsOnDisk("GS01.731", "001").size(), 3u);
}

} // namespace
