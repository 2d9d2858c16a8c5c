#include "convert/AnswerCode.h"
#include "convert/Converter.h"
#include "data/settings/AppSettings.h"
#include "data/records/AtomicFile.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tests/convert/ConverterFixture.h"
#include "tests/convert/ScriptedHost.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

namespace {

using answer_code::kClosed;
using answer_code::kNo;
using answer_code::kNoForAll;
using answer_code::kYesForAll;

class ConverterTest : public ConverterFixture {};

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

TEST_F(ConverterTest, FirstProposalAndDisplayTexts)
{
    CConverter& c = Open(Inputs(3));
    EXPECT_EQ(c.GetProjectName(), "P1");
    EXPECT_EQ(c.GetGroupId(), "S01");
    EXPECT_EQ(c.GetListId(), "001");
    EXPECT_EQ(c.GetGroupDesignation(), "anlage");
    EXPECT_EQ(c.GetRangeText(), "E000.00 - E000.02");
    EXPECT_EQ(c.GetListDesignation(), "E000.00 - E000.02");
    EXPECT_EQ(c.GetCountText(), "3");
    EXPECT_EQ(c.GetFreeListsText(), "50");
    EXPECT_EQ(c.GetUnitText(), "Listen");
    EXPECT_EQ(c.GetFreeOperandsText(), "64");
    EXPECT_EQ(c.GetKindLetterText(), "E");
    EXPECT_TRUE(c.CanAccept());
    EXPECT_EQ(host.waitDepth, 0);
}

TEST_F(ConverterTest, SeventyInputsGoIntoTwoLists)
{
    CConverter& c = Open(Inputs(70));
    EXPECT_EQ(c.GetCountText(), "64");
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(c.GetGroupId(), "S01");
    EXPECT_EQ(c.GetListId(), "002");
    EXPECT_EQ(c.GetCountText(), "6");
    EXPECT_EQ(c.GetFreeListsText(), "49");
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(TextsOnDisk("GS01.731", "001").size(), 64u);
    EXPECT_EQ(TextsOnDisk("GS01.731", "002").size(), 6u);
    EXPECT_EQ(host.Requests("list added:"), (std::vector<std::string>{"list added: 001", "list added: 002"}));
}

TEST_F(ConverterTest, KindChangeEndsTheBatchAndProposesTheNextList)
{
    CConverter& c = Open("\tE 1.0\ta\n\tE 1.1\tb\n\tT 5\tt\n");
    EXPECT_EQ(c.GetCountText(), "2");
    c.Accept();
    EXPECT_EQ(c.GetGroupId(), "S01");
    EXPECT_EQ(c.GetListId(), "002");
    EXPECT_EQ(c.GetKindLetterText(), "T");
    EXPECT_EQ(c.GetRangeText(), "T005");
    EXPECT_TRUE(c.Accept());
}

TEST_F(ConverterTest, MaxListsOneStartsANewGroupEveryStep)
{
    settings.MaxLists = 1;
    CConverter& c = Open(Inputs(70));
    c.Accept();
    EXPECT_EQ(c.GetGroupId(), "S02");
    EXPECT_EQ(c.GetListId(), "001");
    EXPECT_EQ(c.GetGroupDesignation(), "anlage");
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_TRUE(std::filesystem::exists(dir / "GS01.731"));
    EXPECT_TRUE(std::filesystem::exists(dir / "GS02.731"));
}

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

class OverwriteTest : public ConverterTest {
protected:
    void SetUp() override
    {
        ConverterTest::SetUp();
        ExistingGroup("S01", {{"E 12.3", "alt3"}, {"E 12.4", "alt4"}});
    }
    std::vector<std::string> Texts() { return TextsOnDisk("GS01.731", "001"); }
    const std::string operands = "\tE 12.2\tneu2\n\tE 12.3\tneu3\n\tE 12.4\tneu4\n";
};

TEST_F(OverwriteTest, NoKeepsTheEntryAndCountsTheOperandAsHandled)
{
    host.overwriteAnswers = {kNo};
    CConverter& c = Open(operands);
    EXPECT_EQ(c.GetCountText(), "3");
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(host.Requests("overwrite:"),
              (std::vector<std::string>{
                  "overwrite: Der  Operand \"E012.03\" ist bereits vorhanden. Soll er überschrieben werden?",
                  "overwrite: Der  Operand \"E012.04\" ist bereits vorhanden. Soll er überschrieben werden?"}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"E012.02=neu2 ", "E012.03=alt3", "E012.04=neu4 "}));
    EXPECT_EQ(c.GetSkippedCount(), 1u);
    // The message counts what happened, not the whole range.
    EXPECT_EQ(host.Requests("info:"),
              std::vector<std::string>{"info: Die Operanden E012.02 - E012.04 wurden nach \nGruppe GS01, Liste E001 "
                                       "konvertiert (2 übernommen, 1 unverändert)."});
}

