// The limits of a group and a list: bytes, lists and operands, the
// format's own limits, and operands that fit nowhere.
#include "convert/AnswerCode.h"
#include "tests/convert/ConverterFixture.h"

namespace {

using answer_code::kYesForAll;

TEST_F(ConverterTest, EntryCostsCountOneBlockHeaderPerByteNumber)
{
    // A new group has 1024 - 114 = 910 bytes: three texts of 299 characters
    // cost 302 + 2, 302 and 302 + 2 — exactly 910.
    settings.MaxGroupSizeKb = 1;
    settings.CommentToText = 0;
    const std::string text(299, 'x');
    CConverter& c = Open("\tE 1.0\t" + text + "\n\tE 1.1\t" + text + "\n\tE 2.0\t" + text + "\n");
    EXPECT_EQ(c.GetCountText(), "3");
    CConverter& longer = Open("\tE 1.0\t" + text + "\n\tE 1.1\t" + text + "\n\tE 2.0\t" + text + "y\n");
    EXPECT_EQ(longer.GetCountText(), "2");
}

TEST_F(ConverterTest, GroupWithoutRoomGivesEmptyBatchInBytes)
{
    settings.MaxGroupSizeKb = 1;
    ExistingGroup("S01", {{"E 1.0", std::string(80, 'a')}, {"E 1.1", std::string(80, 'b')},
                          {"E 1.2", std::string(80, 'c')}, {"E 1.3", std::string(80, 'd')},
                          {"E 1.4", std::string(80, 'e')}, {"E 1.5", std::string(80, 'f')},
                          {"E 1.6", std::string(80, 'g')}, {"E 1.7", std::string(80, 'h')},
                          {"E 2.0", std::string(80, 'i')}, {"E 2.1", std::string(80, 'j')}});
    CConverter& c = Open("\tE 9.0\t" + std::string(60, 'z') + "\n");
    c.SetListId("002");
    c.SelectList(true);
    EXPECT_FALSE(c.CanAccept());
    EXPECT_EQ(c.GetFreeListsText(), "0");
    EXPECT_EQ(c.GetUnitText(), "Byte");
    EXPECT_EQ(c.GetRangeText(), "E009.00 - ...");
    EXPECT_FALSE(c.Accept());
}

TEST_F(ConverterTest, ReplacedEntriesNeedNoSlotAndCostOnlyWhatTheyAdd)
{
    settings.MaxGroupSizeKb = 1;
    settings.MaxOperands = 3;
    settings.CommentToText = 0;
    ExistingGroup("S01", {{"E 1.0", std::string(500, 'o')}});
    // The list holds one entry: two free slots, and a replacement needs none.
    Reopen();
    auto* group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    ASSERT_NE(group, nullptr);
    ASSERT_TRUE(group->Load());
    const auto budget = 1024 - static_cast<long>(group->ComputeSize());
    // Two new texts that leave 5 bytes of the budget: the replacement (a
    // 1-character text, 1 + 3 + 2 bytes before the old entry is counted off)
    // fits only because it costs nothing.
    const auto length = static_cast<std::size_t>((budget - 6 - 5) / 2);
    const std::string text(length, 'n');
    host.overwriteAnswers = {kYesForAll};
    CConverter& c = Open("\tE 1.0\tZ\n\tE 1.1\t" + text + "\n\tE 1.2\t" + text + "\n");
    EXPECT_EQ(c.GetFreeOperandsText(), "2");
    EXPECT_EQ(c.GetCountText(), "3");
    EXPECT_TRUE(c.Accept());
}

TEST_F(ConverterTest, FullTargetListTakesOnlyWhatItHolds)
{
    settings.MaxOperands = 2;
    ExistingGroup("S01", {{"E 1.0", "a"}, {"E 1.1", "b"}});
    CConverter& c = Open("\tE 1.2\tneu\n");
    EXPECT_EQ(c.GetFreeOperandsText(), "0");
    EXPECT_FALSE(c.CanAccept());
    CConverter& replacing = Open("\tE 1.0\tneu\n\tE 1.1\tneu\n\tE 1.2\tneu\n");
    EXPECT_EQ(replacing.GetCountText(), "2");
}

TEST_F(ConverterTest, AcceptAllStopsAfterTwoEmptyPasses)
{
    settings.MaxOperands = 0;
    CConverter& c = Open(Inputs(5), ConversionMode::all);
    EXPECT_FALSE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(c.GetRemainingCount(), 5u);
    EXPECT_EQ(host.Requests("info:"),
              std::vector<std::string>{"info: Es wurden nicht alle Operanden konvertiert: 5 Operand(en) passen mit "
                                       "den eingestellten Grenzen in keine Schrittkettenliste."});
    EXPECT_EQ(dir.List(), std::vector<std::string>{"SDAT.731"});
}

TEST_F(ConverterTest, OperandsTooLongForAnyGroupAreLeftOutAtOnce)
{
    // A new group of 1 KB has 1024 - 114 = 910 bytes: an input's text may
    // have 905 characters (+ 3 + 2), a timer's 907 (+ 3).
    settings.MaxGroupSizeKb = 1;
    settings.CommentToText = 0;
    const std::string fits(905, 'x');
    // "@1" is stored in three bytes: 903 characters and "@1" are too long.
    CConverter& c = Open("\tE 1.0\tklein\n\tE 1.1\t" + fits + "y\n\tE 1.2\tnach\n\tE 1.3\t" + fits
                             + "\n\tA 2.0\t" + fits.substr(2) + "@1\n\tT 3\t" + fits + "yy\n\tT 4\t" + fits
                             + "yyy\n",
                         ConversionMode::all);
    EXPECT_EQ(host.Requests("info:"), std::vector<std::string>{"info: Zu lang für eine Schrittkettengruppe von 1 KB, "
                                                               "nicht konvertiert: E001.01, A002.00, T004"});
    std::vector<std::string> left;
    for (const auto* operand : c.GetLeftOut())
        left.push_back(operand->GetOperandText());
    EXPECT_EQ(left, (std::vector<std::string>{"E001.01", "A002.00", "T004"}));
    EXPECT_EQ(c.GetOperandCount(), 4u);
    EXPECT_TRUE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(c.GetRemainingCount(), 0u);
    // Not "all converted": three were not.
    EXPECT_EQ(host.Requests("info:").size(), 1u);
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E001.00=klein", "E001.02=nach"}));
    EXPECT_EQ(TextsOnDisk("GS02.731", "001"), std::vector<std::string>{"E001.03=" + fits});
    EXPECT_EQ(TextsOnDisk("GS03.731", "001"), std::vector<std::string>{"T003=" + fits + "yy"});
}

TEST_F(ConverterTest, TheTooLongMessageNamesTenOperands)
{
    settings.MaxGroupSizeKb = 1;
    CConverter& c = Open(Inputs(12, std::string(1000, 'x')));
    ASSERT_EQ(host.Requests("info:").size(), 1u);
    EXPECT_NE(host.Requests("info:")[0].find("E000.00, E000.01, E000.02, E000.03, E000.04, E000.05, E000.06, E000.07, "
                                             "E001.00, E001.01, ..."),
              std::string::npos)
        << host.Requests("info:")[0];
    EXPECT_EQ(c.GetLeftOut().size(), 12u);
    EXPECT_TRUE(c.IsDone());
    EXPECT_FALSE(c.CanAccept());
}

TEST_F(ConverterTest, AcceptAllMovesOnWhenTheRestOfAGroupTakesNothing)
{
    // Each list takes two entries (MaxOperands); after list 001 the group
    // has no room for even one more, so the pass into list 002 is empty and
    // only the next pass moves on to S02.
    settings.MaxGroupSizeKb = 1;
    settings.MaxOperands = 2;
    settings.CommentToText = 0;
    CConverter& c = Open(Inputs(6, std::string(300, 'x')), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "GS02.731", "GS03.731", "SDAT.731"}));
    EXPECT_EQ(TextsOnDisk("GS03.731", "001").size(), 2u);
}

TEST_F(ConverterTest, FormatLimitsHoldWhateverTheSettingsSay)
{
    settings.MaxGroupSizeKb = 100000;
    settings.MaxOperands = 1000;
    settings.MaxLists = 1000;
    settings.CommentToText = 0;
    CConverter& c = Open(Inputs(1200, std::string(150, 'x')), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    c.Close();
    Reopen();
    ASSERT_GE(folder->GetCount(), 3);
    for (int i = 0; i < folder->GetCount(); ++i) {
        auto* group = folder->GetGroup(i);
        ASSERT_TRUE(group->Load()) << group->GetFileName();
        EXPECT_LT(std::filesystem::file_size(dir / group->GetFileName()), 65536u);
        EXPECT_LE(group->GetCount(), 255);
        for (int l = 0; l < group->GetCount(); ++l)
            EXPECT_LE(group->GetList(l)->GetCount(), 255);
    }
}

TEST_F(ConverterTest, NegativeLimitsConvertNothingAndEnd)
{
    settings.MaxGroupSizeKb = -5;
    CConverter& c = Open(Inputs(3), ConversionMode::all);
    EXPECT_FALSE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(c.GetRemainingCount(), 3u);
}

} // namespace
