#include "data/records/FileException.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "tests/panel/ProjectFixture.h"

#include <cerrno>

namespace {

class StepChainGroupTest : public ProjectFixture {
protected:
    // The worked example, built the way the conversion builds it.
    CStepChainGroup* BuildWorkedExample()
    {
        CStepChainGroup* group = NewGroup("S01", "Test");
        CStepChainList* list = AddList(group, "001", 1, "L");
        AddText(list, 12, 1, "Auf");
        AddText(list, 12, 3, "Zu");
        return group;
    }
};

TEST_F(StepChainGroupTest, WorkedExampleIsWrittenByteForByte)
{
    CStepChainGroup* group = BuildWorkedExample();
    EXPECT_EQ(group->ComputeSize(), 97u);
    ASSERT_TRUE(group->Save());
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), WorkedExampleGroup());
    EXPECT_EQ(group->GetSize(), 97);
    EXPECT_FALSE(group->IsModified());
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
}

TEST_F(StepChainGroupTest, WorkedExampleLoadsFieldByField)
{
    WriteBytes(dir / "GS01.731", WorkedExampleGroup());
    CStepChainGroup group(folder, "GS01.731");
    ASSERT_TRUE(group.IsValid());
    EXPECT_FALSE(group.IsLoaded());
    EXPECT_EQ(group.GetGroupId(), "S01");
    EXPECT_EQ(group.GetBaseName(), "GS01");
    EXPECT_EQ(group.GetName(), "Test");
    EXPECT_EQ(group.GetSize(), 97);
    EXPECT_FALSE(group.GetDateText().empty());
    EXPECT_EQ(group.GetCount(), 0);

    ASSERT_TRUE(group.Load());
    ASSERT_EQ(group.GetCount(), 1);
    const CStepChainList* list = group.GetList(0);
    EXPECT_EQ(list->GetListId(), "001");
    EXPECT_EQ(list->GetKind(), 1);
    EXPECT_EQ(list->GetName(), "L");
    EXPECT_EQ(list->GetListSize(), 54);
    EXPECT_EQ(list->GetColumnText(1), "E001");
    ASSERT_EQ(list->GetCount(), 2);
    struct Expected {
        int number;
        std::uint8_t bit;
        const char* text;
    };
    const Expected expected[] = {{1, 1, "Auf"}, {2, 3, "Zu"}};
    for (int i = 0; i < 2; ++i) {
        const CStepChainText* text = list->GetText(i);
        EXPECT_EQ(text->GetNumber(), expected[i].number);
        EXPECT_EQ(text->GetOperand(), 12);
        EXPECT_EQ(text->GetBit(), expected[i].bit);
        EXPECT_EQ(text->GetAttribute1(), 0);
        EXPECT_EQ(text->GetAttribute2(), 0);
        EXPECT_EQ(text->GetText(), expected[i].text);
    }
    EXPECT_EQ(group.FindList("001"), list);
    EXPECT_EQ(group.ComputeSize(), 97u);
    EXPECT_FALSE(group.IsModified());
}

// What a group holds of its file is always what the file held when it was
// read: after a save, a delete or a rename it holds nothing, and the
// history reads the file itself.
TEST_F(StepChainGroupTest, TheHeldFileIsThatOfTheLastLoadOnly)
{
    ASSERT_TRUE(BuildWorkedExample()->Save());
    auto* group = static_cast<CStepChainGroup*>(folder->FindEntry("GS01"));
    EXPECT_EQ(group->GetDiskImage(), nullptr);
    ASSERT_TRUE(group->Load());
    ASSERT_NE(group->GetDiskImage(), nullptr);
    EXPECT_EQ(*group->GetDiskImage(), WorkedExampleGroup());
    ASSERT_TRUE(group->DeleteFile());
    EXPECT_EQ(group->GetDiskImage(), nullptr);
    ASSERT_TRUE(group->Save());
    ASSERT_TRUE(group->Load());
    ASSERT_TRUE(group->Rename("GS02", "zwei"));
    EXPECT_EQ(group->GetDiskImage(), nullptr);
}

TEST_F(StepChainGroupTest, EmptyGroupIsHeaderAndListCountZero)
{
    CStepChainGroup* group = NewGroup("S07", "");
    EXPECT_EQ(group->ComputeSize(), 41u + 2);
    const Bytes bytes = ReadBytes(dir / "GS07.731");
    ASSERT_EQ(bytes.size(), 43u);
    EXPECT_EQ(bytes[1], 43);
    EXPECT_EQ(bytes.back(), 0);
}