TEST_F(OverwriteTest, ForAllAnswersHoldForTheRestOfTheStep)
{
    const std::pair<int, std::vector<std::string>> cases[] = {
        {kYesForAll, {"E012.02=neu2 ", "E012.03=neu3 ", "E012.04=neu4 "}},
        {kNoForAll, {"E012.02=neu2 ", "E012.03=alt3", "E012.04=alt4"}},
    };
    for (const auto& [answer, expected] : cases) {
        SetUp();
        host.log.clear();
        host.overwriteAnswers = {answer};
        CConverter& c = Open(operands);
        EXPECT_TRUE(c.Accept());
        c.Close();
        EXPECT_EQ(host.Requests("overwrite:").size(), 1u) << answer;
        EXPECT_EQ(Texts(), expected) << answer;
    }
}

TEST_F(OverwriteTest, ClosingTheQuestionCancelsTheWholeStep)
{
    const auto before = ReadBytes(dir / "GS01.731");
    // "Nein" first, then the question is closed: neither that answer nor
    // the new operand E012.02 nor the new designations are kept.
    host.overwriteAnswers = {kNo, kClosed};
    CConverter& c = Open(operands);
    c.SetGroupDesignation("neu");
    c.SetListDesignation("neue Liste");
    ASSERT_TRUE(c.Validate());
    host.log.clear();
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
    EXPECT_EQ(host.Requests("overwrite:").size(), 2u);
    EXPECT_TRUE(host.Requests("info:").empty());
    EXPECT_TRUE(host.Requests("error").empty());
    EXPECT_EQ(c.GetRemainingCount(), 3u);
    EXPECT_EQ(c.GetSkippedCount(), 0u);
    // The same proposal, on the group as its file holds it.
    EXPECT_EQ(c.GetGroupId(), "S01");
    EXPECT_EQ(c.GetListId(), "001");
    EXPECT_EQ(c.GetCountText(), "3");
    ASSERT_NE(c.GetList(), nullptr);
    EXPECT_EQ(c.GetList()->GetCount(), 2);
    EXPECT_EQ(c.GetGroup()->GetName(), "alt");

    host.overwriteAnswers = {kYesForAll};
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"E012.02=neu2 ", "E012.03=neu3 ", "E012.04=neu4 "}));
}

