// morawin-cli history, undo and redo after convert and diff --apply: the
// exact bytes of every group file, the JSON, the exit codes.
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

using Files = std::map<std::string, std::vector<std::uint8_t>>;

class HistoryCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(project);
        WriteDataFile(project, "P1");
        WriteText(ini, "[Configuration]\r\nMaxOperands=8\r\n");
        WriteText(dir / "anlage.seq", Operands(20, "Ventil"));
        WriteText(dir / "neu.seq", Operands(20, "Motor"));
    }

    static std::string Operands(int count, const std::string& symbol)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "\tE " + std::to_string(i / 8) + "." + std::to_string(i % 8) + "\t" + symbol + "\tc\n";
        return text;
    }

    CliResult Cli(std::vector<std::string> args)
    {
        args.insert(args.begin() + 1, project.string());
        args.insert(args.end(), {"--settings", ini.string()});
        return RunCli(args);
    }

    CliResult Convert(const std::string& seq)
    {
        return RunCli({"convert", (dir / seq).string(), project.string(), "--all", "--settings", ini.string()});
    }

    Files Groups() const
    {
        Files files = FolderBytes(project);
        files.erase("SDAT.731");
        return files;
    }

    TempDir dir;
    std::filesystem::path project = dir / "projekt";
    std::filesystem::path ini = dir / "morawin.ini";
};

TEST_F(HistoryCommandTest, UndoAndRedoAfterConvertGiveBackEveryGroupFileByteForByte)
{
    ASSERT_EQ(Convert("anlage.seq").exitCode, 0);
    const Files first = Groups();
    ASSERT_EQ(Convert("neu.seq").exitCode, 0);
    const Files second = Groups();
    ASSERT_NE(first, second);

    const auto undo = Cli({"undo"});
    EXPECT_EQ(undo.exitCode, 0) << undo.err;
    EXPECT_EQ(undo.out, "Rückgängig: Konvertierung von neu.seq: 20 Operanden in S01\n");
    EXPECT_EQ(Groups(), first);
    EXPECT_EQ(Cli({"undo"}).exitCode, 0);
    EXPECT_TRUE(Groups().empty());
    const auto redo = Cli({"redo"});
    EXPECT_EQ(redo.exitCode, 0) << redo.err;
    EXPECT_EQ(redo.out, "Wiederherstellen: Konvertierung von anlage.seq: 20 Operanden in S01\n");
    EXPECT_EQ(Groups(), first);
    // Down to the first operation at once, named by its id.
    EXPECT_EQ(Cli({"redo"}).exitCode, 0);
    EXPECT_EQ(Groups(), second);
    EXPECT_EQ(Cli({"undo", "1"}).exitCode, 0);
    EXPECT_TRUE(Groups().empty());
}

TEST_F(HistoryCommandTest, HistoryJsonListsEveryOperationNewestFirstWithItsFiles)
{
    ASSERT_EQ(Convert("anlage.seq").exitCode, 0);
    ASSERT_EQ(Cli({"undo"}).exitCode, 0);
    const auto result = Cli({"history", "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    ASSERT_EQ(json.size(), 1u);
    const auto& operations = json.at("operations");
    ASSERT_EQ(operations.size(), 2u);
    EXPECT_EQ(operations[0].at("kind"), "undo");
    EXPECT_EQ(operations[0].at("description"), "Rückgängig: Konvertierung von anlage.seq: 20 Operanden in S01");
    const auto& convert = operations[1];
    EXPECT_EQ(convert.at("id"), 1);
    EXPECT_EQ(convert.at("kind"), "convert");
    EXPECT_EQ(convert.size(), 5u);
    EXPECT_TRUE(std::string(convert.at("time")).ends_with("Z"));
    ASSERT_EQ(convert.at("files").size(), 1u);
    const auto& file = convert.at("files")[0];
    EXPECT_EQ(file.at("name"), "GS01.731");
    EXPECT_TRUE(file.at("before").is_null());
    EXPECT_GT(file.at("after").get<int>(), 0);
    EXPECT_EQ(operations[0].at("files")[0].at("after"), nullptr);
}

TEST_F(HistoryCommandTest, AGroupChangedSinceRefusesUnlessOnlyTheOthersAreAskedFor)
{
    WriteText(ini, "[Configuration]\r\nMaxOperands=8\r\nMaxLists=1\r\n");
    ASSERT_EQ(Convert("anlage.seq").exitCode, 0); // S01, S02, S03
    WriteBytes(project / "GS02.731", {7});
    const Files changed = Groups();
    const auto refused = Cli({"undo"});
    EXPECT_EQ(refused.exitCode, 5);
    EXPECT_EQ(refused.err, "morawin-cli undo: GS02.731 wurde seitdem geändert\n");
    EXPECT_EQ(Groups(), changed);

    const auto partly = Cli({"undo", "--only-unchanged"});
    EXPECT_EQ(partly.exitCode, 0) << partly.err;
    EXPECT_EQ(Groups(), (Files{{"GS02.731", {7}}}));
}

TEST_F(HistoryCommandTest, ExitCodesForNothingToTakeBackNoProjectAndHistoryOff)
{
    EXPECT_EQ(Cli({"undo"}).exitCode, 1);
    EXPECT_EQ(Cli({"redo"}).exitCode, 1);
    ASSERT_EQ(Convert("anlage.seq").exitCode, 0);
    const auto missing = Cli({"undo", "7"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "morawin-cli undo: no operation 7 to take back\n");
    EXPECT_EQ(RunCli({"undo", (dir / "nichts").string()}).exitCode, 3);

    WriteText(ini, "[History]\r\nKeep=0\r\n");
    ASSERT_EQ(Convert("neu.seq").exitCode, 0);
    const auto off = Cli({"undo"});
    EXPECT_EQ(off.exitCode, 1);
    EXPECT_NE(off.err.find("the history is off (Keep=0"), std::string::npos) << off.err;
    WriteText(ini, "[Configuration]\r\nMaxOperands=8\r\n");
    const auto list = Cli({"history", "--json"});
    EXPECT_EQ(nlohmann::json::parse(list.out).at("operations").size(), 1u) << "the run with Keep=0 was recorded";
}

TEST_F(HistoryCommandTest, DiffApplyIsOneOperationThatUndoTakesBack)
{
    ASSERT_EQ(Convert("anlage.seq").exitCode, 0);
    const Files converted = Groups();
    WriteText(ini, "[Configuration]\r\nMaxOperands=8\r\nCommentToText=0\r\n");
    const auto diff = RunCli({"diff", (dir / "anlage.seq").string(), project.string(), "--apply", "--settings", ini.string()});
    ASSERT_EQ(diff.exitCode, 0) << diff.err;
    ASSERT_NE(Groups(), converted);
    const auto list = nlohmann::json::parse(Cli({"history", "--json"}).out).at("operations");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].at("kind"), "compare");
    EXPECT_EQ(list[0].at("description"), "Abgleich mit anlage.seq: 20 Texte in S01 ersetzt");
    EXPECT_EQ(Cli({"undo"}).exitCode, 0);
    EXPECT_EQ(Groups(), converted);
}

} // namespace
