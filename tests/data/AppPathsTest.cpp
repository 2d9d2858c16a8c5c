#include "data/AppPaths.h"
#include "data/Platform.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

class AppPathsTest : public ::testing::Test {
protected:
    fs::path Program(const fs::path& folder)
    {
        fs::create_directories(folder);
        const fs::path program = folder / "morawin";
        std::ofstream(program) << "#!/bin/sh\n";
        fs::permissions(program, fs::perms(0755));
        return program;
    }

    // PATH as the test sets it.
    static std::string SearchPath(const std::vector<fs::path>& folders)
    {
        std::string text;
        for (const fs::path& folder : folders)
            text += (text.empty() ? "" : std::string(1, platform::PathListSeparator())) + platform::PathToUtf8(folder);
        return text;
    }

    TempDir m_dir;
    ScopedEnvironment m_path{"PATH", test_system::Environment("PATH")};
    ScopedEnvironment m_base{test_system::SettingsBaseVariable(), platform::PathToUtf8(m_dir / "config")};
    const fs::path m_userFile = m_dir / "config" / test_system::SettingsFolderName() / "morawin.ini";
};

TEST_F(AppPathsTest, BuildTreeKeepsHelpAndCatalogBesideTheProgram)
{
    const fs::path bin = m_dir / "build" / "bin";
    const fs::path program = Program(bin);
    fs::create_directories(bin / "hlp");
    std::ofstream(bin / "morawin.strings") << "1054=x\n";

    const CAppPaths paths = CAppPaths::ForProgram(program);
    // A build tree is no portable copy: settings go to the user's file.
    EXPECT_EQ(paths.SettingsFile, m_userFile);
    EXPECT_EQ(paths.HelpFolder, bin / "hlp");
    EXPECT_EQ(paths.CatalogFile, bin / "morawin.strings");
    EXPECT_EQ(paths.HelpDocument("morawin.htm"), bin / "hlp" / "morawin.htm");
}

TEST_F(AppPathsTest, InstalledProgramFindsItsDataInShare)
{
    const fs::path prefix = m_dir / "usr";
    const fs::path program = Program(prefix / "bin");
    fs::create_directories(prefix / "share" / "morawin" / "hlp");
    std::ofstream(prefix / "share" / "morawin" / "morawin.strings") << "";

    const CAppPaths paths = CAppPaths::ForProgram(program);
    EXPECT_EQ(paths.HelpFolder, prefix / "share" / "morawin" / "hlp");
    EXPECT_EQ(paths.CatalogFile, prefix / "share" / "morawin" / "morawin.strings");
}

TEST_F(AppPathsTest, InstalledProgramWithoutCatalogNamesItsPlaceInShare)
{
    const fs::path prefix = m_dir / "usr";
    const fs::path program = Program(prefix / "bin");
    fs::create_directories(prefix / "share" / "morawin" / "hlp");

    EXPECT_EQ(CAppPaths::ForProgram(program).CatalogFile, prefix / "share" / "morawin" / "morawin.strings");
}

TEST_F(AppPathsTest, NothingInstalledNamesThePlaceBesideTheProgram)
{
    const fs::path bin = m_dir / "leer" / "bin";
    const CAppPaths paths = CAppPaths::ForProgram(Program(bin));
    EXPECT_EQ(paths.HelpFolder, bin / "hlp");
    EXPECT_EQ(paths.CatalogFile, bin / "morawin.strings");
}

TEST_F(AppPathsTest, PointsInFolderNamesAndMissingPointsChangeNothing)
{
    // The settings file is named after the application, whatever the
    // program path looks like.
    const fs::path dotted = m_dir / "mora.win" / "v1.1" / "bin";
    const fs::path program = Program(dotted);
    std::ofstream(dotted / "morawin.ini") << "";
    const CAppPaths paths = CAppPaths::ForProgram(program);
    EXPECT_EQ(paths.SettingsFile, dotted / "morawin.ini");
    EXPECT_EQ(paths.HelpFolder, dotted / "hlp");

    const fs::path plain = m_dir / "ohne" / "punkt";
    const fs::path plainProgram = Program(plain);
    std::ofstream(plain / "morawin.ini") << "";
    EXPECT_EQ(CAppPaths::ForProgram(plainProgram).SettingsFile, plain / "morawin.ini");
}

TEST_F(AppPathsTest, BareProgramNameIsLookedUpInPath)
{
    const fs::path bin = m_dir / "irgendwo" / "bin";
    Program(bin);
    fs::create_directories(bin / "hlp");
    std::ofstream(bin / "morawin.ini") << "";
    test_system::SetEnvironment("PATH", SearchPath({m_dir / "nonexistent", bin}));

    EXPECT_EQ(CAppPaths::ProgramFolder("morawin"), bin);
    const CAppPaths paths = CAppPaths::ForProgram("morawin");
    EXPECT_EQ(paths.HelpFolder, bin / "hlp");
    EXPECT_EQ(paths.SettingsFile, bin / "morawin.ini");
}

TEST_F(AppPathsTest, BareProgramNameNotInPathTakesTheCurrentFolder)
{
    test_system::SetEnvironment("PATH", SearchPath({m_dir / "nonexistent"}));
    EXPECT_EQ(CAppPaths::ProgramFolder("morawin"), fs::current_path());
    EXPECT_FALSE(CAppPaths::ForProgram("morawin").HelpFolder.empty());
}

} // namespace
