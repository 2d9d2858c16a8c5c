#include "app/frames/RecentFileList.h"
#include "data/settings/IniFile.h"
#include "data/platform/Platform.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndAtMostFour)
{
    CRecentFileList list;
    for (const char* name : {"/a.seq", "/b.seq", "/c.seq", "/d.seq"})
        list.Add(name);
    list.Add("/x/../b.seq");
    ASSERT_EQ(list.GetFiles().size(), 4u);
    EXPECT_EQ(list.GetFiles()[0], "/b.seq");
    EXPECT_EQ(list.GetFiles()[1], "/d.seq");
    list.Add("/e.seq");
    EXPECT_EQ(list.GetFiles(), (std::vector<fs::path>{"/e.seq", "/b.seq", "/d.seq", "/c.seq"}));
    list.Remove(1);
    list.Remove(9);
    EXPECT_EQ(list.GetFiles(), (std::vector<fs::path>{"/e.seq", "/d.seq", "/c.seq"}));
}

TEST(RecentFileList, SavedInItsOwnSectionLeavingTheRestOfTheFile)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "the test's file names are POSIX paths";
    TempDir dir;
    const fs::path ini = dir / "morawin.ini";
    std::ofstream(ini, std::ios::binary) << "; Einstellungen\r\n[Configuration]\r\nMaxLists=7\r\n"
                                            "[Recent File List]\r\nFile1=/alt1.seq\r\nFile2=/alt2.seq\r\n"
                                            "File3=/alt3.seq\r\nFile4=/alt4.seq\r\n[Help]\r\nFile Name=hilfe.htm\r\n";
    CRecentFileList list;
    list.LoadFrom(ini);
    EXPECT_EQ(list.GetFiles().size(), 4u);
    list.Remove(3);
    list.Remove(2);
    list.Add("/neu/Ärger & Co.seq");
    ASSERT_TRUE(list.SaveTo(ini));

    EXPECT_EQ(ReadText(ini), "; Einstellungen\r\n[Configuration]\r\nMaxLists=7\r\n"
                             "[Recent File List]\r\nFile1=/neu/Ärger & Co.seq\r\nFile2=/alt1.seq\r\n"
                             "File3=/alt2.seq\r\n[Help]\r\nFile Name=hilfe.htm\r\n");
    CRecentFileList again;
    again.LoadFrom(ini);
    EXPECT_EQ(again.GetFiles(), list.GetFiles());
}

// The settings file holds the names as UTF-8 on every system, and they come
// back unchanged after a restart.
TEST(RecentFileList, NamesWithUmlautsSurviveTheSettingsFile)
{
    TempDir dir;
    const fs::path ini = dir / "morawin.ini";
    const fs::path file = dir.Path() / platform::PathFromUtf8("Linie Süd") / platform::PathFromUtf8("Ölmühle.seq");
    CRecentFileList list;
    list.Add(file);
    ASSERT_TRUE(list.SaveTo(ini));
    EXPECT_NE(ReadText(ini).find("File1=" + platform::PathToUtf8(file) + "\r\n"), std::string::npos) << ReadText(ini);
    EXPECT_NE(ReadText(ini).find("Linie S\xC3\xBC" "d"), std::string::npos);

    CRecentFileList again;
    again.LoadFrom(ini);
    EXPECT_EQ(again.GetFiles(), (std::vector<fs::path>{file}));
}

TEST(RecentFileList, MissingFileGivesAnEmptyListAndEmptyKeysAreSkipped)
{
    TempDir dir;
    CRecentFileList list;
    list.LoadFrom(dir / "fehlt.ini");
    EXPECT_TRUE(list.GetFiles().empty());

    CIniFile ini;
    ini.SetString(CRecentFileList::kSection, "File1", "");
    ini.SetString(CRecentFileList::kSection, "File3", "/drei.seq");
    ini.SetString(CRecentFileList::kSection, "File9", "/neun.seq");
    list.Load(ini);
    EXPECT_EQ(list.GetFiles(), (std::vector<fs::path>{"/drei.seq"}));
}

