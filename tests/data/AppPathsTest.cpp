#include "data/settings/AppPaths.h"
#include "data/settings/StartUp.h"
#include "data/text/StringTable.h"
#include "data/platform/Platform.h"
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
    // The catalogs beside the program, and the English page where there is one.
    EXPECT_EQ(paths.CatalogOf("en"), bin / "locale" / "en" / "LC_MESSAGES" / "morawin.mo");
    fs::create_directories(bin / "hlp" / "en");
    std::ofstream(bin / "hlp" / "en" / "morawin.htm") << "<html></html>\n";
    EXPECT_EQ(paths.HelpDocument("morawin.htm", "en"), bin / "hlp" / "en" / "morawin.htm");
    EXPECT_EQ(paths.HelpDocument("eigene.htm", "en"), bin / "hlp" / "eigene.htm");
    EXPECT_EQ(paths.HelpDocument("morawin.htm", "de"), bin / "hlp" / "morawin.htm");
}

TEST_F(AppPathsTest, HelpFileNameWithUmlautsFromTheSettingsIsFound)
{
    const fs::path bin = m_dir / "bin";
    const std::string name = "Hilfe f\xc3\xbcr Anf\xc3\xa4nger.htm"; // UTF-8, as the settings file holds it
    fs::create_directories(bin / "hlp");
    std::ofstream(bin / "hlp" / platform::PathFromUtf8(name)) << "<html></html>\n";

    const fs::path document = CAppPaths::ForProgram(Program(bin)).HelpDocument(name);
    EXPECT_TRUE(fs::is_regular_file(document)) << platform::PathToUtf8(document);
    EXPECT_EQ(platform::PathToUtf8(document.filename()), name);
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
    // The translations where the system keeps every program's.
    EXPECT_EQ(paths.LocaleFolder, prefix / "share" / "locale");
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

// The start-up both programs share: a catalog beside the program is read,
// and --settings takes the settings file's place.
TEST_F(AppPathsTest, StartUpReadsTheCatalogAndTakesTheGivenSettingsFile)
{
    const fs::path bin = m_dir / "build" / "bin";
    const fs::path program = Program(bin);
    std::ofstream(bin / "morawin.strings") << "1054=aus dem Katalog\n";
    ASSERT_NE(CStringTable::Get(1054), "aus dem Katalog");

    const CAppPaths usual = start_up::Begin(program);
    EXPECT_EQ(CStringTable::Get(1054), "aus dem Katalog");
    CStringTable::ResetToBuiltIn();
    EXPECT_EQ(usual.SettingsFile, m_userFile);

    const CAppPaths given = start_up::Begin(program, m_dir / "eigene.ini");
    CStringTable::ResetToBuiltIn();
    EXPECT_EQ(given.SettingsFile, m_dir / "eigene.ini");
    EXPECT_EQ(given.CatalogFile, usual.CatalogFile);
}

TEST_F(AppPathsTest, FilesAreListedInTheCallersOrderAndSayWhetherTheyAreThere)
{
    const fs::path bin = m_dir / "build" / "bin";
    const CAppPaths paths = CAppPaths::ForProgram(Program(bin));
    fs::create_directories(bin / "hlp");

    const auto files = start_up::ListFiles(paths, {{&CAppPaths::CatalogFile, "catalog "},
                                                   {&CAppPaths::HelpFolder, "help "},
                                                   {&CAppPaths::SettingsFile, "settings "}});
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].label, "catalog ");
    EXPECT_EQ(files[0].path, bin / "morawin.strings");
    EXPECT_FALSE(files[0].present);
    EXPECT_EQ(files[1].path, bin / "hlp");
    EXPECT_TRUE(files[1].present);
    EXPECT_EQ(files[2].label, "settings ");
    EXPECT_EQ(files[2].path, m_userFile);
    EXPECT_FALSE(files[2].present);
}
