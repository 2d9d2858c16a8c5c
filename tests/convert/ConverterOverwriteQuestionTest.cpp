// The question before an existing entry is overwritten: each answer, the
// answers for all, the question closed, and a new question each step.
#include "convert/AnswerCode.h"
#include "tests/convert/ConverterFixture.h"

namespace {

using answer_code::kClosed;
using answer_code::kNo;
using answer_code::kNoForAll;
using answer_code::kYesForAll;

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

} // namespace