TEST_F(OverwriteTest, TheNextStepAsksAgain)
{
    // List 002 holds E013.00 too: the second step has its own question.
    auto group = Reload("GS01.731");
    CStepChainList* second = AddList(group.get(), "002", kKindInput, "zwei");
    AddText(second, 13, 0, "alt13");
    ASSERT_TRUE(group->Save());
    Reopen();
    settings.MaxOperands = 3;
    host.overwriteAnswers = {kYesForAll, kYesForAll};
    CConverter& c = Open(operands + "\tE 13.0\tneu13\n");
    EXPECT_EQ(c.GetCountText(), "3");
    c.Accept();
    EXPECT_EQ(host.Requests("overwrite:").size(), 1u);
    EXPECT_EQ(c.GetListId(), "002");
    EXPECT_EQ(c.GetCountText(), "1");
    EXPECT_TRUE(c.Accept());
    EXPECT_EQ(host.Requests("overwrite:").size(), 2u);
    c.Close();
    EXPECT_EQ(TextsOnDisk("GS01.731", "002"), std::vector<std::string>{"E013.00=neu13 "});
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

TEST_F(ConverterTest, WholeListModeAsksBeforeReplacingAnExistingGroup)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}});
    const auto before = ReadBytes(dir / "GS01.731");
    host.okCancelAnswers = {false};
    CConverter& c = Open(Inputs(2), ConversionMode::all);
    EXPECT_EQ(c.GetGroupDesignation(), "anlage");
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("okcancel:"),
              std::vector<std::string>{"okcancel: Die Schrittkettengruppe \"GS01\" existiert bereits\nund wird überschrieben."});
    EXPECT_EQ(c.GetRemainingCount(), 2u);
    c.Close();
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);

    Reopen();
    host.log.clear();
    CConverter& all = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(all.AcceptAll());
    all.Close();
    EXPECT_TRUE(host.Requests("okcancel:").empty());
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E000.00=S c", "E000.01=S c"}));
    EXPECT_EQ(host.Requests("info:"), std::vector<std::string>{"info: Alle Operanden wurden erfolgreich konvertiert."});
}

TEST_F(ConverterTest, ReplacingAGroupKeepsItsFileNameAndIsAtomic)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}});
    std::filesystem::rename(dir / "GS01.731", dir / "gs01.731");
    if (dir.List() != std::vector<std::string>{"SDAT.731", "gs01.731"})
        GTEST_SKIP() << "this file system cannot change the case of a name (Wine)";
    Reopen();
    const auto before = ReadBytes(dir / "gs01.731");
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::rename ? ENOSPC : 0; });
    CConverter& failing = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(failing.AcceptAll());
    failing.Close();
    EXPECT_EQ(ReadBytes(dir / "gs01.731"), before);
    EXPECT_EQ(host.ErrorIds(), std::vector<unsigned>{1041});
    EXPECT_TRUE(host.Requests("info:").empty());

    CAtomicFile::SetFaultHook({});
    Reopen();
    CConverter& c = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"SDAT.731", "gs01.731"}));
    EXPECT_EQ(TextsOnDisk("gs01.731", "001").size(), 2u);
}

TEST_F(ConverterTest, AReplacedGroupKeepsItsOldBytesUntilItsNewContentIsComplete)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}, {"E 1.1", "alt"}});
    const auto before = ReadBytes(dir / "GS01.731");
    // "Alle übernehmen" writes at Close: until then the old file stands.
    CConverter& c = Open(Inputs(3), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
    c.Close();
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"),
              (std::vector<std::string>{"E000.00=S c", "E000.01=S c", "E000.02=S c"}));

    // "Übernehmen" writes the replaced group once, whole.
    ExistingGroup("S01", {{"E 1.0", "alt"}, {"E 1.1", "alt"}});
    std::vector<bool> oldBeforeEachWrite;
    CAtomicFile::SetFaultHook([&](CAtomicFile::Step step) {
        if (step == CAtomicFile::Step::createTemp)
            oldBeforeEachWrite.push_back(ReadBytes(dir / "GS01.731") == before);
        return 0;
    });
    CConverter& step = Open(Inputs(3), ConversionMode::all);
    EXPECT_TRUE(step.Accept());
    CAtomicFile::SetFaultHook({});
    step.Close();
    EXPECT_EQ(oldBeforeEachWrite, std::vector<bool>{true});
}