// Two programs on one settings file: the one that ends last keeps what the
// other stored, behind the files it opened itself.
TEST(RecentFileList, TheProgramEndingLastMergesWhatTheOtherStored)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "the test's file names are POSIX paths";
    TempDir dir;
    const fs::path ini = dir / "morawin.ini";
    std::ofstream(ini, std::ios::binary) << "[Recent File List]\r\nFile1=/alt.seq\r\nFile2=/weg.seq\r\n";
    CRecentFileList first;
    CRecentFileList second;
    first.LoadFrom(ini);
    second.LoadFrom(ini);
    first.Remove(1); // "/weg.seq" could not be opened
    first.Add("/eins.seq");
    for (const char* name : {"/b1.seq", "/b2.seq", "/b3.seq"})
        second.Add(name);
    ASSERT_TRUE(second.SaveTo(ini));
    ASSERT_TRUE(first.SaveTo(ini));

    CRecentFileList again;
    again.LoadFrom(ini);
    EXPECT_EQ(again.GetFiles(), (std::vector<fs::path>{"/eins.seq", "/b3.seq", "/b2.seq", "/b1.seq"}));
}

// A path as the system spells it: Windows names paths with a drive and
// backslashes, other systems with slashes.
std::string Spelled(std::string path)
{
    if (test_system::kWindows) {
        std::replace(path.begin(), path.end(), '/', '\\');
        if (path.starts_with('\\'))
            path.insert(0, "C:");
    }
    return path;
}

std::string Label(std::size_t index, const std::string& path)
{
    return CRecentFileList::MenuLabel(index, platform::PathFromUtf8(path));
}

std::string Abbreviated(const std::string& path, std::size_t maxLength)
{
    return CRecentFileList::Abbreviate(platform::PathFromUtf8(Spelled(path)), maxLength);
}

TEST(RecentFileList, MenuLabelsAreNumberedShortenedAndEscaped)
{
    EXPECT_EQ(Label(0, Spelled("/daten/anlage.seq")), "&1 " + Spelled("/daten/anlage.seq"));
    EXPECT_EQ(Label(3, Spelled("/a/R&D.seq")), "&4 " + Spelled("/a/R&&D.seq"));
    EXPECT_EQ(Abbreviated("/home/anwender/projekte/linie3/mischer/anlage.seq", 40),
              Spelled("/home/.../linie3/mischer/anlage.seq"));
    // The file name is never cut, even when it alone is too long.
    const std::string longName = "/abc/def/ghi/eine_sehr_lange_zuordnungsliste_fuer_linie_3.seq";
    EXPECT_EQ(Abbreviated(longName, 40), Spelled("/abc/.../eine_sehr_lange_zuordnungsliste_fuer_linie_3.seq"));
    EXPECT_EQ(Abbreviated("relativ/anlage.seq", 5), Spelled("relativ/anlage.seq"));
    EXPECT_EQ(Abbreviated("/kurz.seq", 40), Spelled("/kurz.seq"));
}

TEST(RecentFileList, MenuLabelsSpellUmlautsAndSeparatorsAsTheSystemDoes)
{
    EXPECT_EQ(Label(0, Spelled("/Projekte/Mühle/Mischanlage Süd.seq")),
              "&1 " + Spelled("/Projekte/Mühle/Mischanlage Süd.seq"));
    EXPECT_EQ(Label(1, Spelled("/Projekte/Linie 3/Mühle/Förderung/Übergabestation.seq")),
              "&2 " + Spelled("/Projekte/.../Übergabestation.seq"));
    if (test_system::kWindows) { // the slash is a separator there as well
        EXPECT_EQ(Label(0, "C:/Projekte/Mühle/Süd.seq"), "&1 C:\\Projekte\\Mühle\\Süd.seq");
    }
}

// The label is the path's own characters, with the system's separators,
// until the menu shows it: no narrow text in between that a Windows code
// page could garble.
TEST(RecentFileList, MenuLabelKeepsUmlautsAndTheSystemsSeparators)
{
    const auto utf8 = [](const fs::path& path) { return platform::PathToUtf8(path); };
    const fs::path name = platform::PathFromUtf8("Größe & Söhne.seq");
    EXPECT_EQ(CRecentFileList::MenuLabel(1, fs::path("daten") / name),
              "&2 " + utf8(fs::path("daten") / platform::PathFromUtf8("Größe && Söhne.seq")));
    const fs::path deep = fs::path("a") / "bbbbbbbbbb" / "cccccccccc" / "dddddddddd" / name;
    EXPECT_EQ(CRecentFileList::Abbreviate(deep, 40), utf8(fs::path("a") / "..." / "dddddddddd" / name));
}

} // namespace
