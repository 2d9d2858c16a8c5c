#include "tests/cli/CliRunner.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    return lines;
}

TEST(OperandsCommand, ListsTheExampleInListOrderAsUtf8)
{
    const auto result = RunCli({"operands", ExamplePath("mischanlage.seq")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_GT(lines.size(), 40u);
    EXPECT_EQ(lines.front(), "E000.00\tNOT_AUS\tNot-Aus-Kreis geschlossen");
    EXPECT_EQ(lines.back(), "Z003\tZ_BAND\tTeilezähler Förderband");
    // Outputs written with the letter O sort among the A lines.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "A005.00\tE1\tHeizung Stufe 1"), lines.end());
    // The lines the reader must skip are not there.
    EXPECT_EQ(result.out.find("KLEIN"), std::string::npos);
    EXPECT_EQ(result.out.find("OHNE_BIT"), std::string::npos);
    EXPECT_EQ(result.out.find("T_BIT"), std::string::npos);
}

TEST(OperandsCommand, JsonHasTheAgreedFields)
{
    TempDir dir;
    WriteText(dir / "x.seq", "\tT 5\tT_\xDC" "B\tZeit \xE4\r\n\tE 12.3\tS\t\r\n\tM 1.1\tm\n");
    const auto result = RunCli({"operands", (dir / "x.seq").string(), "--kinds", "ET", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    ASSERT_TRUE(json.is_array());
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0], nlohmann::json({{"kind", "E"}, {"byte", 12}, {"bit", 3}, {"operand", "E012.03"},
                                       {"symbol", "S"}, {"comment", ""}}));
    EXPECT_EQ(json[1], nlohmann::json({{"kind", "T"}, {"byte", 5}, {"bit", 0}, {"operand", "T005"},
                                       {"symbol", "T_ÜB"}, {"comment", "Zeit ä"}}));
    // Fields come in the documented order.
    EXPECT_LT(result.out.find("\"kind\""), result.out.find("\"byte\""));
    EXPECT_LT(result.out.find("\"operand\""), result.out.find("\"comment\""));
}

TEST(OperandsCommand, EmptyOrInvalidFileIsAnEmptyList)
{
    TempDir dir;
    WriteText(dir / "leer.seq", "");
    WriteText(dir / "ungueltig.seq", "nur Text\n\tx 1.1\ty\n");
    for (const char* name : {"leer.seq", "ungueltig.seq"}) {
        const auto json = RunCli({"operands", (dir / name).string(), "--json"});
        EXPECT_EQ(json.exitCode, 0);
        EXPECT_EQ(nlohmann::json::parse(json.out), nlohmann::json::array());
        const auto text = RunCli({"operands", (dir / name).string()});
        EXPECT_EQ(text.exitCode, 0);
        EXPECT_EQ(text.out, "");
    }
}

TEST(OperandsCommand, ExitCodes)
{
    const auto missing = RunCli({"operands", "/nonexistent/anlage.seq"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("/nonexistent/anlage.seq"), std::string::npos);

    TempDir dir;
    EXPECT_EQ(RunCli({"operands", dir.Path().string()}).exitCode, 2);
    EXPECT_EQ(RunCli({"operands"}).exitCode, 1);
    EXPECT_EQ(RunCli({"operands", ExamplePath("mischanlage.seq"), "--kinds", "EQ"}).exitCode, 1);
    EXPECT_EQ(RunCli({"operands", ExamplePath("mischanlage.seq"), "--bogus"}).exitCode, 1);
    EXPECT_EQ(RunCli({}).exitCode, 1);

    const auto help = RunCli({"operands", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--kinds"), std::string::npos);
}

TEST(OperandsCommand, KindsFilterKeepsListOrder)
{
    const auto result = RunCli({"operands", ExamplePath("mischanlage.seq"), "--kinds", "zT"});
    ASSERT_EQ(result.exitCode, 0);
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].substr(0, 4), "T001");
    EXPECT_EQ(lines[7].substr(0, 4), "Z003");
}

} // namespace