TEST_F(ConverterTest, AFailingSaveOfAReplacedGroupLeavesTheOldFile)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}});
    const auto before = ReadBytes(dir / "GS01.731");
    const std::pair<CAtomicFile::Step, int> faults[] = {
        {CAtomicFile::Step::write, ENOSPC},     // full disk
        {CAtomicFile::Step::createTemp, EACCES}, // a file or folder that cannot be written
    };
    for (const auto& [failing, code] : faults) {
        // One step: the question, then a failing save.
        Reopen();
        host.log.clear();
        CAtomicFile::SetFaultHook([failing, code](CAtomicFile::Step step) { return step == failing ? code : 0; });
        CConverter& c = Open(Inputs(2), ConversionMode::all);
        EXPECT_FALSE(c.Accept());
        EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
        EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1041: GS01.731"});
        EXPECT_EQ(c.GetRemainingCount(), 2u);
        // Still the old group: the next try asks again before replacing it.
        EXPECT_FALSE(c.GetGroup()->IsCreated());
        EXPECT_EQ(c.GetList()->GetCount(), 1);
        CAtomicFile::SetFaultHook({});
        EXPECT_TRUE(c.Accept());
        EXPECT_EQ(host.Requests("okcancel:").size(), 2u);
        c.Close();
        EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E000.00=S c", "E000.01=S c"}));
        ExistingGroup("S01", {{"E 1.0", "alt"}});
    }
}

TEST_F(ConverterTest, FailedSaveLooksTheListUpAgain)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}});
    const auto before = ReadBytes(dir / "GS01.731");
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::write ? ENOSPC : 0; });
    CConverter& c = Open("\tE 1.1\tneu\n");
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1041: GS01.731"});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
    EXPECT_EQ(c.GetRemainingCount(), 1u);
    ASSERT_NE(c.GetList(), nullptr);
    EXPECT_EQ(c.GetList()->GetCount(), 1); // what the file holds
    CAtomicFile::SetFaultHook({});
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E001.00=alt", "E001.01=neu "}));
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

