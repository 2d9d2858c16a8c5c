#include "data/records/AtomicFile.h"
#include "tests/convert/ConverterFixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>

namespace {

// Groups written by other software: one timer list 005, so that no
// proposed list of the conversion is among their lists.
class ReplacedGroups : public ConverterFixture {
protected:
    void WriteHandMade(const std::vector<std::string>& ids)
    {
        for (const auto& id : ids)
            WriteBytes(dir / ("G" + id + ".731"),
                       GroupBytes("P1", id, "Hand", 1).List("005", "Hand", kKindTimer, 1).Text(5, 0, "Hand").EndList().Bytes());
        Reopen();
    }

    std::map<std::string, Bytes> Files() const { return FolderBytes(dir.Path()); }

    static std::vector<std::string> Names(const std::vector<CStepChainGroup*>& groups)
    {
        std::vector<std::string> names;
        for (const CStepChainGroup* group : groups)
            names.push_back(group->GetBaseName());
        return names;
    }
};

// The plan is what the run then does: the groups it names are the ones
// whose files "Alle übernehmen" replaces, whichever limit moves it on.
TEST_F(ReplacedGroups, ThePlanNamesExactlyTheGroupsTheRunReplaces)
{
    struct Case {
        int maxLists, maxOperands, maxKb;
        std::string operands;
        std::vector<std::string> replaced;
    };
    const std::string longText(299, 'x');
    std::string longInputs;
    for (int i = 0; i < 7; ++i)
        longInputs += "\tE " + std::to_string(i) + ".0\t" + longText + "\n";
    const Case cases[] = {
        {2, 3, 24, Inputs(12), {"GS01", "GS02"}},     // two lists of three per group
        {50, 64, 1, longInputs, {"GS01", "GS02", "GS03"}}, // three texts fill a kilobyte
        {1, 64, 24, Inputs(3), {"GS01"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.replaced.size());
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            if (entry.path().filename().string()[0] == 'G')
                std::filesystem::remove(entry.path());
        WriteHandMade({"S01", "S02", "S03", "S05"});
        settings.MaxLists = k.maxLists;
        settings.MaxOperands = k.maxOperands;
        settings.MaxGroupSizeKb = k.maxKb;
        settings.CommentToText = k.maxKb == 1 ? 0 : 1;
        CConverter& c = Open(k.operands, ConversionMode::all);
        EXPECT_EQ(Names(c.PlanReplacedGroups()), k.replaced);
        const auto before = Files();
        EXPECT_TRUE(c.AcceptAll());
        c.Close();
        std::vector<std::string> changed;
        for (const auto& [name, bytes] : before)
            if (name[0] == 'G' && ReadBytes(dir / name) != bytes)
                changed.push_back(name.substr(0, 4));
        EXPECT_EQ(changed, k.replaced);
    }
}

TEST_F(ReplacedGroups, TheQuestionNamesTheGroupsAndCancelLeavesEverything)
{
    settings.MaxLists = 1;
    settings.MaxOperands = 2;
    WriteHandMade({"S01", "S02"});
    const auto before = Files();
    CConverter& c = Open(Inputs(4), ConversionMode::all);
    EXPECT_EQ(c.GetGroupNoteText(), "wird ersetzt");
    host.okCancelAnswers = {false};
    EXPECT_FALSE(c.ConfirmReplacements());
    EXPECT_EQ(host.Requests("okcancel:"),
              std::vector<std::string>{"okcancel: Die Schrittkettengruppen GS01, GS02 existieren bereits und werden ersetzt."});
    EXPECT_EQ(c.GetCountText(), "2");
    c.Close();
    EXPECT_EQ(Files(), before);

    CConverter& one = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(one.ConfirmReplacements());
    EXPECT_EQ(host.Requests("okcancel:").back(),
              "okcancel: Die Schrittkettengruppe GS01 existiert bereits und wird ersetzt.");
    // A new group, and any group in mode selected, is not replaced.
    one.SetGroupId("S07");
    one.SelectGroup(true);
    EXPECT_EQ(one.GetGroupNoteText(), "");
    EXPECT_EQ(Open(Inputs(2)).GetGroupNoteText(), "");
}

TEST_F(ReplacedGroups, AFailedDeferredSaveSaysHowManyOperandsItLeftOut)
{
    settings.MaxLists = 1;
    settings.MaxOperands = 2;
    CConverter& c = Open(Inputs(3), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::write ? EIO : 0; });
    c.Close();
    EXPECT_EQ(host.Requests("not converted:"),
              (std::vector<std::string>{"not converted: 2 Operand(en) wurden nicht konvertiert.",
                                        "not converted: 1 Operand(en) wurden nicht konvertiert."}));
}

} // namespace
