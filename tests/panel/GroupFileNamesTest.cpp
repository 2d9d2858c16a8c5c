// Group identifiers beyond ASCII: the model keeps them as Windows-1252
// bytes, the file system holds their names as the system spells them
// (UTF-8 on POSIX systems, UTF-16 on Windows).
#include "data/platform/Platform.h"
#include "tests/panel/ProjectFixture.h"
#include "tests/support/TestSystem.h"

#include <algorithm>

namespace {

namespace fs = std::filesystem;

// "ä€1" in Windows-1252, and the group file's name as the user reads it.
const std::string kId = "\xE4\x80" "1";
const fs::path kFile = platform::PathFromUtf8("Gä€1.731");

// The names in the folder, as paths: no text conversion in between.
std::vector<fs::path> FileNames(const fs::path& folder)
{
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class GroupFileNames : public ProjectFixture {};

TEST_F(GroupFileNames, NewGroupIsWrittenInTheSystemsSpellingAndFoundAgain)
{
    CStepChainGroup* group = NewGroup(kId, "Umlaute");
    EXPECT_EQ(group->GetFileName(), "G" + kId + ".731");
    EXPECT_EQ(FileNames(dir.Path()), (std::vector<fs::path>{kFile, "SDAT.731"}));

    OpenProject();
    ASSERT_EQ(folder->GetCount(), 1);
    CStepChainGroup* found = folder->FindGroup(kId);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetFileName(), "G" + kId + ".731");
    EXPECT_EQ(found->GetGroupId(), kId);
    EXPECT_EQ(found->GetName(), "Umlaute");
    EXPECT_EQ(found->GetFilePath(), dir.Path() / kFile);
    EXPECT_TRUE(found->Load());
}

TEST_F(GroupFileNames, RenameToAndFromSuchAnIdentifierMovesTheFile)
{
    NewGroup("S01", "Alt");
    OpenProject();
    ASSERT_TRUE(folder->GetFile(0)->Rename("G" + kId, "Neu"));
    EXPECT_EQ(FileNames(dir.Path()), (std::vector<fs::path>{kFile, "SDAT.731"}));

    OpenProject();
    CStepChainGroup* group = folder->FindGroup(kId);
    ASSERT_NE(group, nullptr);
    ASSERT_TRUE(group->Rename("GS02", "Wieder"));
    EXPECT_EQ(FileNames(dir.Path()), (std::vector<fs::path>{"GS02.731", "SDAT.731"}));
}

// A name that no Windows-1252 text spells cannot be a group of the panel's:
// the folder passes it by and lists the others.
TEST_F(GroupFileNames, NamesWithoutAWindows1252FormAreLeftOut)
{
    NewGroup("S01", "Gruppe");
    const Bytes group = GroupBytes("P1", "\xE4\x80" "2", "Fremd", 0).Bytes();
    WriteBytes(dir.Path() / platform::PathFromUtf8("G日本.731"), group);
    if (!test_system::kWindows) // a name of raw Windows-1252 bytes, not UTF-8
        WriteBytes(dir.Path() / fs::path("G\xE4\x80" "2.731"), group);
    OpenProject();
    ASSERT_EQ(folder->GetCount(), 1);
    EXPECT_EQ(folder->GetFile(0)->GetFileName(), "GS01.731");
    EXPECT_EQ(folder->FindGroup("\xE4\x80" "2"), nullptr);
}

} // namespace
