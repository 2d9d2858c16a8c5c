// How morawin-cli shows folders and group names that are not plain ASCII.
#include "data/platform/Platform.h"
#include "data/text/Charset.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path)
{
    return platform::PathToUtf8(path);
}

class GroupNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(project);
        WriteDataFile(project, "P1");
        WriteBytes(project / "GS01.731", WorkedExampleGroup());
    }

    TempDir dir;
    const fs::path project = dir.Path() / "P";
};

// The folder line ends with the system's separator, added to a folder named
// without one and not doubled, whichever separators the name was typed with.
TEST_F(GroupNames, ShownFolderEndsWithTheSystemsSeparator)
{
    const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
    for (const std::string& typed : {Utf8(project), project.generic_string()}) {
        for (const std::string& argument : {typed, typed + separator}) {
            const auto result = RunCli({"project", argument});
            ASSERT_EQ(result.exitCode, 0) << result.err;
            EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "panel project " + typed + separator);
        }
    }
}

TEST_F(GroupNames, UmlautAndEuroInAnIdentifierAreShownAlignedAndFound)
{
    WriteText(dir / "anlage.seq", charset::Utf8ToCp1252("\tE 12.1\tAuf\tÖffnen\r\n"));
    const auto converted = RunCli({"convert", Utf8(dir / "anlage.seq"), Utf8(project), "--group", "ä€1", "--answer",
                                   "yes-all", "--settings", Utf8(dir / "keine.ini")});
    ASSERT_EQ(converted.exitCode, 0) << converted.err;

    const auto listed = RunCli({"project", Utf8(project)});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    // Three characters, five columns: as wide as the ASCII identifiers.
    EXPECT_NE(listed.out.find("id   file      lists  bytes  designation\n"
                              "S01  GS01.731      1     97  Test\n"
                              "ä€1  Gä€1.731      1     "),
              std::string::npos)
        << listed.out;

    for (const char* asked : {"ä€1", "Gä€1.731"}) {
        const auto shown = RunCli({"show", Utf8(project), asked});
        EXPECT_EQ(shown.exitCode, 0) << asked << ": " << shown.err;
        EXPECT_TRUE(shown.out.find("\nGä€1.731  ä€1  anlage") != std::string::npos) << shown.out;
        EXPECT_EQ(shown.out.find("GS01"), std::string::npos) << shown.out;
    }
}

} // namespace
