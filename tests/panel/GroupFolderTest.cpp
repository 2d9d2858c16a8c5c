#include "data/records/FileException.h"
#include "tests/panel/ProjectFixture.h"

#include <cerrno>

namespace {

class GroupFolderTest : public ProjectFixture {
protected:
    // A group file written by hand: header and no lists.
    void WriteGroup(const std::string& fileName, const std::string& id, const std::string& designation = "")
    {
        WriteBytes(dir / fileName, GroupBytes("P1", id, designation, 0).Bytes());
    }

    std::vector<std::string> FileNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < folder->GetCount(); ++i)
            names.push_back(folder->GetFile(i)->GetFileName());
        return names;
    }
};

TEST_F(GroupFolderTest, ListsGroupFilesOfEightCharactersWhateverTheirCase)
{
    WriteGroup("GS02.731", "S02", "Zwei");
    WriteGroup("gs01.731", "S01", "Eins");
    WriteGroup("G1.731", "1");                     // 6 characters
    WriteGroup("GS003.731", "S00");                // 9 characters
    WriteGroup("GS04.SYS", "S04");                 // other extension
    WriteGroup("XS05.731", "S05");                 // does not start with G
    WriteGroup("GS06.731", "S07");                 // identifier does not match
    WriteBytes(dir / "GS08.731", Bytes{1, 2, 3});  // no group file
    std::filesystem::create_directory(dir / "GS09.731");
    folder->Load();
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"GS01.731", "GS02.731"}));
    EXPECT_EQ(folder->GetFile(0)->GetName(), "Eins");
    EXPECT_EQ(folder->GetColumnText(4), "86");
    EXPECT_EQ(folder->GetColumnText(1), "G*");
    EXPECT_EQ(folder->GetColumnText(3), project->GetDateText());
}

TEST_F(GroupFolderTest, ProjectWithoutGroupsHasAnEmptyFolderAsItsOnlyEntry)
{
    EXPECT_EQ(project->GetCount(), 1);
    EXPECT_EQ(folder->GetType(), 3);
    EXPECT_EQ(folder->GetCount(), 0);
    project->RemoveAll();
    EXPECT_FALSE(project->IsLoaded());
    EXPECT_EQ(project->GetGroupFolder(), nullptr);
    WriteGroup("GS01.731", "S01");
    project->Load();
    ASSERT_NE(project->GetGroupFolder(), nullptr);
    EXPECT_EQ(project->GetGroupFolder()->GetCount(), 1);
}

TEST_F(GroupFolderTest, FindEntryIgnoresCase)
{
    WriteGroup("G001.731", "001");
    WriteGroup("gab1.731", "AB1");
    folder->Load();
    ASSERT_NE(folder->FindEntry("g001"), nullptr);
    EXPECT_EQ(folder->FindEntry("g001")->GetFileName(), "G001.731");
    ASSERT_NE(folder->FindEntry("GAB1"), nullptr);
    EXPECT_EQ(folder->FindEntry("Gab1")->GetFileName(), "GAB1.731");
    EXPECT_EQ(folder->FindEntry("G002"), nullptr);
}

TEST_F(GroupFolderTest, GroupFoundInLowerCaseIsSavedToTheSameFile)
{
    WriteGroup("gs01.731", "S01", "Alt");
    folder->Load();
    auto* group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    ASSERT_NE(group, nullptr);
    ASSERT_TRUE(group->Load());
    AddList(group, "001", 4, "Zeiten");
    ASSERT_TRUE(group->Save());
    // Renaming to its own identifier rewrites the same file as well.
    ASSERT_TRUE(group->Rename("gs01", "Neu"));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"SDAT.731", "gs01.731"}));
    folder->Load();
    ASSERT_EQ(folder->GetCount(), 1);
    EXPECT_EQ(folder->GetFile(0)->GetName(), "Neu");
}

TEST_F(GroupFolderTest, NewGroupTakesTheNameOfAFileThatDiffersOnlyInCase)
{
    // Replacing the group read from that file.
    WriteGroup("gs01.731", "S01", "Alt");
    folder->Load();
    auto* old = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    ASSERT_TRUE(old->Load());
    auto replacing = std::make_unique<CStepChainGroup>(folder);
    replacing->SetDiskStamp(old->GetDiskStamp());
    ASSERT_TRUE(replacing->Rename("GS01", "Ersetzt"));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"SDAT.731", "gs01.731"}));
    EXPECT_EQ(Reload("GS01.731")->GetName(), "Ersetzt");

    // A file the program never read is not written over.
    WriteGroup("gs02.731", "S02", "Alt");
    auto fresh = std::make_unique<CStepChainGroup>(folder);
    EXPECT_FALSE(fresh->Rename("GS02", "Neu"));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"SDAT.731", "gs01.731", "gs02.731"}));
    EXPECT_EQ(Reload("GS02.731")->GetName(), "Alt");
}

