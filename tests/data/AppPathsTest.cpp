#include "data/AppPaths.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class AppPathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        m_savedXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
        ::setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
    }
    void TearDown() override
    {
        ::setenv("PATH", m_savedPath.c_str(), 1);
        if (m_savedXdg.empty())
            ::unsetenv("XDG_CONFIG_HOME");
        else
            ::setenv("XDG_CONFIG_HOME", m_savedXdg.c_str(), 1);
    }

    fs::path Program(const fs::path& folder)
    {
        fs::create_directories(folder);
        const fs::path program = folder / "morawin";
        std::ofstream(program) << "#!/bin/sh\n";
        ::chmod(program.c_str(), 0755);
        return program;
    }

    TempDir m_dir;
    std::string m_savedPath;
    std::string m_savedXdg;
};

TEST_F(AppPathsTest, BuildTreeKeepsHelpAndCatalogBesideTheProgram)
{
    const fs::path bin = m_dir / "build" / "bin";
    const fs::path program = Program(bin);
    fs::create_directories(bin / "hlp");
    std::ofstream(bin / "morawin.strings") << "1054=x\n";

    const CAppPaths paths = CAppPaths::ForProgram(program);
    EXPECT_EQ(paths.SettingsFile, bin / "morawin.ini");
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
    const CAppPaths paths = CAppPaths::ForProgram(Program(dotted));
    EXPECT_EQ(paths.SettingsFile, dotted / "morawin.ini");
    EXPECT_EQ(paths.HelpFolder, dotted / "hlp");

    const fs::path plain = m_dir / "ohne" / "punkt";
    EXPECT_EQ(CAppPaths::ForProgram(Program(plain)).SettingsFile, plain / "morawin.ini");
}

TEST_F(AppPathsTest, BareProgramNameIsLookedUpInPath)
{
    const fs::path bin = m_dir / "irgendwo" / "bin";
    Program(bin);
    fs::create_directories(bin / "hlp");
    ::setenv("PATH", ("/nonexistent:" + bin.string()).c_str(), 1);

    EXPECT_EQ(CAppPaths::ProgramFolder("morawin"), bin);
    const CAppPaths paths = CAppPaths::ForProgram("morawin");
    EXPECT_EQ(paths.HelpFolder, bin / "hlp");
    EXPECT_EQ(paths.SettingsFile, bin / "morawin.ini");
}

TEST_F(AppPathsTest, BareProgramNameNotInPathTakesTheCurrentFolder)
{
    ::setenv("PATH", "/nonexistent", 1);
    EXPECT_EQ(CAppPaths::ProgramFolder("morawin"), fs::current_path());
    EXPECT_FALSE(CAppPaths::ForProgram("morawin").HelpFolder.empty());
}

} // namespace
