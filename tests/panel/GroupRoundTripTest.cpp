#include "data/sequence/SequenceEntry.h"
#include "tests/panel/ProjectFixture.h"

#include <random>
#include <sstream>

namespace {

// Everything a group holds, as one text, for comparing two groups.
std::string Describe(const CStepChainGroup& group)
{
    std::ostringstream out;
    out << "group " << group.GetGroupId() << " [" << group.GetName() << "]\n";
    for (int i = 0; i < group.GetCount(); ++i) {
        const CStepChainList* list = group.GetList(i);
        out << " list [" << list->GetListId() << "] kind " << list->GetKind() << " [" << list->GetName() << "]\n";
        for (int j = 0; j < list->GetCount(); ++j) {
            const CStepChainText* text = list->GetText(j);
            out << "  " << text->GetNumber() << ' ' << int{text->GetOperand()} << '.' << int{text->GetBit()} << ' '
                << int{text->GetAttribute1()} << '/' << int{text->GetAttribute2()} << " [" << text->GetText() << "]\n";
        }
    }
    return out.str();
}

class GroupRoundTrip : public ProjectFixture {
protected:
    // Loads the file, saves it again and returns what the save wrote; the
    // loaded content is checked against a second load of those bytes.
    Bytes LoadAndSave(const std::string& fileName, std::string* content = nullptr)
    {
        auto group = Reload(fileName);
        const std::string loaded = Describe(*group);
        EXPECT_TRUE(group->Save());
        const Bytes saved = ReadBytes(dir / fileName);
        EXPECT_EQ(saved.size(), group->ComputeSize());
        EXPECT_EQ(Describe(*Reload(fileName)), loaded);
        if (content)
            *content = loaded;
        return saved;
    }

    std::string RandomText(std::mt19937& random, std::size_t maxLength)
    {
        static const std::string alphabet = std::string("abcXYZ 0123456789@@@+-.\xE4\xF6\xFC\xDF\xB0\x80", 30)
            + std::string("\0\x1B", 2);
        std::string text(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), ' ');
        for (char& c : text)
            c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        return text;
    }

    void FillRandomly(CStepChainGroup* group, std::mt19937& random)
    {
        auto number = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        const int lists = number(0, 12);
        for (int l = 0; l < lists; ++l) {
            const int kind = number(0, 5);
            // Identifiers of 1 to 3 characters; the file pads short ones.
            const std::string id = std::to_string(number(0, 999));
            CStepChainList* list = AddList(group, id, kind, RandomText(random, number(0, 4) == 0 ? 80 : 32));
            const int texts = number(0, 3) == 0 ? 0 : number(1, 60);
            for (int t = 0; t < texts; ++t) {
                const std::size_t maxLength = number(0, 9) == 0 ? 300 : 40;
                list->AddNew(std::make_unique<CStepChainText>(list, static_cast<std::uint8_t>(number(0, 255)),
                                                              static_cast<std::uint8_t>(IsBitKind(kind) ? number(0, 7) : 0),
                                                              static_cast<std::uint8_t>(number(0, 31)),
                                                              static_cast<std::uint8_t>(number(0, 7)),
                                                              RandomText(random, maxLength)));
            }
            // Half of the lists are saved as added, without a Sort.
            if (number(0, 1) == 0)
                list->OnEntryChanged(nullptr);
        }
    }
};

TEST_F(GroupRoundTrip, GeneratedGroupsLoadAndSaveToTheSameBytes)
{
    std::mt19937 random(731);
    for (int g = 0; g < 60; ++g) {
        const std::string id = "R" + std::string(g < 10 ? "0" : "") + std::to_string(g);
        std::string designation = RandomText(random, g % 5 == 0 ? 80 : 32);
        CStepChainGroup* group = NewGroup(id, designation);
        FillRandomly(group, random);
        ASSERT_TRUE(group->Save()) << id << ": " << group->GetLastError()->what();
        const std::string fileName = "G" + id + ".731";
        const Bytes written = ReadBytes(dir / fileName);
        ASSERT_EQ(written.size(), group->ComputeSize()) << id;
        EXPECT_EQ(written[1] | (written[2] << 8), static_cast<int>(written.size())) << id;
        EXPECT_EQ(LoadAndSave(fileName), written) << id;
    }
}

TEST_F(GroupRoundTrip, GroupWithEveryKindAndEmptyListsKeepsItsContent)
{
    CStepChainGroup* group = NewGroup("S01", std::string(32, 'G'));
    for (int kind = 0; kind <= 5; ++kind) {
        CStepChainList* list = AddList(group, "00" + std::to_string(kind), kind, std::string(32, 'L'));
        AddText(list, 7, 3, "Wert @5 und @ und @65535 \xC4nderung", 31, 7);
        AddText(list, 1, 0, std::string(80, 'x'));
    }
    AddList(group, "EMP", 1, "");
    ASSERT_TRUE(group->Save());
    std::string content;
    const Bytes written = ReadBytes(dir / "GS01.731");
    EXPECT_EQ(LoadAndSave("GS01.731", &content), written);
    EXPECT_NE(content.find("[Wert @005 und @000 und @65535 \xC4nderung]"), std::string::npos);
    EXPECT_TRUE(content.ends_with(" list [EMP] kind 1 []\n"));
}

