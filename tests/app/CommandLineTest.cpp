#include "app/startup/CommandLine.h"
#include "app/startup/ProjectArgument.h"
#include "data/platform/Platform.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TEST(CommandLine, FirstPlainArgumentIsTheProject)
{
    const auto line = CCommandLine::Parse({"/daten/projekt", "zweites", "drittes"});
    EXPECT_TRUE(line.Error.empty());
    EXPECT_EQ(line.ProjectArgument, "/daten/projekt");
    EXPECT_TRUE(line.FilesToOpen.empty());

    EXPECT_EQ(CCommandLine::Parse({}).ProjectArgument, "");
    // A sequence file there is still only a (useless) project argument.
    const auto seq = CCommandLine::Parse({"anlage.seq"});
    EXPECT_EQ(seq.ProjectArgument, "anlage.seq");
    EXPECT_TRUE(seq.FilesToOpen.empty());
    // Arguments arrive as UTF-8 text on every system.
    EXPECT_EQ(CCommandLine::Parse({"/daten/Ölmühle"}).ProjectArgument, platform::PathFromUtf8("/daten/Ölmühle"));
}

TEST(CommandLine, OpenOptionsAddSequenceFilesInOrder)
{
    const auto line = CCommandLine::Parse({"--open", "a.seq", "projekt", "--open=b c.seq", "--open", "-d.seq"});
    EXPECT_TRUE(line.Error.empty()) << line.Error;
    EXPECT_EQ(line.ProjectArgument, "projekt");
    ASSERT_EQ(line.FilesToOpen.size(), 3u);
    EXPECT_EQ(line.FilesToOpen[0], "a.seq");
    EXPECT_EQ(line.FilesToOpen[1], "b c.seq");
    // The value of --open is taken as it is, even with a leading dash.
    EXPECT_EQ(line.FilesToOpen[2], "-d.seq");

    // What the desktop file's "--open=%f" becomes without a file.
    const auto none = CCommandLine::Parse({"--open="});
    EXPECT_TRUE(none.Error.empty());
    EXPECT_TRUE(none.FilesToOpen.empty());
}

TEST(CommandLine, SettingsFileInEitherForm)
{
    EXPECT_EQ(CCommandLine::Parse({"--settings", "/tmp/a.ini", "projekt"}).SettingsFile, "/tmp/a.ini");
    const auto joined = CCommandLine::Parse({"--settings=b.ini", "--open", "x.seq"});
    EXPECT_EQ(joined.SettingsFile, "b.ini");
    EXPECT_EQ(joined.FilesToOpen.size(), 1u);
    EXPECT_NE(CCommandLine::Parse({"--settings"}).Error.find("--settings"), std::string::npos);
    EXPECT_TRUE(CCommandLine::Parse({}).SettingsFile.empty());
}

// The arguments arrive as UTF-8 on every system; on Windows a path made
// from them naively would read them in the ANSI code page.
TEST(CommandLine, FileNamesWithUmlautsStayAsTyped)
{
    const auto line = CCommandLine::Parse({"--open", "Zuordnung Ölmühle.seq", "--settings=Einstellungen für Ä.ini"});
    ASSERT_EQ(line.FilesToOpen.size(), 1u);
    EXPECT_EQ(platform::PathToUtf8(line.FilesToOpen[0]), "Zuordnung Ölmühle.seq");
    EXPECT_EQ(platform::PathToUtf8(line.SettingsFile), "Einstellungen für Ä.ini");
}

TEST(CommandLine, DoubleDashEndsOptionsAndASingleDashIsAName)
{
    EXPECT_EQ(CCommandLine::Parse({"--", "--open"}).ProjectArgument, "--open");
    EXPECT_EQ(CCommandLine::Parse({"-"}).ProjectArgument, "-");
}

