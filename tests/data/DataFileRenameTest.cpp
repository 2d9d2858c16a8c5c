#include "data/model/DataFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// A file list kept in a folder: its file holds its name. Counts what Rename
// asks of it and fails saves or loads on request.
class FolderFile : public CDataFile {
public:
    FolderFile(const TempDir& dir, std::string fileName, bool loaded)
        : CDataFile(nullptr, std::move(fileName)), dir(dir)
    {
        SetLoaded(loaded);
    }
    int GetType() const override { return 12; }
    std::filesystem::path GetFilePath() const override { return dir / GetFileName(); }
    bool Load() override
    {
        ++loads;
        SetLoaded(!failLoad);
        return !failLoad;
    }
    bool Save() override
    {
        ++saves;
        if (failSave)
            return false;
        WriteText(GetFilePath(), GetName());
        return true;
    }
    void RemoveAll() override
    {
        ++removeAlls;
        CDataFile::RemoveAll();
    }
    int GetColumnCount() const override { return 5; }
    int GetColumnWidth(int) const override { return 1; }
    std::string GetColumnHeaders() const override { return "Dummy"; }

    const TempDir& dir;
    bool failLoad = false;
    bool failSave = false;
    int loads = 0;
    int saves = 0;
    int removeAlls = 0;
};

std::string Content(const std::filesystem::path& file)
{
    const auto bytes = ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

TEST(DataFileRename, NewIdentifierWritesNewFileAndDeletesOld)
{
    TempDir dir;
    WriteText(dir / "GS01.731", "old");
    FolderFile file(dir, "GS01.731", true);
    EXPECT_TRUE(file.Rename("gs02", "Neu"));
    EXPECT_EQ(file.GetFileName(), "GS02.731");
    EXPECT_EQ(file.GetName(), "Neu");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS02.731"});
    EXPECT_EQ(Content(dir / "GS02.731"), "Neu");
}

TEST(DataFileRename, SameIdentifierOnlySaves)
{
    TempDir dir;
    WriteText(dir / "GS01.731", "old");
    FolderFile file(dir, "GS01.731", true);
    EXPECT_TRUE(file.Rename("GS01", "Anders"));
    EXPECT_EQ(file.saves, 1);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS01.731"});
    EXPECT_EQ(Content(dir / "GS01.731"), "Anders");
}

TEST(DataFileRename, FailedSaveKeepsOldNameAndFile)
{
    TempDir dir;
    WriteText(dir / "GS01.731", "old");
    FolderFile file(dir, "GS01.731", true);
    file.failSave = true;
    EXPECT_FALSE(file.Rename("GS02", "Neu"));
    EXPECT_EQ(file.GetFileName(), "GS01.731");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS01.731"});
    EXPECT_EQ(Content(dir / "GS01.731"), "old");
}

TEST(DataFileRename, ProvisionalNameDeletesNothingAndKeepsNewNameOnFailure)
{
    TempDir dir;
    WriteText(dir / "G.731", "someone else's");
    FolderFile file(dir, "G.731", true);
    file.failSave = true;
    EXPECT_FALSE(file.Rename("GS03", "Neu"));
    EXPECT_EQ(file.GetFileName(), "GS03.731");
    file.failSave = false;
    EXPECT_TRUE(file.Rename("GS03", "Neu"));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"G.731", "GS03.731"}));
}

TEST(DataFileRename, UnloadedListIsLoadedAndEmptiedAgain)
{
    TempDir dir;
    FolderFile file(dir, "GS01.731", false);
    EXPECT_TRUE(file.Rename("GS01", "x"));
    EXPECT_EQ(file.loads, 1);
    EXPECT_EQ(file.removeAlls, 1);
    EXPECT_FALSE(file.IsLoaded());
}

TEST(DataFileRename, ListThatCannotBeLoadedIsNotSavedOrDeleted)
{
    TempDir dir;
    WriteText(dir / "GS01.731", "unreadable");
    FolderFile file(dir, "GS01.731", false);
    file.failLoad = true;
    EXPECT_FALSE(file.Rename("GS02", "x"));
    EXPECT_EQ(file.saves, 0);
    EXPECT_EQ(file.GetFileName(), "GS01.731");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS01.731"});
}

} // namespace
