// A group file that another program changed since this program read it is
// never overwritten, renamed away or deleted.
#include "data/records/FileException.h"
#include "tests/panel/ProjectFixture.h"

namespace {

class GroupChangedOnDiskTest : public ProjectFixture {
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        WriteBytes(dir / "GS01.731", WorkedExampleGroup());
        folder->Load();
        group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
        ASSERT_NE(group, nullptr);
    }

    // What another program writes: the worked example with a second list
    // 009 of outputs.
    static Bytes OtherProgramsGroup()
    {
        return GroupBytes("P1", "S01", "Test", 2)
            .List("001", "L", 1, 1).BitBlock(12, 2).Text(1, 0, "Auf").Text(3, 0, "Zu").EndList()
            .List("009", "Fremd", 2, 1).BitBlock(4, 1).Text(0, 0, "Ventil").EndList()
            .Bytes();
    }

    // The other program changes one byte of the text "Zu" (same size).
    Bytes ChangeOneByte()
    {
        Bytes other = WorkedExampleGroup();
        other[95] = 'a'; // "Za"
        WriteBytes(dir / "GS01.731", other);
        return other;
    }

    void ExpectChanged(const CDataFile& file)
    {
        ASSERT_TRUE(file.GetLastError().has_value());
        EXPECT_EQ(file.GetLastError()->GetCause(), CFileException::Cause::changedOnDisk);
        EXPECT_TRUE(file.ChangedOnDisk());
    }

    CStepChainGroup* group = nullptr;
};

TEST_F(GroupChangedOnDiskTest, SaveOverAChangedFileWritesNothingUntilTheGroupIsReadAgain)
{
    ASSERT_TRUE(group->Load());
    AddText(group->GetList(0), 12, 5, "Mitte");
    for (const Bytes& other : {ChangeOneByte(), OtherProgramsGroup()}) {
        WriteBytes(dir / "GS01.731", other);
        EXPECT_FALSE(group->Save());
        ExpectChanged(*group);
        EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
        EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
    }
    // Read again, the group holds the other program's list and saves.
    ASSERT_TRUE(group->Load());
    ASSERT_EQ(group->GetCount(), 2);
    AddText(group->GetList(0), 12, 5, "Mitte");
    ASSERT_TRUE(group->Save());
    EXPECT_FALSE(group->GetLastError().has_value());
    const auto reread = Reload("GS01.731");
    ASSERT_NE(reread->FindList("009"), nullptr);
    EXPECT_EQ(reread->FindList("009")->GetText(0)->GetText(), "Ventil");
    EXPECT_EQ(reread->FindList("001")->GetCount(), 3);
}

TEST_F(GroupChangedOnDiskTest, UnchangedFileIsSavedAgainAndAgain)
{
    ASSERT_TRUE(group->Load());
    for (int bit = 4; bit < 7; ++bit) {
        AddText(group->GetList(0), 12, static_cast<std::uint8_t>(bit), "T");
        ASSERT_TRUE(group->Save()) << bit; // each save remembers what it wrote
    }
    EXPECT_EQ(Reload("GS01.731")->GetList(0)->GetCount(), 5);
}

TEST_F(GroupChangedOnDiskTest, NewGroupIsNotWrittenOverAFileCreatedMeanwhileInAnyCase)
{
    auto fresh = std::make_unique<CStepChainGroup>(folder);
    WriteBytes(dir / "gs02.731", GroupBytes("P1", "S02", "Fremd", 0).Bytes());
    EXPECT_FALSE(fresh->Rename("GS02", "Neu"));
    ExpectChanged(*fresh);
    EXPECT_EQ(ReadBytes(dir / "gs02.731"), GroupBytes("P1", "S02", "Fremd", 0).Bytes());
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "SDAT.731", "gs02.731"}));

    auto other = std::make_unique<CStepChainGroup>(folder);
    EXPECT_TRUE(other->Rename("GS03", "Neu"));
    EXPECT_TRUE(std::filesystem::exists(dir / "GS03.731"));
}

TEST_F(GroupChangedOnDiskTest, DeleteKeepsAChangedFileAndRemovesAnUnchangedOne)
{
    // Read whole, and only by its header (as the folder lists it).
    ASSERT_TRUE(group->Load());
    const Bytes other = ChangeOneByte();
    EXPECT_FALSE(group->DeleteFile());
    ExpectChanged(*group);
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);

    folder->Load();
    group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    WriteBytes(dir / "GS01.731", OtherProgramsGroup());
    folder->Remove(group); // the entry goes, the changed file stays
    EXPECT_EQ(folder->GetCount(), 0);
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), OtherProgramsGroup());

    folder->Load();
    group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    EXPECT_TRUE(group->DeleteFile());
    EXPECT_EQ(dir.List(), std::vector<std::string>{"SDAT.731"});
}

TEST_F(GroupChangedOnDiskTest, RenameLeavesAChangedFileWhereItIsAndWritesNoNewOne)
{
    ASSERT_TRUE(group->Load());
    const Bytes other = ChangeOneByte();
    EXPECT_FALSE(group->Rename("GS07", "Neu"));
    ExpectChanged(*group);
    EXPECT_EQ(group->GetFileName(), "GS01.731");
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);

    // The new name taken meanwhile by another program's file.
    ASSERT_TRUE(group->Load());
    WriteBytes(dir / "GS07.731", GroupBytes("P1", "S07", "Fremd", 0).Bytes());
    EXPECT_FALSE(group->Rename("GS07", "Neu"));
    ExpectChanged(*group);
    EXPECT_EQ(ReadBytes(dir / "GS07.731"), GroupBytes("P1", "S07", "Fremd", 0).Bytes());
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);

    // Unchanged: the file moves.
    std::filesystem::remove(dir / "GS07.731");
    ASSERT_TRUE(group->Rename("GS07", "Neu"));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS07.731", "SDAT.731"}));
}

} // namespace
