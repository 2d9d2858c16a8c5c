#include "app/dialogs/ProjectFolder.h"
#include "data/text/Charset.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(ProjectFolder, ValidProjectGivesItsName)
{
    TempDir dir;
    WriteDataFile(dir.Path(), charset::Utf8ToCp1252("Mühle 3"));
    std::string name = "alt";
    EXPECT_TRUE(IsProjectFolder(dir.Path(), name));
    EXPECT_EQ(name, charset::Utf8ToCp1252("Mühle 3"));
    // With a trailing separator too, and with the second extension.
    TempDir sys;
    WriteDataFile(sys.Path(), "Anlage", "SYS");
    EXPECT_TRUE(IsProjectFolder(sys.Path().string() + "/", name));
    EXPECT_EQ(name, "Anlage");
}

TEST(ProjectFolder, AnythingElseIsNoProjectAndEmptiesTheName)
{
    TempDir dir;
    std::string name = "alt";
    EXPECT_FALSE(IsProjectFolder(dir.Path(), name));
    EXPECT_EQ(name, "");
    name = "alt";
    EXPECT_FALSE(IsProjectFolder(dir / "fehlt", name));
    EXPECT_EQ(name, "");
    WriteDataFile(dir.Path(), "Falsch", "731", 0);
    EXPECT_FALSE(IsProjectFolder(dir.Path(), name));
    WriteText(dir / "datei.seq", "\tE 1.0\tX\n");
    EXPECT_FALSE(IsProjectFolder(dir / "datei.seq", name));
}

TEST(ProjectFolder, EachRefusalSaysWhyInTheWordsOfTheChooser)
{
    TempDir dir;
    std::string name;
    std::string reason;
    const auto why = [&](const std::filesystem::path& folder) {
        EXPECT_FALSE(IsProjectFolder(folder, name, reason)) << folder;
        return reason;
    };
    EXPECT_EQ(why(dir / "fehlt"), "Kein RZ731-Projekt: Verzeichnis nicht gefunden");
    EXPECT_EQ(why(dir.Path()), "Kein RZ731-Projekt: keine Projektdatei (SDAT.731 oder SDAT.SYS)");

    TempDir cut;
    WriteText(cut / "SDAT.731", std::string("\x01\x00", 2));
    EXPECT_EQ(why(cut.Path()), "Kein RZ731-Projekt: Kopf der Projektdatei unvollständig (SDAT.731)");

    TempDir kind;
    WriteDataFile(kind.Path(), "Falsch", "SYS", 7);
    EXPECT_EQ(why(kind.Path()), "Kein RZ731-Projekt: SDAT.SYS ist keine Projektdatei (falsche Art)");

    TempDir unnamed;
    WriteDataFile(unnamed.Path(), std::string(90, 'x'));
    EXPECT_EQ(why(unnamed.Path()), "Kein RZ731-Projekt: Länge des Projektnamens im Kopf von SDAT.731 ungültig");

    TempDir folderInstead;
    std::filesystem::create_directories(folderInstead / "SDAT.731");
    EXPECT_EQ(why(folderInstead.Path()), "Kein RZ731-Projekt: Projektdatei SDAT.731 nicht lesbar");

    // A project has no reason, and its name.
    TempDir valid;
    WriteDataFile(valid.Path(), "Anlage");
    reason = "alt";
    EXPECT_TRUE(IsProjectFolder(valid.Path(), name, reason));
    EXPECT_EQ(reason, "");
    EXPECT_EQ(name, "Anlage");
}

} // namespace