// Files other software wrote may hold what our writer never produces.

TEST_F(GroupRoundTrip, DesignationsOver32CharactersAreKept)
{
    const std::string groupName(40, 'g');
    const std::string listName(80, 'l');
    const Bytes original =
        GroupBytes("P1", "S01", groupName, 1).List("001", listName, 4, 1).Text(5, 0, "T5").EndList().Bytes();
    WriteBytes(dir / "GS01.731", original);
    std::string content;
    EXPECT_EQ(LoadAndSave("GS01.731", &content), original);
    EXPECT_NE(content.find("[" + groupName + "]"), std::string::npos);
    EXPECT_NE(content.find("[" + listName + "]"), std::string::npos);
}

TEST_F(GroupRoundTrip, DuplicateTimerNumbersAreKeptAsSeparateTexts)
{
    WriteBytes(dir / "GS01.731", GroupBytes("P1", "S01", "Dup", 1)
                                     .List("001", "", 4, 3)
                                     .Text(5, 0, "erste")
                                     .Text(5, 0, "zweite")
                                     .Text(3, 0, "drei")
                                     .EndList()
                                     .Bytes());
    std::string content;
    const Bytes saved = LoadAndSave("GS01.731", &content);
    EXPECT_EQ(content, "group S01 [Dup]\n list [001] kind 4 []\n  1 3.0 0/0 [drei]\n  2 5.0 0/0 [erste]\n"
                       "  3 5.0 0/0 [zweite]\n");
    EXPECT_EQ(saved[43 + 39], 3); // one block per text
}

TEST_F(GroupRoundTrip, MoreThan255TextsUnderOneByteAreSplitIntoBlocks)
{
    GroupBytes bytes("P1", "S01", "Viele", 1);
    bytes.List("001", "", 2, 3).BitBlock(4, 200);
    for (int bit = 0; bit < 200; ++bit)
        bytes.Text(static_cast<std::uint8_t>(bit), 0, "a");
    bytes.BitBlock(5, 1).Text(0, 0, "b");
    bytes.BitBlock(4, 100);
    for (int bit = 200; bit < 300; ++bit)
        bytes.Text(static_cast<std::uint8_t>(bit), 0, "c"); // bits 200..255, then 0..43 again
    WriteBytes(dir / "GS01.731", bytes.EndList().Bytes());

    std::string content;
    const Bytes saved = LoadAndSave("GS01.731", &content);
    auto group = Reload("GS01.731");
    const CStepChainList* list = group->GetList(0);
    ASSERT_EQ(list->GetCount(), 301);
    EXPECT_EQ(list->GetText(300)->GetOperandName(), "A005.00");
    // Byte 4 in blocks of 255 and 45, then byte 5.
    const std::size_t blocks = 43 + 39;
    EXPECT_EQ(saved[blocks], 3);
    EXPECT_EQ(saved[blocks + 2], 4);
    EXPECT_EQ(saved[blocks + 3], 255);
}

TEST_F(GroupRoundTrip, StoredTextsThatTheShownFormCannotExpressAreKeptByteForByte)
{
    // A literal "@", a reference followed by a digit, an empty reference.
    const Bytes original = GroupBytes("P1", "S01", "Roh", 1)
                               .List("001", "", 5, 3)
                               .Text(1, 0, "a@b")
                               .Text(2, 0, std::string("\x1B\x05\x00" "7", 4))
                               .Text(3, 0, std::string("\x1B\x00\x00", 3))
                               .EndList()
                               .Bytes();
    WriteBytes(dir / "GS01.731", original);
    std::string content;
    EXPECT_EQ(LoadAndSave("GS01.731", &content), original);
    EXPECT_NE(content.find("[a@b]"), std::string::npos);
    EXPECT_NE(content.find("[@0057]"), std::string::npos);
}

TEST_F(GroupRoundTrip, UnknownKindsEmptyBlocksAndWrongSizeFieldsLoadAndAreCorrectedOnSave)
{
    GroupBytes bytes("P1", "S01", "Alt", 2);
    bytes.List("001", "", 9, 1).Text(4, 0, "neun").EndList(500);
    bytes.List("002", "", 1, 2).BitBlock(3, 0).BitBlock(4, 1).Text(2, 0, "x").EndList();
    Bytes original = bytes.Bytes();
    original[1] = 0; // a group size field that does not match
    original[2] = 0;
    WriteBytes(dir / "GS01.731", original);
    std::string content;
    const Bytes saved = LoadAndSave("GS01.731", &content);
    EXPECT_EQ(content, "group S01 [Alt]\n list [001] kind 9 []\n  1 4.0 0/0 [neun]\n"
                       " list [002] kind 1 []\n  1 4.2 0/0 [x]\n");
    EXPECT_EQ(saved[1] | (saved[2] << 8), static_cast<int>(saved.size()));
    EXPECT_EQ(Reload("GS01.731")->GetList(0)->GetColumnText(1), "?001");
}

} // namespace
