#include "app/ProjectFolder.h"
#include "data/Charset.h"
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

} // namespace
