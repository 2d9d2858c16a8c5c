#include "data/settings/AppSettings.h"
#include "data/settings/IniFile.h"
#include "data/platform/Platform.h"
#include "data/settings/SettingsLocation.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string ReadText(const std::filesystem::path& file)
{
    const auto bytes = ReadBytes(file);
    return std::string(bytes.begin(), bytes.end());
}

TEST(AppSettings, DefaultsWithoutFile)
{
    TempDir dir;
    CAppSettings settings;
    settings.Load(dir / "fehlt.ini");
    EXPECT_EQ(settings.SymbolToText, 1);
    EXPECT_EQ(settings.CommentToText, 1);
    EXPECT_EQ(settings.MaxLists, 50);
    EXPECT_EQ(settings.MaxOperands, 64);
    EXPECT_EQ(settings.MaxGroupSizeKb, 24);
    EXPECT_EQ(settings.HelpFileName, "morawin.htm");
    EXPECT_FALSE(std::filesystem::exists(dir / "fehlt.ini"));
}

TEST(AppSettings, FirstSaveWritesAllSixEntries)
{
    TempDir dir;
    CAppSettings settings;
    settings.Load(dir / "morawin.ini");
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(ReadText(dir / "morawin.ini"), "[Configuration]\r\n"
                                             "SymbolToText=1\r\n"
                                             "CommentToText=1\r\n"
                                             "MaxLists=50\r\n"
                                             "MaxOperands=64\r\n"
                                             "MaxGroupSizeKb=24\r\n"
                                             "\r\n"
                                             "[Help]\r\n"
                                             "File Name=morawin.htm\r\n");
}

TEST(AppSettings, OddValuesAreUsedAsReadAndSwitchesNormalised)
{
    TempDir dir;
    WriteText(dir / "m.ini", "[configuration]\nsymboltotext=7\nCommentToText=0\nMaxLists=999\n"
                             "MaxOperands= -3 \nMaxGroupSizeKb=12abc\n");
    CAppSettings settings;
    settings.Load(dir / "m.ini");
    EXPECT_EQ(settings.SymbolToText, 1);
    EXPECT_EQ(settings.CommentToText, 0);
    EXPECT_EQ(settings.MaxLists, 999);
    EXPECT_EQ(settings.MaxOperands, -3);
    EXPECT_EQ(settings.MaxGroupSizeKb, 12);
    ASSERT_TRUE(settings.Save());
    CIniFile ini;
    ini.Load(dir / "m.ini");
    EXPECT_EQ(ini.GetString("Configuration", "SymbolToText"), "1");
    EXPECT_EQ(ini.GetString("Configuration", "MaxOperands"), "-3");
}

TEST(AppSettings, NumbersLikeTheProfileFunctions)
{
    TempDir dir;
    WriteText(dir / "m.ini", "[Configuration]\nMaxLists=\nMaxOperands=abc\nMaxGroupSizeKb=4294967297\n");
    CAppSettings settings;
    settings.Load(dir / "m.ini");
    EXPECT_EQ(settings.MaxLists, 50); // empty value: the default
    EXPECT_EQ(settings.MaxOperands, 0);
    EXPECT_EQ(settings.MaxGroupSizeKb, 1); // wraps at 32 bits
}

TEST(AppSettings, SaveKeepsUnknownSectionsKeysAndComments)
{
    TempDir dir;
    WriteText(dir / "m.ini", "; Einstellungen\r\n"
                             "[Recent File List]\r\n"
                             "File1=/home/a/anlage.seq\r\n"
                             "\r\n"
                             "[Configuration]\r\n"
                             "MaxLists=10\r\n"
                             "Extra=bleibt\r\n"
                             "\r\n"
                             "[Eigenes]\r\n"
                             "x = \"mit Leerzeichen\" \r\n");
    CAppSettings settings;
    settings.Load(dir / "m.ini");
    settings.MaxOperands = 100;
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(ReadText(dir / "m.ini"), "; Einstellungen\r\n"
                                       "[Recent File List]\r\n"
                                       "File1=/home/a/anlage.seq\r\n"
                                       "\r\n"
                                       "[Configuration]\r\n"
                                       "MaxLists=10\r\n"
                                       "Extra=bleibt\r\n"
                                       "SymbolToText=1\r\n"
                                       "CommentToText=1\r\n"
                                       "MaxOperands=100\r\n"
                                       "MaxGroupSizeKb=24\r\n"
                                       "\r\n"
                                       "[Eigenes]\r\n"
                                       "x = \"mit Leerzeichen\" \r\n"
                                       "\r\n"
                                       "[Help]\r\n"
                                       "File Name=morawin.htm\r\n");
    CIniFile ini;
    ini.Load(dir / "m.ini");
    EXPECT_EQ(ini.GetString("eigenes", "X"), "mit Leerzeichen");
}

