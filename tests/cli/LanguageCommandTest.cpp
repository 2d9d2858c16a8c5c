#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class LanguageCommandTest : public ::testing::Test {
protected:
    // A fresh project for each run, so that every run converts the same.
    CliResult Convert(std::vector<std::string> extra)
    {
        const std::filesystem::path project = m_dir / ("projekt" + std::to_string(++m_runs));
        std::filesystem::create_directories(project);
        WriteDataFile(project, "P1");
        WriteText(m_dir / "anlage.seq", "\tE 12.3\tZu\tx\n\tE 12.1\tAuf\ty\n");
        std::vector<std::string> args{"convert", (m_dir / "anlage.seq").string(), project.string(), "--all"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    }

    TempDir m_dir;
    int m_runs = 0;
    // The user's own settings file, which names the language when no option does.
    ScopedEnvironment m_settingsBase{test_system::SettingsBaseVariable(), (m_dir / "config").string()};
    std::filesystem::path m_userSettings = m_dir / "config" / test_system::SettingsFolderName() / "morawin.ini";
};

TEST_F(LanguageCommandTest, TheOptionOrTheSettingsChooseTheLanguageOfTheMessages)
{
    const std::string german = "Alle Operanden wurden erfolgreich konvertiert.\n";
    const std::string english = "All operands were converted successfully.\n";
    EXPECT_EQ(Convert({}).out, german);
    EXPECT_EQ(Convert({"--language", "en"}).out, english);

    std::filesystem::create_directories(m_userSettings.parent_path());
    WriteText(m_userSettings, "[Settings]\r\nLanguage=en\r\n");
    EXPECT_EQ(Convert({}).out, english);
    EXPECT_EQ(Convert({"--language", "de"}).out, german);
    // Before the command as well as after it.
    std::vector<std::string> before{"--language", "de", "convert", (m_dir / "anlage.seq").string(),
                                    (m_dir / "projekt1").string(), "--all", "--dry-run"};
    EXPECT_EQ(RunCli(before).out, german);

    const CliResult refused = Convert({"--language", "fr"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("--language"), std::string::npos) << refused.err;
}

TEST_F(LanguageCommandTest, JsonAndExitCodesAreTheSameInEveryLanguage)
{
    const CliResult german = Convert({"--json"});
    const CliResult english = Convert({"--json", "--language", "en"});
    ASSERT_EQ(german.exitCode, 0) << german.err;
    EXPECT_EQ(english.exitCode, german.exitCode);
    EXPECT_EQ(english.out, german.out);
    EXPECT_NE(german.out.find("\"group\":\"S01\""), std::string::npos) << german.out;
}

} // namespace