TEST_F(StepChainGroupTest, FindListIgnoresCase)
{
    CStepChainGroup* group = NewGroup("S01", "Test");
    CStepChainList* list = AddList(group, "a1b", 4, "");
    EXPECT_EQ(group->FindList("A1B"), list);
    EXPECT_EQ(group->FindList("a1c"), nullptr);
}

struct BadHeader {
    const char* name;
    Bytes bytes;
};

Bytes HeaderWith(std::uint8_t kind, const std::string& id, std::uint8_t nameLength = 3,
                 std::uint8_t designationLength = 5)
{
    Bytes bytes{kind, 50, 0, nameLength, 'P', '1'};
    for (const char c : id)
        bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(designationLength);
    for (const char c : std::string("Test"))
        bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(0);
    return bytes;
}

class StepChainGroupBadHeader : public StepChainGroupTest, public ::testing::WithParamInterface<BadHeader> {};

TEST_P(StepChainGroupBadHeader, IsNoGroupAndCannotBeLoaded)
{
    WriteBytes(dir / "GS01.731", GetParam().bytes);
    CStepChainGroup group(folder, "GS01.731");
    EXPECT_FALSE(group.IsValid());
    EXPECT_FALSE(group.Load());
    EXPECT_FALSE(group.IsLoaded());
    ASSERT_TRUE(group.GetLastError().has_value());
    folder->Load();
    EXPECT_EQ(folder->GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StepChainGroupBadHeader,
    ::testing::Values(BadHeader{"Empty", {}},
                      BadHeader{"OnlyKindAndSize", {12, 50, 0}},
                      BadHeader{"CutInProjectName", {12, 50, 0, 3, 'P'}},
                      BadHeader{"CutInIdentifier", {12, 50, 0, 3, 'P', '1', 'S', '0'}},
                      BadHeader{"CutInDesignation", {12, 50, 0, 3, 'P', '1', 'S', '0', '1', 5, 'T'}},
                      BadHeader{"WrongKind", HeaderWith(11, "S01")},
                      BadHeader{"ProjectFileKind", HeaderWith(1, "S01")},
                      BadHeader{"IdentifierInLowerCase", HeaderWith(12, "s01")},
                      BadHeader{"IdentifierOfAnotherGroup", HeaderWith(12, "S02")},
                      BadHeader{"NameLengthByteZero", HeaderWith(12, "S01", 0)},
                      BadHeader{"NameLengthByte82", HeaderWith(12, "S01", 82)},
                      BadHeader{"DesignationLengthByteZero", HeaderWith(12, "S01", 3, 0)},
                      BadHeader{"DesignationLengthByte82", HeaderWith(12, "S01", 3, 82)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StepChainGroupTest, HeaderOfAGroupWithALowerCaseNameMatchesTheUpperCaseName)
{
    // G00A.731 holding "00a" is no group (the comparison keeps case) ...
    WriteBytes(dir / "G00A.731", HeaderWith(12, "00a"));
    EXPECT_FALSE(CStepChainGroup(folder, "G00A.731").IsValid());
    // ... but g00a.731 holding "00A" is group 00A.
    WriteBytes(dir / "g00b.731", HeaderWith(12, "00B"));
    EXPECT_TRUE(CStepChainGroup(folder, "G00B.731", "g00b.731").IsValid());
}

struct BadBody {
    const char* name;
    Bytes bytes;
};

class StepChainGroupBadBody : public StepChainGroupTest, public ::testing::WithParamInterface<BadBody> {};

TEST_P(StepChainGroupBadBody, HeaderIsReadButLoadFailsAndLeavesTheGroupEmpty)
{
    WriteBytes(dir / "GS01.731", GetParam().bytes);
    CStepChainGroup group(folder, "GS01.731");
    ASSERT_TRUE(group.IsValid());
    EXPECT_FALSE(group.Load());
    EXPECT_EQ(group.GetCount(), 0);
    EXPECT_FALSE(group.IsLoaded());
}

Bytes ListPastItsSize()
{
    // Two timer texts; the size field ends inside the first text, so the
    // second block starts past it.
    return GroupBytes("P1", "S01", "Test", 1)
        .List("001", "", 4, 2)
        .Text(1, 0, "Eins")
        .Text(2, 0, "Zwei")
        .EndList(45)
        .Bytes();
}

Bytes Prefix(const Bytes& bytes, std::size_t length)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

Bytes WithByte(Bytes bytes, std::size_t at, std::uint8_t value)
{
    bytes.at(at) = value;
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StepChainGroupBadBody,
    ::testing::Values(
        BadBody{"NoListCount", Prefix(WorkedExampleGroup(), 42)},
        BadBody{"MoreListsCountedThanPresent", WithByte(WorkedExampleGroup(), 42, 2)},
        BadBody{"ListPastItsSize", ListPastItsSize()},
        BadBody{"ListDesignationLengthByteZero", WithByte(WorkedExampleGroup(), 48, 0)},
        BadBody{"ListDesignationLengthByte82", WithByte(WorkedExampleGroup(), 48, 82)},
        BadBody{"RunLongerThanTheFile", WithByte(WorkedExampleGroup(), 85, 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StepChainGroupTest, EveryTruncationFailsToLoad)
{
    const Bytes whole = WorkedExampleGroup();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        WriteBytes(dir / "GS01.731", Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        CStepChainGroup group(folder, "GS01.731");
        // The header ends after the designation, 42 bytes in.
        EXPECT_EQ(group.IsValid(), length >= 42) << length;
        EXPECT_FALSE(group.Load()) << length;
        EXPECT_EQ(group.GetCount(), 0) << length;
    }
}

// A file cut short keeps the header of the whole file: its size and the
// reason it cannot be read are what the user is shown.
TEST_F(StepChainGroupTest, ACutFileDisagreesWithItsHeaderAndSaysWhyItCannotBeRead)
{
    const Bytes whole = WorkedExampleGroup();
    WriteBytes(dir / "GS01.731", whole);
    CStepChainGroup intact(folder, "GS01.731");
    EXPECT_FALSE(intact.DisagreesWithDisk());
    EXPECT_TRUE(intact.Load());
    EXPECT_EQ(intact.LoadProblemText(), "");

    WriteBytes(dir / "GS01.731", Bytes(whole.begin(), whole.begin() + 60));
    CStepChainGroup cut(folder, "GS01.731");
    ASSERT_TRUE(cut.IsValid());
    EXPECT_EQ(cut.SizeOnDisk(), 60u);
    EXPECT_EQ(cut.GetSize(), static_cast<int>(whole.size()));
    EXPECT_TRUE(cut.DisagreesWithDisk());
    EXPECT_FALSE(cut.Load());
    EXPECT_EQ(cut.LoadProblemText(), CStringTable::Get(ids::kReasonEndOfFile));

    std::filesystem::remove(dir / "GS01.731");
    EXPECT_FALSE(cut.SizeOnDisk());
    EXPECT_FALSE(cut.DisagreesWithDisk());
    EXPECT_FALSE(cut.Load());
    EXPECT_EQ(cut.LoadProblemText(), FormatText(CStringTable::Get(ids::kReasonSystem), {ENOENT}));
}

TEST_F(StepChainGroupTest, OverrunInsideTheLastBlockIsAccepted)
{
    // The size field is short by 5 bytes; the check before each block does
    // not see it, so the file loads (files in use have this).
    WriteBytes(dir / "GS01.731", GroupBytes("P1", "S01", "Test", 1)
                                     .List("001", "", 4, 2)
                                     .Text(1, 0, "Eins")
                                     .Text(2, 0, "Zwei")
                                     .EndList(50)
                                     .Bytes());
    const auto group = Reload("GS01.731");
    ASSERT_EQ(group->GetCount(), 1);
    EXPECT_EQ(group->GetList(0)->GetCount(), 2);
}

TEST_F(StepChainGroupTest, ProvisionalGroupIsNeverWrittenUnderItsProvisionalName)
{
    auto group = std::make_unique<CStepChainGroup>(folder);
    EXPECT_EQ(group->GetFileName(), "G.731");
    EXPECT_TRUE(group->IsLoaded());
    EXPECT_FALSE(group->Save());
    EXPECT_EQ(dir.List(), std::vector<std::string>{"SDAT.731"});
}

TEST_F(StepChainGroupTest, FailureAtEveryWriteStepLeavesTheFileByteIdentical)
{
    CStepChainGroup* group = BuildWorkedExample();
    ASSERT_TRUE(group->Save());
    const Bytes before = ReadBytes(dir / "GS01.731");
    AddText(group->GetList(0), 13, 0, "Neu");
    using Step = CAtomicFile::Step;
    for (Step failing : {Step::createTemp, Step::write, Step::flush, Step::permissions, Step::close, Step::rename}) {
        for (int error : {ENOSPC, EROFS, EACCES, EIO}) {
            CAtomicFile::SetFaultHook([=](Step step) { return step == failing ? error : 0; });
            EXPECT_FALSE(group->Save());
            ASSERT_TRUE(group->GetLastError().has_value());
            EXPECT_EQ(group->GetLastError()->GetOsError(), error);
            EXPECT_EQ(ReadBytes(dir / "GS01.731"), before) << static_cast<int>(failing);
            EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
            EXPECT_TRUE(group->IsModified());
            EXPECT_EQ(group->GetList(0)->GetCount(), 3);
        }
    }
    CAtomicFile::SetFaultHook({});
    EXPECT_TRUE(group->Save());
    EXPECT_FALSE(group->GetLastError().has_value());
    EXPECT_EQ(Reload("GS01.731")->GetList(0)->GetCount(), 3);
}

TEST_F(StepChainGroupTest, MoreThan255ListsAreRefusedAndTheFileIsKept)
{
    CStepChainGroup* group = NewGroup("S01", "Viele");
    for (int i = 0; i < 255; ++i)
        AddList(group, std::to_string(100 + i), 4, "");
    ASSERT_TRUE(group->Save());
    const Bytes before = ReadBytes(dir / "GS01.731");
    EXPECT_EQ(before[3 + 3 + 3 + 33], 255);

    AddList(group, "999", 4, "");
    EXPECT_FALSE(group->Save());
    ASSERT_TRUE(group->GetLastError().has_value());
    EXPECT_EQ(group->GetLastError()->GetCause(), CFileException::Cause::tooLarge);
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
    // Renaming writes too, and is refused the same way.
    EXPECT_FALSE(group->Rename("GS02", "Viele"));
    EXPECT_EQ(group->GetFileName(), "GS01.731");
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
}

TEST_F(StepChainGroupTest, FilesOf65536BytesOrMoreAreRefused)
{
    CStepChainGroup* group = NewGroup("S01", "Gross");
    CStepChainList* list = AddList(group, "001", 4, "");
    // 43 + 41 bytes of headers, then texts of 100 bytes each (97 characters,
    // number, attributes, terminator) up to exactly 65535.
    for (int i = 0; i < 654; ++i)
        list->AddNew(std::make_unique<CStepChainText>(list, static_cast<std::uint8_t>(i), 0, 0, 0, std::string(97, 't')));
    auto* last = list->AddNew(std::make_unique<CStepChainText>(list, 255, 0, 0, 0, std::string(48, 'l')));
    list->OnEntryChanged(last);
    ASSERT_EQ(group->ComputeSize(), 65535u);
    ASSERT_TRUE(group->Save());
    EXPECT_EQ(ReadBytes(dir / "GS01.731").size(), 65535u);
    const Bytes before = ReadBytes(dir / "GS01.731");
    EXPECT_EQ(Reload("GS01.731")->GetList(0)->GetCount(), 655);

    last->SetText(std::string(49, 'l'));
    list->OnEntryChanged(last);
    EXPECT_EQ(group->ComputeSize(), 65536u); // the true size, not wrapped to 0
    EXPECT_FALSE(group->Save());
    EXPECT_EQ(group->GetLastError()->GetCause(), CFileException::Cause::tooLarge);
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
}

TEST(StepChainGroupId, ThreeCharactersThatAFileNameCanCarry)
{
    EXPECT_EQ(CStepChainGroup::CheckGroupId("S01"), 0u);
    EXPECT_EQ(CStepChainGroup::CheckGroupId("A 1"), 0u);
    EXPECT_EQ(CStepChainGroup::CheckGroupId("S1"), ids::kGroupIdInvalid);
    EXPECT_EQ(CStepChainGroup::CheckGroupId("S001"), ids::kGroupIdInvalid);
    EXPECT_EQ(CStepChainGroup::CheckGroupId(""), ids::kGroupIdInvalid);
    for (const char* id : {"S/1", "S\\1", "S:1", "S*1", "S?1", "S\"1", "S'1", "S.1", "S,1", "S;1"})
        EXPECT_EQ(CStepChainGroup::CheckGroupId(id), ids::kGroupIdBadChars) << id;
}

} // namespace
