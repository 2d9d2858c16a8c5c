#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kExample = ExamplePath("mischanlage-projekt");

// Project P1 with the worked example as GS01.731.
void WriteWorkedExampleProject(const TempDir& dir)
{
    WriteDataFile(dir.Path(), "P1");
    WriteBytes(dir / "GS01.731", WorkedExampleGroup());
}

TEST(ProjectCommand, DescribesTheExampleProject)
{
    const auto result = RunCli({"project", kExample});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("name:      Mischanlage MA-2\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("data file: SDAT.731\n"), std::string::npos);
    EXPECT_NE(result.out.find("groups:    3\n"), std::string::npos);
    EXPECT_NE(result.out.find("S02  GS02.731      2    311  Schrittkette Mischen\n"), std::string::npos);
    EXPECT_NE(result.out.find("S03  GS03.731      1     98  Reserve\n"), std::string::npos);
    EXPECT_TRUE(result.err.empty());
}

TEST(ProjectCommand, NotAProjectGivesExit3AndOneLineWithTheReason)
{
    struct Case {
        const char* name;
        Bytes dataFile; // empty: no data file at all
        std::string reason;
    };
    const Case cases[] = {
        {"no data file", {}, "no data file SDAT.731 or SDAT.SYS"},
        {"wrong kind", {2, 0, 0, 1}, "SDAT.731 is not a project data file (wrong kind)"},
        {"cut short", {1, 0, 0, 9, 'a'}, "header of SDAT.731 cut short"},
        {"name length", {1, 0, 0, 0}, "bad name length in the header of SDAT.731"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (!c.dataFile.empty())
            WriteBytes(dir / "SDAT.731", c.dataFile);
        const auto result = RunCli({"project", dir.Path().string()});
        EXPECT_EQ(result.exitCode, 3) << c.name;
        EXPECT_TRUE(result.out.empty()) << c.name;
        EXPECT_EQ(result.err, "morawin-cli project: " + dir.Path().string() + " is not a panel project: " + c.reason
                                  + "\n");
    }
    const auto missing = RunCli({"project", "/nonexistent/folder"});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.err.find("no such folder"), std::string::npos);
}

TEST(ProjectCommand, UnreadableGroupIsListedWithItsReason)
{
    TempDir dir;
    WriteWorkedExampleProject(dir);
    Bytes broken = WorkedExampleGroup();
    broken[8] = '2';
    broken.resize(60);
    WriteBytes(dir / "GS02.731", broken);
    const auto result = RunCli({"project", dir.Path().string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("S01  GS01.731      1     97  Test\n"), std::string::npos) << result.out;
    // The size column tells what is on disk, not what the header claims.
    EXPECT_NE(result.out.find("S02  GS02.731      -     60  Test  (cannot be read: the file ends inside a record)\n"),
              std::string::npos)
        << result.out;
}

TEST(ProjectCommand, GroupWhoseHeaderSizeDisagreesWithItsFileIsDamaged)
{
    struct Case {
        const char* name;
        Bytes file;
        std::string row;
    };
    Bytes longer = WorkedExampleGroup();
    longer.insert(longer.end(), {0, 0, 0});
    Bytes claimsMore = WorkedExampleGroup();
    claimsMore[1] = 98;
    const Case cases[] = {
        {"bytes after the last list", longer, "S01  GS01.731      -    100  Test  (damaged: its header says 97 bytes, the file holds 100)\n"},
        {"header claims more", claimsMore, "S01  GS01.731      -     97  Test  (damaged: its header says 98 bytes, the file holds 97)\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteDataFile(dir.Path(), "P1");
        WriteBytes(dir / "GS01.731", c.file);
        const auto project = RunCli({"project", dir.Path().string()});
        EXPECT_EQ(project.exitCode, 0) << c.name;
        EXPECT_NE(project.out.find(c.row), std::string::npos) << c.name << '\n' << project.out;

        const auto text = RunCli({"show", dir.Path().string()});
        EXPECT_EQ(text.exitCode, 4) << c.name;
        EXPECT_NE(text.out.find("GS01.731  S01  Test\n  damaged: its header says"), std::string::npos) << text.out;
        EXPECT_EQ(text.out.find("E012.01"), std::string::npos) << c.name;
        const auto json = RunCli({"show", dir.Path().string(), "--json"});
        EXPECT_EQ(json.exitCode, 4) << c.name;
        const auto group = nlohmann::json::parse(json.out)["groups"][0];
        EXPECT_EQ(group["error"].get<std::string>().rfind("damaged: its header says", 0), 0u) << json.out;
        EXPECT_FALSE(group.contains("lists"));
    }
    // A sound group is not damaged.
    TempDir dir;
    WriteWorkedExampleProject(dir);
    EXPECT_EQ(RunCli({"show", dir.Path().string()}).exitCode, 0);
}

TEST(ShowCommand, JsonIsExactlyTheAgreedShape)
{
    TempDir dir;
    WriteWorkedExampleProject(dir);
    const auto result = RunCli({"show", dir.Path().string(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::ordered_json::parse(result.out);
    const std::string date = json["project"]["date"];
    EXPECT_FALSE(date.empty());
    const std::string expected =
        R"({"project":{"name":"P1","date":")" + date
        + R"(","dataFile":"SDAT.731"},"groups":[{"id":"S01","file":"GS01.731","name":"Test","lists":[{"id":"001",)"
          R"("kind":"E","name":"L","texts":[{"byte":12,"bit":1,"attr":[0,0],"text":"Auf"},)"
          R"({"byte":12,"bit":3,"attr":[0,0],"text":"Zu"}]}]}]})";
    EXPECT_EQ(json.dump(), expected);
}

TEST(ShowCommand, JsonShowsReferencesReadablyAndTextsAsUtf8)
{
    TempDir dir;
    WriteDataFile(dir.Path(), "M\xE4" "hen");
    WriteBytes(dir / "GT01.731", GroupBytes("M\xE4hen", "T01", "Z\xE4hler", 1)
                                     .List("001", "\xDC" "berwachung", 5, 1)
                                     .Text(7, 0x25, std::string("Grenze \x1B\x0C\x00 St\xFC" "ck", 16))
                                     .EndList()
                                     .Bytes());
    const auto result = RunCli({"show", dir.Path().string(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["project"]["name"], "Mähen");
    const auto& group = json["groups"][0];
    EXPECT_EQ(group["name"], "Zähler");
    EXPECT_EQ(group["lists"][0]["name"], "Überwachung");
    EXPECT_EQ(group["lists"][0]["kind"], "Z");
    const auto& text = group["lists"][0]["texts"][0];
    EXPECT_EQ(text["byte"], 7);
    EXPECT_EQ(text["bit"], 0);
    EXPECT_EQ(text["attr"], nlohmann::json::array({5, 1}));
    EXPECT_EQ(text["text"], "Grenze @012 Stück");
}

TEST(ShowCommand, UnreadableGroupHasAnErrorAndNoListsAndGivesExit4)
{
    TempDir dir;
    WriteWorkedExampleProject(dir);
    Bytes broken = WorkedExampleGroup();
    broken[6] = 'A'; // group A01: sorts first
    broken[85] = 3;  // a block of three texts holding two
    WriteBytes(dir / "GA01.731", broken);
    const auto result = RunCli({"show", dir.Path().string(), "--json"});
    EXPECT_EQ(result.exitCode, 4);
    const auto json = nlohmann::json::parse(result.out);
    ASSERT_EQ(json["groups"].size(), 2u);
    const auto& bad = json["groups"][0];
    EXPECT_EQ(bad["id"], "A01");
    EXPECT_EQ(bad["error"], "the file ends inside a record");
    EXPECT_FALSE(bad.contains("lists"));
    EXPECT_EQ(json["groups"][1]["lists"][0]["texts"].size(), 2u);

    const auto text = RunCli({"show", dir.Path().string()});
    EXPECT_EQ(text.exitCode, 4);
    EXPECT_NE(text.out.find("GA01.731  A01  Test\n  cannot be read: the file ends inside a record\n"),
              std::string::npos);
    EXPECT_NE(text.out.find("    E012.03  [0,0]  Zu\n"), std::string::npos);
}

TEST(ShowCommand, GroupArgumentSelectsOneGroupInAnySpelling)
{
    for (const char* spelling : {"s02", "GS02", "gs02.731"}) {
        const auto result = RunCli({"show", kExample, spelling, "--json"});
        ASSERT_EQ(result.exitCode, 0) << spelling << result.err;
        const auto json = nlohmann::json::parse(result.out);
        ASSERT_EQ(json["groups"].size(), 1u) << spelling;
        EXPECT_EQ(json["groups"][0]["id"], "S02");
    }
    const auto missing = RunCli({"show", kExample, "S09"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no group S09"), std::string::npos);
}

TEST(ShowCommand, NotAProjectGivesExit3)
{
    TempDir dir;
    const auto result = RunCli({"show", dir.Path().string(), "--json"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(result.out.empty());
    EXPECT_NE(result.err.find("is not a panel project: no data file"), std::string::npos);
}

} // namespace
