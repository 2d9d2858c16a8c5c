// The group and list the conversion proposes, how it moves on from one
// step to the next, and what it accepts from the user instead.
#include "tests/convert/ConverterFixture.h"

namespace {

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

} // namespace
