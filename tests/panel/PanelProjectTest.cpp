#include "data/platform/Platform.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <ctime>
#include <functional>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Problem = CPanelProject::Problem;

struct ProjectCase {
    const char* name;
    std::function<void(const std::filesystem::path&)> prepare;
    std::string extension;
    bool valid;
    std::string expectedExtension;
    std::string projectName;
    Problem problem;
    std::string dataFile;
};

class PanelProjectCases : public ::testing::TestWithParam<ProjectCase> {};

TEST_P(PanelProjectCases, RecognisesTheFolder)
{
    const ProjectCase& c = GetParam();
    TempDir dir;
    c.prepare(dir.Path());
    const CPanelProject project(dir.Path(), c.extension);
    EXPECT_EQ(project.IsValid(), c.valid);
    EXPECT_EQ(project.GetProjectExt(), c.expectedExtension);
    EXPECT_EQ(project.GetName(), c.projectName);
    EXPECT_EQ(project.GetProblem(), c.problem);
    EXPECT_EQ(project.GetDataFileName(), c.dataFile);
    EXPECT_EQ(project.GetDateText().empty(), !c.valid);
    EXPECT_EQ(project.GetProjectDir(), dir.Path() / "");
}

// A header whose length byte is `lengthByte`, followed by `characters`.
Bytes WithName(std::uint8_t lengthByte, std::size_t characters)
{
    Bytes bytes{1, 0, 0, lengthByte};
    bytes.resize(4 + characters, 'x');
    return bytes;
}