TEST(AppSettings, LongHelpFileNameIsCut)
{
    TempDir dir;
    WriteText(dir / "m.ini", "[Help]\nFile Name=" + std::string(300, 'h') + "\n");
    CAppSettings settings;
    settings.Load(dir / "m.ini");
    EXPECT_EQ(settings.HelpFileName.size(), 259u);
}

TEST(AppSettings, FailedSaveIsReportedAndFolderIsCreated)
{
    TempDir dir;
    CAppSettings settings;
    settings.Load(dir / "neu" / "tief" / "morawin.ini");
    EXPECT_TRUE(settings.Save());
    EXPECT_TRUE(std::filesystem::exists(dir / "neu" / "tief" / "morawin.ini"));
    WriteText(dir / "datei", "x");
    settings.Load(dir / "datei" / "morawin.ini");
    EXPECT_FALSE(settings.Save());
}

TEST(IniFile, LfFilesStayLfAndMissingFinalNewlineIsKept)
{
    TempDir dir;
    WriteText(dir / "a.ini", "[A]\nk=1");
    CIniFile ini;
    ASSERT_TRUE(ini.Load(dir / "a.ini"));
    ini.SetString("A", "k", "2");
    EXPECT_EQ(ini.ToText(), "[A]\nk=2");
    ini.SetString("A", "n", "3");
    EXPECT_EQ(ini.ToText(), "[A]\nk=2\nn=3");
    ini.RemoveKey("a", "K");
    EXPECT_EQ(ini.ToText(), "[A]\nn=3");
}

class SettingsLocationTest : public ::testing::Test {
protected:
    TempDir m_dir;
    ScopedEnvironment m_base{test_system::SettingsBaseVariable(), platform::PathToUtf8(m_dir / "config")};
    const std::filesystem::path m_userFile = m_dir / "config" / test_system::SettingsFolderName() / "morawin.ini";
};

TEST_F(SettingsLocationTest, BesideTheProgramsOnlyWhenThatFileExists)
{
    const auto bin = m_dir / "my.app" / "bin";
    std::filesystem::create_directories(bin);
    // A writable program folder without the file: the per-user file, so
    // that running a program never puts a file beside it.
    EXPECT_EQ(settings_location::ForProgram(bin / "morawin"), m_userFile);
    EXPECT_FALSE(std::filesystem::exists(bin / "morawin.ini"));

    // A portable copy: the file beside the programs, for both of them. A
    // point in a folder name does not cut the path.
    WriteText(bin / "morawin.ini", "[Einstellungen]\r\n");
    EXPECT_EQ(settings_location::ForProgram(bin / "morawin"), bin / "morawin.ini");
    EXPECT_EQ(settings_location::ForProgram(bin / "morawin-cli"), bin / "morawin.ini");

    // A folder of that name is no settings file.
    const auto other = m_dir / "other";
    std::filesystem::create_directories(other / "morawin.ini");
    EXPECT_EQ(settings_location::ForProgram(other / "morawin"), m_userFile);
}

TEST_F(SettingsLocationTest, UserFileForABareProgramNameOrAMissingFolder)
{
    EXPECT_EQ(settings_location::ForProgram("morawin"), m_userFile);
    EXPECT_EQ(settings_location::ForProgram(m_dir / "fehlt" / "morawin"), m_userFile);
}

TEST_F(SettingsLocationTest, UserFileFollowsTheSystemsConvention)
{
    if (test_system::kWindows) {
        EXPECT_EQ(settings_location::UserConfigFile(), m_userFile);
        EXPECT_EQ(m_userFile.parent_path().filename(), "MoraWin");
        return;
    }
    // XDG: a relative XDG_CONFIG_HOME is ignored; without it, ~/.config.
    ScopedEnvironment home("HOME", platform::PathToUtf8(m_dir / "home"));
    ScopedEnvironment relative("XDG_CONFIG_HOME", "relativ");
    EXPECT_EQ(settings_location::UserConfigFile(), m_dir / "home" / ".config" / "morawin" / "morawin.ini");
    test_system::SetEnvironment("XDG_CONFIG_HOME", "");
    EXPECT_EQ(settings_location::UserConfigFile(), m_dir / "home" / ".config" / "morawin" / "morawin.ini");
}

TEST(SettingsLocation, ProgramFileIsTheRealPath)
{
    const auto program = settings_location::ProgramFile();
    EXPECT_TRUE(program.is_absolute());
    EXPECT_EQ(program.stem(), "data_tests");
}

} // namespace