TEST(CommandLine, HelpVersionAndErrors)
{
    EXPECT_TRUE(CCommandLine::Parse({"--help"}).ShowHelp);
    EXPECT_TRUE(CCommandLine::Parse({"-h"}).ShowHelp);
    EXPECT_TRUE(CCommandLine::Parse({"--version"}).ShowVersion);
    EXPECT_NE(CCommandLine::Parse({"--open"}).Error, "");
    EXPECT_NE(CCommandLine::Parse({"--oeffnen", "x"}).Error.find("--oeffnen"), std::string::npos);
    EXPECT_NE(CCommandLine::Usage().find("--open"), std::string::npos);
}

TEST(CommandLine, VersionAndHelpNameTheLicence)
{
    EXPECT_EQ(CCommandLine::VersionText(), "morawin " MORAWIN_VERSION "\n" MORAWIN_COPYRIGHT "\n"
                                           "Lizenz: MIT (freie Software, ohne jede Gewährleistung)\n");
    const std::string usage = CCommandLine::Usage();
    EXPECT_TRUE(usage.ends_with("MoraWin " MORAWIN_VERSION ", " MORAWIN_COPYRIGHT "\n"
                                "Freie Software unter der MIT-Lizenz, ohne jede Gewährleistung.\n"))
        << usage;
    // Where the desktop program keeps what Rückgängig takes back.
    EXPECT_NE(usage.find("Verlauf (Rückgängig, Wiederherstellen, Verlauf...): "
                         + platform::PathToUtf8(platform::UserStateFolder() / "history")),
              std::string::npos)
        << usage;
}

TEST(ProjectArgument, RelativePathsBecomeFullOnes)
{
    TempDir dir;
    fs::create_directories(dir / "projekte" / "p1");
    const fs::path saved = fs::current_path();
    fs::current_path(dir / "projekte");
    EXPECT_EQ(ResolveProjectArgument("p1"), dir / "projekte" / "p1");
    EXPECT_EQ(ResolveProjectArgument("./p1/"), dir / "projekte" / "p1");
    EXPECT_EQ(ResolveProjectArgument("../projekte/p1"), dir / "projekte" / "p1");
    fs::current_path(saved);
}

TEST(ProjectArgument, PatternsTakeTheFirstMatchInNameOrder)
{
    TempDir dir;
    for (const char* name : {"anlage_b", "anlage_a", "anlage_c", "zz", "x1", "x7"})
        fs::create_directories(dir / name);
    const fs::path mill = dir.Path() / platform::PathFromUtf8("Ölmühle 2");
    fs::create_directories(mill);
    EXPECT_EQ(ResolveProjectArgument(dir / "anlage_*"), dir / "anlage_a");
    EXPECT_EQ(ResolveProjectArgument(dir / "z?"), dir / "zz");
    EXPECT_EQ(ResolveProjectArgument(dir / "anlage_[bc]"), dir / "anlage_b");
    EXPECT_EQ(ResolveProjectArgument(dir / "anlage_[!ab]"), dir / "anlage_c");
    EXPECT_EQ(ResolveProjectArgument(dir / "x[2-9]"), dir / "x7");
    EXPECT_EQ(ResolveProjectArgument(dir.Path() / platform::PathFromUtf8("Ölm*")), mill);
    // The pattern is matched in every folder of the path.
    fs::create_directories(mill / "p3");
    EXPECT_EQ(ResolveProjectArgument(dir.Path() / platform::PathFromUtf8("Öl*") / "p[0-9]"), mill / "p3");
}

TEST(ProjectArgument, ExistingNamesWinOverPatternsAndUnknownTextStays)
{
    TempDir dir;
    fs::create_directories(dir / "p[1]");
    fs::create_directories(dir / "p1");
    EXPECT_EQ(ResolveProjectArgument(dir / "p[1]"), dir / "p[1]");
    const fs::path missing = dir / "fehlt*";
    EXPECT_EQ(ResolveProjectArgument(missing), missing);
    EXPECT_EQ(ResolveProjectArgument(dir / "p[1"), dir / "p[1");
    EXPECT_EQ(ResolveProjectArgument("gibt/es/nicht"), "gibt/es/nicht");
    EXPECT_EQ(ResolveProjectArgument(""), "");
}

} // namespace
