#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

// `morawin-cli convert` on the example project and on a file that names
// operands more than once.
class ConvertLimitsCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy(std::filesystem::path(MORAWIN_EXAMPLES) / "mischanlage-projekt", project,
                              std::filesystem::copy_options::recursive);
    }

    nlohmann::json Show()
    {
        const auto shown = RunCli({"show", project.string(), "--json"});
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        return nlohmann::json::parse(shown.out);
    }

    TempDir dir;
    std::filesystem::path project = dir / "P";
    std::filesystem::path ini = dir / "lim.ini";
};

TEST_F(ConvertLimitsCommandTest, NoProposedStepPassesMaxListsOfAGroup)
{
    WriteText(ini, "[Configuration]\r\nMaxLists=2\r\nMaxOperands=3\r\nMaxGroupSizeKb=1\r\n");
    const auto result = RunCli({"convert", std::string(MORAWIN_EXAMPLES) + "/mischanlage.seq", project.string(),
                                "--kinds", "E", "--settings", ini.string(), "--answer", "yes-all"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const auto shown = Show();
    ASSERT_GE(shown["groups"].size(), 4u);
    for (const auto& group : shown["groups"])
        EXPECT_LE(group["lists"].size(), 2u) << group["id"];
}

TEST_F(ConvertLimitsCommandTest, AnOperandNamedTwiceIsConvertedOnceWithItsLastLine)
{
    WriteText(ini, "[Configuration]\r\nMaxOperands=2\r\nCommentToText=0\r\n");
    WriteText(dir / "dup.seq", "\tE 0.0\tErste\n\tE 0.0\tZweite\n\tE 0.0\tDritte\n\tE 0.1\tVier\n");
    const auto result =
        RunCli({"convert", (dir / "dup.seq").string(), project.string(), "--all", "--json", "--settings", ini.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const auto summary = nlohmann::json::parse(result.out.substr(result.out.rfind("{\"summary\"")))["summary"];
    EXPECT_EQ(summary["operands"], 2);
    EXPECT_EQ(summary["converted"], 2);
    const auto groups = Show()["groups"];
    ASSERT_FALSE(groups.empty());
    ASSERT_EQ(groups[0]["lists"].size(), 1u);
    const auto& texts = groups[0]["lists"][0]["texts"];
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]["text"], "Dritte");
    EXPECT_EQ(texts[1]["text"], "Vier");
}

} // namespace