void Raw(const std::filesystem::path& dir, const std::string& name, const Bytes& bytes)
{
    WriteBytes(dir / name, bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PanelProjectCases,
    ::testing::Values(
        ProjectCase{"Valid731", [](auto& d) { WriteDataFile(d, "Anlage"); }, "", true, "731", "Anlage", Problem::none, "SDAT.731"},
        ProjectCase{"ValidSys", [](auto& d) { WriteDataFile(d, "S", "SYS"); }, "", true, "SYS", "S", Problem::none, "SDAT.SYS"},
        ProjectCase{"NoDataFile", [](auto&) {}, "", false, "SYS", "", Problem::noDataFile, "SDAT.SYS"},
        ProjectCase{"WrongKindIsNotRetriedWithSys",
                    [](auto& d) {
                        WriteDataFile(d, "X", "731", 0);
                        WriteDataFile(d, "Y", "SYS");
                    },
                    "", false, "731", "", Problem::wrongKind, "SDAT.731"},
        ProjectCase{"GivenExtensionOnly",
                    [](auto& d) {
                        WriteDataFile(d, "X");
                        WriteDataFile(d, "Z", "abc");
                    },
                    "abc", true, "abc", "Z", Problem::none, "SDAT.abc"},
        ProjectCase{"GivenExtensionMissing", [](auto& d) { WriteDataFile(d, "X"); }, "SYS", false, "SYS", "",
                    Problem::noDataFile, "SDAT.SYS"},
        ProjectCase{"LowerCaseDataFile", [](auto& d) { Raw(d, "sdat.731", {1, 0, 0, 3, 'P', '1'}); }, "", true, "731",
                    "P1", Problem::none, "sdat.731"},
        ProjectCase{"EmptyName", [](auto& d) { Raw(d, "SDAT.731", {1, 0, 0, 1}); }, "", true, "731", "", Problem::none,
                    "SDAT.731"},
        ProjectCase{"RestOfTheFileIsNotRead",
                    [](auto& d) { WriteDataFile(d, std::string(80, 'n'), "731", 1, Bytes(5000, 0xFF)); }, "", true,
                    "731", std::string(80, 'n'), Problem::none, "SDAT.731"},
        ProjectCase{"NameLengthByteZero", [](auto& d) { Raw(d, "SDAT.731", {1, 0, 0, 0, 'P'}); }, "", false, "731", "",
                    Problem::badNameLength, "SDAT.731"},
        ProjectCase{"NameLengthByte82", [](auto& d) { Raw(d, "SDAT.731", WithName(82, 100)); }, "",
                    false, "731", "", Problem::badNameLength, "SDAT.731"},
        ProjectCase{"EmptyFile", [](auto& d) { Raw(d, "SDAT.731", {}); }, "", false, "731", "", Problem::headerCutShort,
                    "SDAT.731"},
        ProjectCase{"CutInTheWord", [](auto& d) { Raw(d, "SDAT.731", {1, 0}); }, "", false, "731", "",
                    Problem::headerCutShort, "SDAT.731"},
        ProjectCase{"CutInTheName", [](auto& d) { Raw(d, "SDAT.731", {1, 0, 0, 5, 'a'}); }, "", false, "731", "",
                    Problem::headerCutShort, "SDAT.731"},
        ProjectCase{"DataFileIsAFolder", [](auto& d) { std::filesystem::create_directory(d / "SDAT.731"); }, "", false,
                    "731", "", Problem::unreadable, "SDAT.731"}),
    [](const auto& info) { return std::string(info.param.name); });

// As text the folder ends with the system's separator ("/" or "\\"),
// added once.
TEST(PanelProject, FolderEndsWithOneSeparatorOfTheSystem)
{
    TempDir dir;
    WriteDataFile(dir.Path(), "P");
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    const std::string shown = platform::PathToUtf8(dir.Path()) + separator;
    EXPECT_EQ(platform::PathToUtf8(CPanelProject(dir.Path(), "").GetProjectDir()), shown);
    EXPECT_EQ(platform::PathToUtf8(CPanelProject(platform::PathFromUtf8(shown), "").GetProjectDir()), shown);
    EXPECT_TRUE(CPanelProject(std::filesystem::path(), "731").GetProjectDir().empty());
}

TEST(PanelProject, MissingFolder)
{
    TempDir dir;
    const CPanelProject project((dir / "fehlt"), "");
    EXPECT_FALSE(project.IsValid());
    EXPECT_EQ(project.GetProblem(), Problem::noFolder);
    EXPECT_EQ(project.GetProjectExt(), "SYS");
}

void SetLastWriteTime(const std::filesystem::path& file, std::time_t time)
{
    const auto when = std::chrono::system_clock::from_time_t(time);
    std::filesystem::last_write_time(file, std::chrono::file_clock::from_sys(when));
}

std::string LocalTimeText(std::time_t time)
{
    char text[256];
    const std::size_t length = std::strftime(text, sizeof text, "%c", std::localtime(&time));
    return std::string(text, length);
}

TEST(PanelProject, DateIsTheLastWriteTimeWhenCreationIsLater)
{
    TempDir dir;
    WriteDataFile(dir.Path(), "P");
    // Last written in 2001, created now.
    const std::time_t past = 1'000'000'000;
    SetLastWriteTime(dir / "SDAT.731", past);
    const std::string expected = LocalTimeText(past);
    EXPECT_EQ(CPanelProject(dir.Path(), "").GetDateText(), expected);
}

TEST(PanelProject, DateIsTheCreationTimeWhenItIsEarlier)
{
    TempDir dir;
    WriteDataFile(dir.Path(), "P");
    if (test_system::UnderWine())
        GTEST_SKIP() << "Wine derives creation times from the Linux file times";
    const auto created = test_system::CreationTime(dir / "SDAT.731");
    if (!created)
        GTEST_SKIP() << "the file system records no creation time";
    // Last written a day after its creation.
    SetLastWriteTime(dir / "SDAT.731", *created + 86400);
    const std::string expected = LocalTimeText(*created);
    EXPECT_EQ(CPanelProject(dir.Path(), "").GetDateText(), expected);
}

TEST(PanelProject, LeavesTheLocaleAsTheHostSetIt)
{
    TempDir dir;
    WriteDataFile(dir.Path(), "P");
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const CPanelProject project(dir.Path(), "");
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

TEST(PanelProject, SaveNeverWritesAndColumnsAreEmpty)
{
    TempDir dir;
    WriteDataFile(dir.Path(), "P");
    const Bytes before = ReadBytes(dir / "SDAT.731");
    CPanelProject project(dir.Path(), "");
    EXPECT_FALSE(project.Save());
    EXPECT_EQ(ReadBytes(dir / "SDAT.731"), before);
    EXPECT_EQ(project.GetType(), 0);
    EXPECT_EQ(project.GetColumnText(0), "");
    EXPECT_EQ(project.GetColumnCount(), 5);
    EXPECT_EQ(project.GetColumnWidth(1), 8);
    EXPECT_EQ(project.GetColumnWidth(5), 1);
    EXPECT_EQ(project.GetGroupFolder(), nullptr);
    EXPECT_TRUE(project.Load());
    EXPECT_TRUE(project.Load());
    EXPECT_EQ(project.GetCount(), 1);
}

} // namespace
