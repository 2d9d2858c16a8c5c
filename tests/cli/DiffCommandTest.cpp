#include "data/platform/Platform.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

class DiffCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(project);
        WriteDataFile(project, "P1");
        WriteText(ini, "[Configuration]\r\n");
        // S01: E000.00 with an old text, E000.01 in step, E000.02 no
        // longer in the sequence file. S02 keeps E000.00 too.
        WriteBytes(project / "GS01.731", GroupBytes("P1", "S01", "Eins", 1)
                                             .List("001", "", 1, 1)
                                             .BitBlock(0, 3)
                                             .Text(0, 0, "alt")
                                             .Text(1, 0, "B x")
                                             .Text(2, 0, "weg")
                                             .EndList()
                                             .Bytes());
        WriteBytes(project / "GS02.731", GroupBytes("P1", "S02", "Zwei", 1)
                                             .List("001", "", 1, 1)
                                             .BitBlock(0, 1)
                                             .Text(0, 0, "auch alt")
                                             .EndList()
                                             .Bytes());
        WriteText(seq, "\tE 0.0\tNeu\t\xDC" "ber @5\n\tE 0.1\tB\tx\n\tT 3\tZeit\tx\n");
    }

    CliResult Diff(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args{"diff", platform::PathToUtf8(seq), platform::PathToUtf8(project), "--settings",
                                      platform::PathToUtf8(ini)};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    }

    TempDir dir;
    // Names with umlauts, as users give them.
    std::filesystem::path project = dir.Path() / platform::PathFromUtf8("Projekt Mühle");
    std::filesystem::path seq = dir.Path() / platform::PathFromUtf8("Anlage Ölmühle.seq");
    std::filesystem::path ini = dir.Path() / platform::PathFromUtf8("Einstellungen für Linie 2.ini");
};

TEST_F(DiffCommandTest, JsonHasExactlyTheAgreedShape)
{
    const auto result = Diff({"--json"});
    EXPECT_EQ(result.exitCode, 6) << result.err;
    // The sequence file is 8-bit text; the output is UTF-8.
    EXPECT_EQ(result.out,
              "{\"rows\":["
              "{\"operand\":\"E000.00\",\"status\":\"changed\",\"group\":\"S01\",\"list\":\"001\",\"old\":\"alt\","
              "\"new\":\"Neu Über @005\"},"
              "{\"operand\":\"E000.00\",\"status\":\"changed\",\"group\":\"S02\",\"list\":\"001\",\"old\":\"auch "
              "alt\",\"new\":\"Neu Über @005\"},"
              "{\"operand\":\"E000.01\",\"status\":\"same\",\"group\":\"S01\",\"list\":\"001\",\"old\":\"B x\","
              "\"new\":\"B x\"},"
              "{\"operand\":\"E000.02\",\"status\":\"orphan\",\"group\":\"S01\",\"list\":\"001\",\"old\":\"weg\"},"
              "{\"operand\":\"T003\",\"status\":\"new\",\"new\":\"Zeit x\"}"
              "],\"summary\":{\"same\":1,\"changed\":2,\"new\":1,\"orphan\":1}}\n")
        << result.out;
}

TEST_F(DiffCommandTest, ControlBytesStayReadableInBothOutputs)
{
    WriteText(seq, "\tE 0.1\tB\x01\tx\x7F\n");
    const auto json = nlohmann::json::parse(Diff({"--json", "--kinds", "E"}).out);
    EXPECT_EQ(json["rows"][2]["new"].get<std::string>(), "B\x01 x\x7F");
    EXPECT_NE(Diff().out.find("\"B x\" → \"B\\x01 x\\x7F\"\n"), std::string::npos);
}

TEST_F(DiffCommandTest, TextShowsWhatDiffersAndTheCounts)
{
    WriteText(seq, "\tE 0.0\tNeu\tTab\there\n\tE 0.1\tB\tx\n\tT 3\tZeit\tx\n");
    const auto result = Diff();
    EXPECT_EQ(result.exitCode, 6) << result.err;
    EXPECT_EQ(result.out, "changed E000.00  S01 001  \"alt\" → \"Neu Tab\\there\"\n"
                          "changed E000.00  S02 001  \"auch alt\" → \"Neu Tab\\there\"\n"
                          "orphan  E000.02  S01 001  \"weg\"\n"
                          "new     T003     -   -    → \"Zeit x\"\n"
                          "1 same, 2 changed, 1 new, 1 orphan\n");
}

