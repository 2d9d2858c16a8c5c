#include "data/records/RecordStream.h"
#include "data/sequence/SequenceEntry.h"
#include "tests/panel/ProjectFixture.h"

#include <filesystem>

namespace {

// The conversion prices what it writes with the format's sizes; they must
// be what the group file really takes, or a batch priced to fit would not.
class GroupFileSizes : public ProjectFixture, public ::testing::WithParamInterface<std::size_t> {
protected:
    void SetUp() override { OpenProject(std::string(GetParam(), 'N')); }

    static std::size_t TextBytes(const std::string& text)
    {
        return record::StoredLength(text) + CStepChainText::kRecordOverhead;
    }
};

TEST_P(GroupFileSizes, FileSizeIsTheSumOfTheFormatsSizes)
{
    const std::size_t header = CStepChainGroup::HeaderSize(GetParam());
    CStepChainGroup* group = NewGroup("S01", "Gruppe");
    AddList(group, "001", kKindInput, "Eing\xE4nge");
    ASSERT_TRUE(group->Save());
    // What the conversion charges a new group for its header and first list.
    EXPECT_EQ(std::filesystem::file_size(dir / "GS01.731"), header + CStepChainList::kEmptyRecordSize);

    CStepChainList* inputs = group->GetList(0);
    AddText(inputs, 1, 0, "Auf");
    AddText(inputs, 1, 3, "Wert @12 bar");
    AddText(inputs, 2, 0, "");
    CStepChainList* timers = AddList(group, "002", kKindTimer, "Zeiten");
    AddText(timers, 5, 0, "T f\xFCnf");
    AddText(timers, 6, 0, "@7");
    ASSERT_TRUE(group->Save());
    const std::size_t predicted = header + 2 * CStepChainList::kEmptyRecordSize
        + TextBytes("Auf") + TextBytes("Wert @12 bar") + TextBytes("") + 2 * CStepChainList::kBlockHeaderSize
        + TextBytes("T f\xFCnf") + TextBytes("@7");
    EXPECT_EQ(std::filesystem::file_size(dir / "GS01.731"), predicted);
}

// 32 characters: the name the conversion charges for; 80: the longest.
INSTANTIATE_TEST_SUITE_P(ProjectNames, GroupFileSizes, ::testing::Values(std::size_t{32}, std::size_t{80}));

} // namespace
