// File names and path spellings as users on either system type them: the
// command-line tool must find the same files and write the same bytes.
#include "data/text/Charset.h"
#include "data/platform/Platform.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path)
{
    return platform::PathToUtf8(path);
}

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(project);
        WriteDataFile(project, "P1");
        WriteText(sequence, charset::Utf8ToCp1252("Liste\r\n\tE 12.1\tAuf\tÖffnen\r\n\tE 12.3\tZu\tSchließen\r\n"));
        WriteText(ini, "[Configuration]\r\n");
    }

    CliResult Convert(const std::string& sequenceArg, const std::string& projectArg)
    {
        return RunCli({"convert", sequenceArg, projectArg, "--all", "--answer", "yes-all", "--settings", Utf8(ini)});
    }

    TempDir dir;
    const fs::path project = dir.Path() / platform::PathFromUtf8("Projekt Ölmühle");
    const fs::path sequence = dir.Path() / platform::PathFromUtf8("Zuordnung Größe.seq");
    const fs::path ini = dir.Path() / platform::PathFromUtf8("Einstellungen für alle.ini");
};

TEST_F(PathsTest, UmlautsInProjectSequenceAndSettingsNames)
{
    const auto operands = RunCli({"operands", Utf8(sequence)});
    EXPECT_EQ(operands.exitCode, 0) << operands.err;
    EXPECT_EQ(operands.out, "E012.01\tAuf\tÖffnen\nE012.03\tZu\tSchließen\n");

    WriteText(ini, "[Configuration]\r\nCommentToText=0\r\n");
    const auto converted = Convert(Utf8(sequence), Utf8(project));
    ASSERT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(ListFolder(project), (std::vector<std::string>{"GS01.731", "SDAT.731"}));

    const auto shown = RunCli({"show", Utf8(project), "S01"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    // The settings file was read: symbols only.
    EXPECT_NE(shown.out.find("Auf"), std::string::npos) << shown.out;
    EXPECT_EQ(shown.out.find("Öffnen"), std::string::npos) << shown.out;
}

TEST_F(PathsTest, ForwardAndBackwardSlashesAndTheDriveFindTheSameFiles)
{
    // The native spelling (C:\...\x on Windows) and the generic one
    // (C:/.../x) name the same files; on POSIX systems a backslash is part
    // of a name, so there both spellings are the same text.
    const auto native = RunCli({"operands", Utf8(sequence)});
    const auto generic = RunCli({"operands", sequence.generic_string()});
    EXPECT_EQ(native.exitCode, 0) << native.err;
    EXPECT_EQ(generic.exitCode, 0) << generic.err;
    EXPECT_EQ(native.out, generic.out);
    if (!test_system::kWindows)
        return;
    // Windows: a drive letter, and the generic spelling works for a
    // conversion too.
    ASSERT_TRUE(sequence.has_root_name());
    EXPECT_EQ(Convert(sequence.generic_string(), project.generic_string()).exitCode, 0);
    EXPECT_EQ(ListFolder(project), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
}

TEST_F(PathsTest, NamesThatDifferOnlyInCase)
{
    // A project written by other software, all in lower case: found by its
    // identifier in any spelling, and replaced under its own name.
    fs::remove(project / "SDAT.731");
    const fs::path other = dir / "andere";
    fs::create_directories(other);
    WriteDataFile(other, "P1");
    fs::rename(other / "SDAT.731", project / "sdat.731");
    WriteBytes(project / "gs01.731", WorkedExampleGroup());
    ASSERT_EQ(ListFolder(project), (std::vector<std::string>{"gs01.731", "sdat.731"}));

    for (const char* group : {"S01", "gs01", "GS01.731"}) {
        const auto shown = RunCli({"show", Utf8(project), group});
        EXPECT_EQ(shown.exitCode, 0) << group << ": " << shown.err;
        EXPECT_NE(shown.out.find("Auf"), std::string::npos) << group;
    }
    EXPECT_EQ(Convert(Utf8(sequence), Utf8(project)).exitCode, 0);
    EXPECT_EQ(ListFolder(project), (std::vector<std::string>{"gs01.731", "sdat.731"}));
}

} // namespace