TEST_F(DiffCommandTest, ExitStatusTellsWhetherTheProjectIsInStep)
{
    // Orphans alone leave the project in step.
    WriteText(seq, "\tE 0.1\tB\tx\n");
    const auto orphans = Diff();
    EXPECT_EQ(orphans.exitCode, 0) << orphans.out;
    EXPECT_EQ(orphans.out.substr(orphans.out.rfind('\n', orphans.out.size() - 2) + 1),
              "1 same, 0 changed, 0 new, 3 orphan\n");
    const auto noKind = Diff({"--kinds", "Z"});
    EXPECT_EQ(noKind.exitCode, 0) << noKind.err;
    EXPECT_EQ(noKind.out, "0 same, 0 changed, 0 new, 0 orphan\n");

    // The settings' switches decide the expected text.
    WriteText(ini, "[Configuration]\r\nCommentToText=0\r\n");
    EXPECT_EQ(Diff({"--kinds", "e"}).exitCode, 6);
    WriteText(seq, "\tE 0.1\tB x\tKommentar\n");
    EXPECT_EQ(Diff({"--kinds", "e"}).exitCode, 0);

    EXPECT_EQ(RunCli({"diff", (dir / "fehlt.seq").string(), project.string()}).exitCode, 2);
    EXPECT_EQ(RunCli({"diff", seq.string(), dir.Path().string()}).exitCode, 3);
    EXPECT_EQ(Diff({"--kinds", "X"}).exitCode, 1);
}

TEST_F(DiffCommandTest, UnreadableGroupIsNamedAndTakesPrecedence)
{
    auto bytes = ReadBytes(project / "GS02.731");
    bytes.resize(bytes.size() - 3);
    WriteBytes(project / "GS02.731", bytes);
    const auto result = Diff({"--json"});
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_NE(result.err.find("GS02.731"), std::string::npos) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["rows"].size(), 4u); // S01's rows and the new operand
    EXPECT_EQ(json["summary"]["changed"], 1);
    WriteText(seq, "\tE 0.1\tB\tx\n");
    EXPECT_EQ(Diff().exitCode, 4); // in step otherwise
}

TEST_F(DiffCommandTest, ApplyReplacesChangedTextsOnly)
{
    const auto applied = Diff({"--apply"});
    EXPECT_EQ(applied.exitCode, 6) << applied.err; // T003 is still new
    EXPECT_NE(applied.err.find("2 texts replaced in GS01.731 GS02.731"), std::string::npos) << applied.err;
    const auto after = nlohmann::json::parse(Diff({"--json"}).out);
    EXPECT_EQ(after["summary"], nlohmann::json::parse(R"({"same":3,"changed":0,"new":1,"orphan":1})"));
    // A second run has nothing to apply, and with only in-step kinds the
    // status is 0.
    const auto again = Diff({"--apply", "--kinds", "E"});
    EXPECT_EQ(again.exitCode, 0) << again.out;
    EXPECT_EQ(again.err, "");
}

TEST_F(DiffCommandTest, FailedSaveLeavesTheGroupFileByteIdentical)
{
    // The new texts do not fit into one group file; S02's single text does.
    std::string lines;
    for (int bit = 0; bit < 3; ++bit)
        lines += "\tE 0." + std::to_string(bit) + "\t" + std::string(30000, 'y') + "\t\n";
    WriteText(seq, lines);
    const auto before = ReadBytes(project / "GS01.731");
    const auto result = Diff({"--apply"});
    EXPECT_EQ(result.exitCode, 6);
    EXPECT_NE(result.err.find("Fehler beim Schreiben der Datei \"GS01.731\"."), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(project / "GS01.731"), before);
    const auto after = nlohmann::json::parse(Diff({"--json"}).out);
    EXPECT_EQ(after["summary"]["changed"], 3); // S01's texts; S02's was written
}

} // namespace