TEST_F(ConverterTest, ProposalsStopAtS99)
{
    settings.MaxLists = 1;
    settings.MaxOperands = 1;
    CConverter& c = Open(Inputs(101), ConversionMode::all);
    EXPECT_FALSE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(c.GetRemainingCount(), 2u);
    EXPECT_EQ(host.Requests("info:"),
              std::vector<std::string>{"info: Die Schrittkettengruppen S01 bis S99 sind voll: 2 Operand(en) wurden "
                                       "nicht konvertiert."});
    EXPECT_EQ(dir.List().size(), 100u); // S01..S99 and the data file
    EXPECT_TRUE(std::filesystem::exists(dir / "GS99.731"));
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

TEST_F(ConverterTest, DefaultDesignationIsTheBareFileName)
{
    converter = std::make_unique<CConverter>(settings);
    converter->Open(*project, Operands(Inputs(1), "/daten/v1.2/anlage.neu.seq"), ConversionMode::selected, host);
    EXPECT_EQ(converter->GetDefaultDesignation(), "anlage");
    converter = std::make_unique<CConverter>(settings);
    converter->Open(*project, Operands(Inputs(1), "/d/" + std::string(40, 'n') + ".seq"), ConversionMode::selected,
                    host);
    EXPECT_EQ(converter->GetDefaultDesignation(), std::string(32, 'n'));
    converter = std::make_unique<CConverter>(settings);
    converter->Open(*project, Operands(Inputs(1), "/d/Mischanlage Übersicht.seq"), ConversionMode::selected, host);
    EXPECT_EQ(converter->GetDefaultDesignation(), "Mischanlage \xDC" "bersicht");
}

TEST_F(ConverterTest, NewGroupIsNotWrittenOverAFileTheFolderRefused)
{
    const std::string garbage = "kein Gruppenkopf";
    WriteText(dir / "gs01.731", garbage);
    Reopen();
    CConverter& c = Open(Inputs(2));
    EXPECT_EQ(c.GetGroup(), nullptr);
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1040: gs01.731"});
    EXPECT_EQ(ReadBytes(dir / "gs01.731"), std::vector<std::uint8_t>(garbage.begin(), garbage.end()));
    EXPECT_EQ(c.GetRemainingCount(), 2u);
    EXPECT_TRUE(c.HadUnreadableGroup());
}

TEST_F(ConverterTest, UnreadableGroupIsNeverOverwritten)
{
    auto bytes = WorkedExampleGroup();
    bytes.resize(bytes.size() - 7); // the last text is cut off
    WriteBytes(dir / "GS01.731", bytes);
    for (auto mode : {ConversionMode::selected, ConversionMode::all}) {
        Reopen();
        host.log.clear();
        CConverter& c = Open(Inputs(2), mode);
        ASSERT_NE(c.GetGroup(), nullptr) << "the group stays the target";
        EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1040: GS01.731"});
        const bool done = mode == ConversionMode::all ? c.AcceptAll() : c.Accept();
        EXPECT_FALSE(done);
        c.Close();
        EXPECT_EQ(ReadBytes(dir / "GS01.731"), bytes);
        EXPECT_NE(host.Requests("error 1062").size(), 0u);
    }
}

TEST_F(ConverterTest, ValidateMessages)
{
    ExistingGroup("S01", {{"T 5", "t"}}, "001", kKindTimer);
    CConverter& c = Open(Inputs(1));
    struct Case {
        std::string group, list;
        unsigned error;
    };
    std::vector<Case> cases = {{"S1", "001", 1042}, {"S001", "001", 1042}, {"S01", "01", 1043},
                               {"S01", "0001", 1043}, {"S01", "001", 1044}};
    for (char bad : std::string("/\\:*?\"'.,;"))
        cases.push_back({std::string("S") + bad + "1", "001", 1050});
    cases.push_back({"s02", "001", 0});
    for (const auto& k : cases) {
        host.log.clear();
        c.SetGroupId(k.group);
        c.SelectGroup(true);
        c.SetListId(k.list);
        c.SelectList(true);
        const bool valid = c.Validate();
        EXPECT_EQ(valid, k.error == 0) << k.group << "/" << k.list;
        if (k.error) {
            EXPECT_EQ(host.ErrorIds().back(), k.error) << k.group << "/" << k.list;
        }
    }
    EXPECT_EQ(c.GetGroupId(), "S02");
}

TEST_F(ConverterTest, ListOfAnotherKindShowsItsOwnLetter)
{
    ExistingGroup("S01", {{"T 5", "t"}}, "001", kKindTimer);
    CConverter& c = Open(Inputs(1));
    EXPECT_TRUE(host.listChoices.empty()); // only lists of kind E are offered
    c.SetListId("001");
    c.SelectList(true);
    EXPECT_EQ(c.GetKindLetterText(), "T");
    EXPECT_FALSE(c.Validate());
    EXPECT_EQ(host.ErrorIds(), std::vector<unsigned>{1044});
}

TEST_F(ConverterTest, ProposalsPassOverListsOfAnotherKind)
{
    // List 001 holds one output, list 002 timers; two outputs per list.
    settings.MaxOperands = 2;
    ExistingGroup("S01", {{"A 1.0", "a"}}, "001", kKindOutput);
    {
        auto group = Reload("GS01.731");
        CStepChainList* timers = AddList(group.get(), "002", kKindTimer, "Zeiten");
        AddText(timers, 1, 0, "t");
        ASSERT_TRUE(group->Save());
        Reopen();
    }
    CConverter& c = Open("\tA 5.0\tx\n\tA 5.1\tx\n\tA 5.2\tx\n\tT 7\tx\n");
    EXPECT_EQ(c.GetListId(), "001");
    EXPECT_EQ(c.GetCountText(), "1");
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(c.GetListId(), "003") << "list 002 holds timers";
    EXPECT_EQ(c.GetKindLetterText(), "A");
    EXPECT_EQ(c.GetCountText(), "2");
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(c.GetListId(), "004");
    EXPECT_TRUE(c.Accept());
    EXPECT_TRUE(host.Requests("error").empty());

    // The first proposal passes over them too.
    ExistingGroup("S01", {{"E 1.0", "e"}});
    CConverter& outputs = Open("\tA 9.0\tx\n");
    EXPECT_EQ(outputs.GetListId(), "002");
    EXPECT_TRUE(outputs.Validate());
    // Whole-list mode replaces list 001 whatever it held, and shows the
    // letter of what goes into it.
    CConverter& all = Open("\tA 9.0\tx\n", ConversionMode::all);
    EXPECT_EQ(all.GetListId(), "001");
    EXPECT_EQ(all.GetKindLetterText(), "A");
}

TEST_F(ConverterTest, AcceptAllShowsTheKindOfTheOperandsItConverts)
{
    // One operand per group; the old groups' lists hold other kinds.
    ExistingGroup("S02", {{"T 1", "t"}}, "001", kKindTimer);
    ExistingGroup("S03", {{"A 1.0", "a"}}, "001", kKindOutput);
    settings.MaxOperands = 1;
    settings.MaxLists = 1;
    CConverter& c = Open("\tE 1.0\tx\n\tE 1.1\tx\n\tT 3\tx\n\tZ 4\tx\n", ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(host.shownAndConvertedKinds, (std::vector<std::string>{"E/E", "T/T", "Z/Z"}));
}

TEST_F(ConverterTest, ANewGroupTypedByTheUserGetsListOne)
{
    ExistingGroup("S01", {{"E 1.0", "e"}}, "005");
    CConverter& c = Open(Inputs(1));
    c.SetListId("");
    c.SetGroupId("x12");
    c.SelectGroup(true);
    EXPECT_EQ(c.GetListId(), "001");
    EXPECT_TRUE(c.Validate());
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(TextsOnDisk("GX12.731", "001").size(), 1u);
}

TEST_F(ConverterTest, StepwiseMovesOnFromAnEmptyProposalWithoutValidatingIt)
{
    // S01 has no room left; its list 001 holds timers.
    settings.MaxGroupSizeKb = 1;
    ExistingGroup("S01", {{"T 1", std::string(1000, 't')}}, "001", kKindTimer);
    CConverter& c = Open(Inputs(2));
    c.SetListId("001");
    c.SelectList(true);
    ASSERT_FALSE(c.CanAccept());
    EXPECT_TRUE(c.AcceptStepwise());
    c.Close();
    EXPECT_TRUE(host.Requests("error").empty());
    EXPECT_EQ(TextsOnDisk("GS02.731", "001").size(), 2u);
}

TEST_F(ConverterTest, DeferredSaveFailuresAreReportedOneByOne)
{
    settings.MaxLists = 1;
    settings.MaxOperands = 1;
    CConverter& c = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::write ? EIO : 0; });
    c.Close();
    EXPECT_EQ(host.Requests("error"), (std::vector<std::string>{"error 1041: GS01.731", "error 1041: GS02.731"}));
    EXPECT_TRUE(host.Requests("info:").empty());
}

TEST_F(ConverterTest, CancelledAcceptAllSavesWhatWasConverted)
{
    settings.MaxLists = 1;
    settings.MaxOperands = 1;
    host.passesBeforeCancel = 1;
    CConverter& c = Open(Inputs(5), ConversionMode::all);
    EXPECT_FALSE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(c.GetRemainingCount(), 3u);
    EXPECT_EQ(TextsOnDisk("GS02.731", "001").size(), 1u);
    EXPECT_TRUE(host.Requests("info:").empty()); // not "all converted"
}

} // namespace

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
