#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

namespace {

std::vector<nlohmann::json> JsonLines(const std::string& text)
{
    std::vector<nlohmann::json> objects;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        objects.push_back(nlohmann::json::parse(text.substr(start, nl - start)));
    return objects;
}

class ConvertCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(project);
        WriteDataFile(project, "P1");
        WriteText(ini, "[Configuration]\r\n");
    }

    CliResult Convert(const std::string& seqText, std::vector<std::string> extra)
    {
        WriteText(dir / "anlage.seq", seqText);
        std::vector<std::string> args{"convert", (dir / "anlage.seq").string(), project.string(), "--settings",
                                      ini.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    }

    TempDir dir;
    std::filesystem::path project = dir / "projekt";
    std::filesystem::path ini = dir / "morawin.ini";
};

TEST_F(ConvertCommandTest, WorkedExampleThroughTheCommandLine)
{
    WriteText(ini, "[Configuration]\r\nCommentToText=0\r\n");
    const auto result = Convert("\tE 12.3\tZu\tx\n\tE 12.1\tAuf\ty\n", {"--group-name", "Test", "--list-name", "L"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadBytes(project / "GS01.731"), WorkedExampleGroup());
    EXPECT_EQ(result.out, "Die Operanden E012.01 - E012.03 wurden nach \nGruppe GS01, Liste E001 konvertiert.\n");
}

TEST_F(ConvertCommandTest, JsonGivesOneObjectPerStepAndASummary)
{
    std::string operands;
    for (int i = 0; i < 70; ++i)
        operands += "\tA " + std::to_string(i / 8) + "." + std::to_string(i % 8) + "\tY\tVentil\n";
    operands += "\tT 4\tT_MISCH\tMischzeit\n";
    const auto result = Convert(operands, {"--all", "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const auto lines = JsonLines(result.out);
    const std::vector<nlohmann::json> expected = {
        {{"group", "S01"}, {"list", "001"}, {"range", "A000.00 - A007.07"}, {"count", 64}},
        {{"group", "S01"}, {"list", "002"}, {"range", "A008.00 - A008.05"}, {"count", 6}},
        {{"group", "S01"}, {"list", "003"}, {"range", "T004"}, {"count", 1}},
        {{"info", "Alle Operanden wurden erfolgreich konvertiert."}},
    };
    ASSERT_EQ(lines.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << i;
    const auto& summary = lines.back().at("summary");
    EXPECT_EQ(summary.at("operands"), 71);
    EXPECT_EQ(summary.at("converted"), 71);
    EXPECT_EQ(summary.at("remaining"), 0);
    EXPECT_EQ(summary.at("exitCode"), 0);
}

TEST_F(ConvertCommandTest, ScriptsNeverOverwriteWithoutConsent)
{
    ASSERT_EQ(Convert("\tE 1.0\talt\n", {}).exitCode, 0);
    const auto before = ReadBytes(project / "GS01.731");
    // stdin is not a terminal: the default answer is "no".
    const auto result = Convert("\tE 1.0\tneu\n", {"--list", "001"});
    EXPECT_EQ(result.exitCode, 0) << result.err; // skipped counts as handled
    EXPECT_EQ(ReadBytes(project / "GS01.731").size(), before.size());
    const auto yes = Convert("\tE 1.0\tneuer Text\n", {"--answer", "yes", "--json"});
    EXPECT_EQ(yes.exitCode, 0);
    EXPECT_GT(ReadBytes(project / "GS01.731").size(), before.size());
}

TEST_F(ConvertCommandTest, NullDeviceInputIsNoTerminal)
{
    ASSERT_EQ(Convert("\tE 1.0\talt\n", {}).exitCode, 0);
    const auto before = ReadBytes(project / "GS01.731");
    WriteText(dir / "anlage.seq", "\tE 1.0\tneuer Text\n");
    const auto result = RunCliFromNullDevice(
        {"convert", (dir / "anlage.seq").string(), project.string(), "--settings", ini.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // Nobody asked, and the default answer "no" kept the operand.
    EXPECT_EQ(result.err.find("ist bereits vorhanden"), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(project / "GS01.731"), before);
}

TEST_F(ConvertCommandTest, AskReadsTheAnswerFromTheTerminalInput)
{
    ASSERT_EQ(Convert("\tE 1.0\talt\n\tE 1.1\talt\n", {}).exitCode, 0);
    WriteText(dir / "anlage.seq", "\tE 1.0\tneu\n\tE 1.1\tneu\n");
    const auto result = RunCli({"convert", (dir / "anlage.seq").string(), project.string(), "--settings",
                                ini.string(), "--answer", "ask", "--json"},
                               "n\nj\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("Der  Operand \"E001.00\" ist bereits vorhanden"), std::string::npos);
    EXPECT_NE(result.err.find("Der  Operand \"E001.01\" ist bereits vorhanden"), std::string::npos);
    EXPECT_EQ(JsonLines(result.out).back().at("summary").at("skipped"), 1);
}

TEST_F(ConvertCommandTest, DryRunWritesNothing)
{
    const auto result = Convert("\tE 1.0\ta\n\tT 1\tt\n", {"--dry-run"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("would write: GS01.731 (new, "), std::string::npos) << result.out;
    EXPECT_EQ(ListFolder(project), std::vector<std::string>{"SDAT.731"});
}

TEST_F(ConvertCommandTest, OverridesAreValidated)
{
    auto result = Convert("\tE 1.0\ta\n", {"--group", "S1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Gruppen-Kennung ungültig."), std::string::npos);
    result = Convert("\tE 1.0\ta\n", {"--group", "s;1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Gruppen-Kennung enthält unzulässige Zeichen."), std::string::npos);
    result = Convert("\tE 1.0\ta\n", {"--list", "12"});
    EXPECT_NE(result.err.find("Listen-Kennung ungültig."), std::string::npos);
    result = Convert("\tE 1.0\ta\n", {"--group-name", std::string(33, 'x')});
    EXPECT_EQ(result.exitCode, 1);
    result = Convert("\tE 1.0\ta\n", {"--group", "x7k", "--list", "abc", "--group-name", "Kühlung"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(project / "GX7K.731"));
}

TEST_F(ConvertCommandTest, ExitCodes)
{
    EXPECT_EQ(Convert("\tE 1.0\ta\n", {"--answer", "maybe"}).exitCode, 1);
    EXPECT_EQ(RunCli({"convert", (dir / "fehlt.seq").string(), project.string()}).exitCode, 2);
    EXPECT_EQ(RunCli({"convert", (dir / "anlage.seq").string(), dir.Path().string(), "--settings", ini.string()})
                  .exitCode,
              3);
    WriteText(ini, "[Configuration]\r\nMaxOperands=0\r\n");
    const auto left = Convert("\tE 1.0\ta\n", {"--all"});
    EXPECT_EQ(left.exitCode, 5);
    EXPECT_NE(left.out.find("1 of 1 operands were not converted"), std::string::npos);
    WriteText(ini, "[Configuration]\r\n");
    auto bytes = WorkedExampleGroup();
    bytes.resize(60);
    WriteBytes(project / "GS01.731", bytes);
    EXPECT_EQ(Convert("\tE 1.0\ta\n", {}).exitCode, 4);
    EXPECT_EQ(ReadBytes(project / "GS01.731"), bytes);
}

TEST_F(ConvertCommandTest, OutputsGoNextToTheInputsOfTheExampleProject)
{
    // The example's group S01 starts with the inputs' list 001.
    std::filesystem::remove_all(project);
    std::filesystem::copy(ExamplePath("mischanlage-projekt"), project);
    const auto result = RunCli({"convert", ExamplePath("mischanlage.seq"), project.string(), "--settings",
                                ini.string(), "--kinds", "A", "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto lines = JsonLines(result.out);
    const auto step = std::find_if(lines.begin(), lines.end(), [](const auto& line) { return line.contains("group"); });
    ASSERT_NE(step, lines.end()) << result.out;
    EXPECT_EQ(step->at("group"), "S01");
    EXPECT_EQ(step->at("list"), "002") << "the outputs' list";
    EXPECT_EQ(lines.back().at("summary").at("remaining"), 0);
}

TEST_F(ConvertCommandTest, WarningsOnStandardError)
{
    WriteText(ini, "[Configuration]\r\nSymbolToText=0\r\nCommentToText=0\r\n");
    auto result = Convert("\tE 1.0\ta\tb\n", {});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "morawin-cli convert: SymbolToText and CommentToText are both 0 in the settings: every "
                          "text will be empty\n");

    WriteText(ini, "[Configuration]\r\n");
    std::string operands = "\tE 1.0\terst\n\tE 1.0\tdann\n\tT 4\tt\n";
    for (int i = 0; i < 11; ++i)
        operands += "\tA 3." + std::to_string(i % 8) + (i < 8 ? "\tx\n" : "\ty\n") + "\tM " + std::to_string(i)
            + ".0\tm\n\tM " + std::to_string(i) + ".0\tn\n";
    result = Convert(operands, {"--kinds", "ET"});
    EXPECT_EQ(result.err, "morawin-cli convert: the sequence file names 1 operand more than once: E001.00\n");
    // Nothing else changes: both lines are converted, as before.
    EXPECT_EQ(result.exitCode, 0);
    result = Convert(operands, {"--kinds", "MA", "--dry-run"});
    EXPECT_EQ(result.err, "morawin-cli convert: the sequence file names 14 operands more than once: A003.00, "
                          "A003.01, A003.02, M000.00, M001.00, M002.00, M003.00, M004.00, M005.00, M006.00, ...\n");
}

TEST_F(ConvertCommandTest, AnOperandTooLongForAnyGroupIsLeftOut)
{
    WriteText(ini, "[Configuration]\r\nMaxGroupSizeKb=1\r\n");
    const auto result = Convert("\tE 1.0\t" + std::string(1000, 'x') + "\n\tE 1.1\tkurz\n", {"--all"});
    EXPECT_EQ(result.exitCode, 5);
    EXPECT_NE(result.out.find("Zu lang für eine Schrittkettengruppe von 1 KB, nicht konvertiert: E001.00\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("1 of 2 operands were not converted"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Alle Operanden wurden erfolgreich konvertiert."), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(project / "GS01.731"));
}

TEST_F(ConvertCommandTest, NothingToConvertIsSuccess)
{
    const auto result = Convert("\tE 1.0\ta\n", {"--kinds", "Z"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(ListFolder(project), std::vector<std::string>{"SDAT.731"});
}

} // namespace