TEST_F(GroupFolderTest, RemoveDeletesTheFileUnderItsDiskName)
{
    WriteGroup("gs01.731", "S01");
    WriteGroup("GS02.731", "S02");
    folder->Load();
    folder->Remove(folder->FindEntry("GS01"));
    EXPECT_EQ(FileNames(), std::vector<std::string>{"GS02.731"});
    EXPECT_EQ(folder->GetColumnText(4), "43");
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS02.731", "SDAT.731"}));
}

TEST_F(GroupFolderTest, FailedDeleteLeavesTheFileButRemovesTheEntry)
{
    WriteGroup("GS01.731", "S01");
    folder->Load();
    CDataFile* entry = folder->FindEntry("GS01");
    ASSERT_NE(entry, nullptr);
    // Deleting fails when the name is taken by a folder that is not empty.
    std::filesystem::remove(dir / "GS01.731");
    std::filesystem::create_directory(dir / "GS01.731");
    WriteText(dir / "GS01.731" / "inhalt", "x");
    folder->Remove(entry);
    EXPECT_EQ(folder->GetCount(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "GS01.731" / "inhalt"));
}

TEST_F(GroupFolderTest, RemoveOfAnEntryOfAnotherFolderDeletesNothing)
{
    WriteGroup("GS01.731", "S01");
    folder->Load();
    CStepChainGroup stranger(folder, "GS01.731");
    folder->Remove(&stranger);
    EXPECT_EQ(folder->GetCount(), 1);
    EXPECT_TRUE(std::filesystem::exists(dir / "GS01.731"));
}

TEST_F(GroupFolderTest, RenameWritesTheNewFileAndDeletesTheOld)
{
    CStepChainGroup* group = NewGroup("S01", "Erst");
    AddText(AddList(group, "001", 1, "L"), 12, 1, "Auf");
    ASSERT_TRUE(group->Save());
    ASSERT_TRUE(group->Rename("gs02", "Zweit"));
    EXPECT_EQ(group->GetFileName(), "GS02.731");
    EXPECT_EQ(group->GetGroupId(), "S02");
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS02.731", "SDAT.731"}));
    const auto reloaded = Reload("GS02.731");
    EXPECT_EQ(reloaded->GetName(), "Zweit");
    EXPECT_EQ(reloaded->GetList(0)->GetText(0)->GetText(), "Auf");
}

TEST_F(GroupFolderTest, RenameOfAnUnloadedGroupLoadsSavesAndEmptiesIt)
{
    WriteBytes(dir / "GS01.731", WorkedExampleGroup());
    folder->Load();
    auto* group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    ASSERT_FALSE(group->IsLoaded());
    ASSERT_TRUE(group->Rename("GS03", "Test"));
    EXPECT_FALSE(group->IsLoaded());
    EXPECT_EQ(group->GetCount(), 0);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS03.731", "SDAT.731"}));
    // The content moved with it: only the identifier in the header changed.
    Bytes expected = WorkedExampleGroup();
    expected[8] = '3';
    EXPECT_EQ(ReadBytes(dir / "GS03.731"), expected);
}

TEST_F(GroupFolderTest, RenameWithAFailingSaveKeepsTheOldNameAndFile)
{
    WriteBytes(dir / "GS01.731", WorkedExampleGroup());
    folder->Load();
    auto* group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::write ? ENOSPC : 0; });
    EXPECT_FALSE(group->Rename("GS02", "Neu"));
    EXPECT_EQ(group->GetFileName(), "GS01.731");
    EXPECT_EQ(group->GetLastError()->GetOsError(), ENOSPC);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), WorkedExampleGroup());
}

TEST_F(GroupFolderTest, RenameOfAnUnreadableGroupDeletesNothing)
{
    Bytes broken = WorkedExampleGroup();
    broken.resize(60);
    WriteBytes(dir / "GS01.731", broken);
    folder->Load();
    auto* group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(group->Rename("GS02", "Neu"));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), broken);
}

TEST_F(GroupFolderTest, FirstRenameOfANewGroupWritesItsFileOnly)
{
    CStepChainGroup* group = NewGroup("s05", "Neu");
    EXPECT_EQ(group->GetFileName(), "GS05.731");
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS05.731", "SDAT.731"}));
    folder->Load();
    EXPECT_EQ(FileNames(), std::vector<std::string>{"GS05.731"});
}

TEST_F(GroupFolderTest, SavedGroupTakesItsNewSizeAndTheFolderItsTotal)
{
    CStepChainGroup* group = NewGroup("S01", "Test");
    EXPECT_EQ(folder->GetColumnText(4), "43");
    AddText(AddList(group, "001", 1, "L"), 12, 1, "Auf");
    ASSERT_TRUE(group->Save());
    EXPECT_EQ(group->GetSize(), static_cast<int>(group->ComputeSize()));
    EXPECT_EQ(folder->GetColumnText(4), std::to_string(group->GetSize()));
}

TEST_F(GroupFolderTest, GroupsAreSortedByIdentifierIgnoringCase)
{
    NewGroup("S02", "");
    NewGroup("A01", "");
    NewGroup("S01", "");
    folder->OnEntryChanged(nullptr);
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"GA01.731", "GS01.731", "GS02.731"}));
}

} // namespace
