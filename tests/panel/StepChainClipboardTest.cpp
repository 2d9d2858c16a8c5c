// Copying and pasting step-chain lists between groups and texts between
// lists, through a clipboard in memory, down to the files on disk.
#include "data/clipboard/ClipboardBlock.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "tests/panel/ProjectFixture.h"
#include "tests/support/MemoryClipboard.h"
#include "tests/support/RecordingSink.h"

namespace {

std::string DescribeList(const CStepChainList& list)
{
    std::string text = list.GetListId() + "|" + std::to_string(list.GetKind()) + "|" + list.GetName() + "\n";
    for (int j = 0; j < list.GetCount(); ++j) {
        const CStepChainText* t = list.GetText(j);
        text += std::to_string(t->GetNumber()) + " " + t->GetOperandName() + " " + std::to_string(t->GetAttribute1())
            + "/" + std::to_string(t->GetAttribute2()) + "|" + t->GetText() + "\n";
    }
    return text;
}

std::string DescribeLists(const CStepChainGroup& group)
{
    std::string text;
    for (int i = 0; i < group.GetCount(); ++i)
        text += DescribeList(*group.GetList(i));
    return text;
}

std::vector<std::string> MessageTexts(const RecordingSink& sink)
{
    std::vector<std::string> texts;
    for (const auto& message : sink.messages)
        texts.push_back(message.text);
    return texts;
}

class StepChainClipboardTest : public ProjectFixture {
protected:
    // Two lists with what texts can hold: several bytes of bits, field
    // references, both attributes, an empty text, a non-ASCII character.
    CStepChainGroup* SourceGroup()
    {
        CStepChainGroup* group = NewGroup("S01", "Quelle");
        CStepChainList* inputs = AddList(group, "001", 1, "Eing\xE4nge");
        AddText(inputs, 12, 3, "Zu", 4, 2);
        AddText(inputs, 12, 1, "Auf");
        AddText(inputs, 13, 0, "Druck @7 bar", 31, 7);
        AddText(inputs, 200, 7, "");
        CStepChainList* timers = AddList(group, "T01", 4, "Zeiten");
        AddText(timers, 5, 0, "Wartezeit @12 s");
        AddText(timers, 1, 0, "Start");
        EXPECT_TRUE(group->Save());
        return group;
    }

    static std::vector<int> Rows(std::initializer_list<int> rows) { return rows; }

    MemoryClipboard clipboard;
};

TEST_F(StepChainClipboardTest, ListsCopiedToAnotherGroupComeBackFromItsFile)
{
    CStepChainGroup* source = SourceGroup();
    CStepChainGroup* target = NewGroup("S02", "Ziel");
    ASSERT_TRUE(source->CopyToClipboard(Rows({0, 1})));
    EXPECT_TRUE(clipboard.HasFormat("RZ731_SCTLISTE"));

    CDataEntry* last = target->PasteFromClipboard(-1);
    ASSERT_EQ(target->GetCount(), 2);
    EXPECT_EQ(last, target->GetList(1));
    EXPECT_TRUE(target->IsModified());
    ASSERT_TRUE(target->Save());

    const auto reloaded = Reload("GS02.731");
    EXPECT_EQ(DescribeLists(*reloaded), DescribeLists(*Reload("GS01.731")));
    EXPECT_EQ(reloaded->GetName(), "Ziel");
    EXPECT_EQ(reloaded->ComputeSize(), static_cast<std::size_t>(reloaded->GetSize()));
}

TEST_F(StepChainClipboardTest, TextsJoinTheTextsOfAListOfTheSameKind)
{
    CStepChainGroup* source = SourceGroup();
    CStepChainGroup* target = NewGroup("S02", "Ziel");
    CStepChainList* list = AddList(target, "001", 1, "Andere");
    AddText(list, 12, 2, "Mitte");
    AddText(list, 40, 0, "Hinten");

    ASSERT_TRUE(source->GetList(0)->CopyToClipboard(Rows({0, 2})));
    EXPECT_EQ(clipboard.formats.at(CStepChainList::kKindFormat), Bytes{1});
    EXPECT_NE(list->PasteFromClipboard(0), nullptr);
    ASSERT_TRUE(target->Save());

    const auto reloaded = Reload("GS02.731");
    EXPECT_EQ(DescribeLists(*reloaded), "001|1|Andere\n"
                                        "1 E012.01 0/0|Auf\n"
                                        "2 E012.02 0/0|Mitte\n"
                                        "3 E013.00 31/7|Druck @007 bar\n"
                                        "4 E040.00 0/0|Hinten\n");
}

TEST_F(StepChainClipboardTest, ListWhoseIdentifierTheGroupHoldsIsRefused)
{
    CStepChainGroup* source = SourceGroup();
    CStepChainGroup* target = NewGroup("S02", "Ziel");
    AddList(target, "t01", 4, "Schon da");
    ASSERT_TRUE(source->CopyToClipboard(Rows({1, 0})));
    RecordingSink sink;
    CDataEntry* last = target->PasteFromClipboard(-1);
    EXPECT_EQ(MessageTexts(sink), std::vector<std::string>{CStringTable::Get(ids::kListIdExists)});
    ASSERT_EQ(target->GetCount(), 2);
    EXPECT_EQ(last, target->GetList(1));
    EXPECT_EQ(target->GetList(0)->GetName(), "Schon da");
    EXPECT_EQ(target->GetList(1)->GetListId(), "001");
    EXPECT_EQ(target->GetList(1)->GetCount(), 4);
}

TEST_F(StepChainClipboardTest, TakenListIdentifiersAreAskedAboutWithTheNextFreeOne)
{
    CStepChainGroup* source = SourceGroup();
    CStepChainGroup* target = NewGroup("S02", "Ziel");
    AddList(target, "001", 1, "Schon da");
    AddList(target, "003", 1, "Auch da");
    ASSERT_TRUE(source->CopyToClipboard(Rows({0, 0})));
    std::vector<std::string> asked;
    target->SetListIdQuestion([&](const std::string& taken, const std::string& proposed) {
        asked.push_back(taken + ">" + proposed);
        return true;
    });
    RecordingSink sink;
    target->PasteFromClipboard(-1);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(asked, (std::vector<std::string>{"001>002", "001>004"}));
    ASSERT_EQ(target->GetCount(), 4);
    EXPECT_EQ(target->GetList(2)->GetListId(), "002");
    EXPECT_EQ(target->GetList(3)->GetListId(), "004");
    EXPECT_EQ(DescribeList(*target->GetList(3)).substr(3), DescribeList(*source->GetList(0)).substr(3));

    // A "no" at the second list ends the paste there.
    target->SetListIdQuestion([calls = 0](const std::string&, const std::string&) mutable { return ++calls == 1; });
    target->PasteFromClipboard(-1);
    EXPECT_TRUE(target->PasteCancelled());
    EXPECT_EQ(target->GetCount(), 5);
    EXPECT_EQ(target->GetList(4)->GetListId(), "005");
    target->SetListIdQuestion([](const std::string&, const std::string&) { return true; });
    target->PasteFromClipboard(-1);
    EXPECT_FALSE(target->PasteCancelled());
    EXPECT_EQ(target->GetCount(), 7);
}

TEST_F(StepChainClipboardTest, TextForAnOperandTheListHoldsIsRefusedByName)
{
    CStepChainGroup* source = SourceGroup();
    CStepChainList* list = source->GetList(0);
    ASSERT_TRUE(list->CopyToClipboard(Rows({0, 1})));
    list->Remove(list->GetText(0));
    RecordingSink sink;
    list->PasteFromClipboard(-1);
    EXPECT_EQ(MessageTexts(sink), std::vector<std::string>{FormatText(CStringTable::Get(ids::kOperandExists),
                                                                      {std::string("E012.03")})});
    EXPECT_EQ(list->GetCount(), 4);
    EXPECT_EQ(list->GetText(0)->GetText(), "Auf");
    EXPECT_EQ(list->GetText(1)->GetNumber(), 2);
}

TEST_F(StepChainClipboardTest, TextsOfAnotherKindAreRefused)
{
    CStepChainGroup* source = SourceGroup();
    ASSERT_TRUE(source->GetList(0)->CopyToClipboard(Rows({0})));
    RecordingSink sink;
    EXPECT_EQ(source->GetList(1)->PasteFromClipboard(-1), nullptr);
    EXPECT_EQ(MessageTexts(sink), std::vector<std::string>{CStringTable::Get(ids::kClipboardOtherKind)});
    EXPECT_EQ(source->GetList(1)->GetCount(), 2);

    clipboard.formats[CStepChainList::kKindFormat] = {1, 1};
    EXPECT_EQ(source->GetList(0)->PasteFromClipboard(-1), nullptr);
    EXPECT_EQ(sink.messages.back().text, CStringTable::Get(ids::kClipboardDataInvalid));
}

TEST_F(StepChainClipboardTest, TextsWithoutAKindLoseTheirBitInANumberList)
{
    // Other software offers the texts alone: E012.03 lands in a timer list
    // as T012, which the file stores without a bit.
    CStepChainGroup* source = SourceGroup();
    ASSERT_TRUE(source->GetList(0)->CopyToClipboard(Rows({1})));
    clipboard.formats.erase(CStepChainList::kKindFormat);
    auto* pasted = static_cast<CStepChainText*>(source->GetList(1)->PasteFromClipboard(-1));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->GetOperandName(), "T012");
    EXPECT_EQ(pasted->GetBit(), 0);
}

TEST_F(StepChainClipboardTest, GroupTakesNoMoreThan255Lists)
{
    CStepChainGroup* source = SourceGroup();
    CStepChainGroup* target = NewGroup("S02", "Voll");
    for (int i = 0; i < 254; ++i)
        AddList(target, FormatText("%03d", {i + 100}), 4, "");
    ASSERT_TRUE(source->CopyToClipboard(Rows({0, 1})));
    EXPECT_TRUE(target->IsEnabled(ListCommand::paste, 0));

    RecordingSink sink;
    target->PasteFromClipboard(-1);
    EXPECT_EQ(target->GetCount(), 255);
    EXPECT_EQ(MessageTexts(sink), std::vector<std::string>{CStringTable::Get(ids::kClipboardFull)});
    EXPECT_FALSE(target->IsEnabled(ListCommand::paste, 0));
    EXPECT_FALSE(target->IsCommandEnabled(0, 0, 0));
    EXPECT_TRUE(target->Save());

    // A full group refuses the first list already, and says so once.
    target->PasteFromClipboard(-1);
    EXPECT_EQ(target->GetCount(), 255);
    EXPECT_EQ(sink.messages.size(), 2u);
}

class GroupSizeLimitTest : public StepChainClipboardTest {
protected:
    // A group whose file is `room` bytes below the limit.
    CStepChainGroup* NearlyFullGroup(std::size_t room)
    {
        CStepChainGroup* group = NewGroup("S09", "Fast voll");
        CStepChainList* list = AddList(group, "900", 4, "Ballast");
        CStepChainText* text = AddText(list, 1, 0, std::string(60000, 'b'));
        const std::size_t wanted = CStepChainGroup::kMaxFileSize - room;
        text->SetText(std::string(60000 + wanted - group->ComputeSize(), 'b'));
        list->OnEntryChanged(text);
        EXPECT_EQ(group->ComputeSize(), wanted);
        return group;
    }

    const std::string overflowMessage =
        FormatText(CStringTable::Get(ids::kGroupWouldOverflow), {std::string("S09"), 65535});
};

TEST_F(GroupSizeLimitTest, ListThatWouldPassTheLimitIsTakenOutAndEndsThePaste)
{
    CStepChainGroup* source = NewGroup("S01", "Quelle");
    AddText(AddList(source, "001", 4, "Klein"), 1, 0, "a");
    AddText(AddList(source, "002", 4, "Gross"), 1, 0, std::string(500, 'g'));
    AddText(AddList(source, "003", 4, "Klein"), 1, 0, "c");
    const std::size_t small = source->GetList(0)->ComputeSize();
    CStepChainGroup* target = NearlyFullGroup(small + 100);
    ASSERT_TRUE(source->CopyToClipboard(Rows({0, 1, 2})));

    RecordingSink sink;
    CDataEntry* last = target->PasteFromClipboard(-1);
    EXPECT_EQ(MessageTexts(sink), std::vector<std::string>{overflowMessage});
    ASSERT_EQ(target->GetCount(), 2);
    EXPECT_EQ(last, target->GetList(1));
    EXPECT_EQ(target->GetList(1)->GetListId(), "001");
    EXPECT_EQ(target->ComputeSize(), CStepChainGroup::kMaxFileSize - 100);
    EXPECT_TRUE(target->Save());
}

TEST_F(GroupSizeLimitTest, ListExactlyFillingTheFileIsKept)
{
    CStepChainGroup* source = NewGroup("S01", "Quelle");
    AddText(AddList(source, "001", 4, "Passt"), 1, 0, "genau");
    CStepChainGroup* target = NearlyFullGroup(source->GetList(0)->ComputeSize());
    ASSERT_TRUE(source->CopyToClipboard(Rows({0})));
    RecordingSink sink;
    EXPECT_NE(target->PasteFromClipboard(-1), nullptr);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(target->ComputeSize(), CStepChainGroup::kMaxFileSize);
    ASSERT_TRUE(target->Save());
    EXPECT_EQ(std::filesystem::file_size(dir / "GS09.731"), CStepChainGroup::kMaxFileSize);
}

TEST_F(GroupSizeLimitTest, TextThatWouldPassTheLimitIsTakenOut)
{
    CStepChainGroup* source = NewGroup("S01", "Quelle");
    CStepChainList* list = AddList(source, "001", 4, "Texte");
    AddText(list, 2, 0, "kurz");
    AddText(list, 3, 0, std::string(200, 'x'));
    AddText(list, 4, 0, "kurz");
    CStepChainGroup* target = NearlyFullGroup(50);
    ASSERT_TRUE(list->CopyToClipboard(Rows({0, 1, 2})));

    RecordingSink sink;
    target->GetList(0)->PasteFromClipboard(-1);
    EXPECT_EQ(MessageTexts(sink), std::vector<std::string>{overflowMessage});
    EXPECT_EQ(target->GetList(0)->GetCount(), 2); // the ballast and T002
    EXPECT_LE(target->ComputeSize(), CStepChainGroup::kMaxFileSize);
    EXPECT_TRUE(target->Save());
}

TEST_F(StepChainClipboardTest, BlockOfTextsUpTo65535Bytes)
{
    CStepChainGroup* group = NewGroup("S01", "");
    CStepChainList* list = AddList(group, "001", 4, "");
    // Count 2, the text's record (its length + 16), children size 2.
    CStepChainText* text = AddText(list, 1, 0, std::string(65535 - 20, 'x'));
    RecordingSink sink;
    EXPECT_TRUE(list->CopyToClipboard(Rows({0})));
    EXPECT_EQ(clipboard.formats.at("RZ731_SCTTEXT").size(), 65535u);

    text->SetText(std::string(65535 - 19, 'x'));
    clipboard.formats.clear();
    EXPECT_FALSE(list->CopyToClipboard(Rows({0})));
    EXPECT_TRUE(clipboard.formats.empty());
    EXPECT_EQ(MessageTexts(sink), std::vector<std::string>{CStringTable::Get(ids::kClipboardTooLarge)});
}

// A block of one text of a timer list, and one of one list of a group,
// as this program writes them; the cases below spoil single bytes.
class StepChainRecordCheck : public StepChainClipboardTest {
protected:
    void SetUp() override
    {
        StepChainClipboardTest::SetUp();
        CStepChainGroup* source = NewGroup("S01", "");
        CStepChainList* list = AddList(source, "001", 4, "Liste");
        AddText(list, 5, 0, "Text", 3, 1);
        target = NewGroup("S02", "");
        targetList = AddList(target, "001", 4, "");
        textBlock = *CClipboardBlock::Build(*list, Rows({0}));
        listBlock = *CClipboardBlock::Build(*source, Rows({0}));
        ASSERT_TRUE(CClipboardBlock::Check(*targetList, textBlock));
        ASSERT_TRUE(CClipboardBlock::Check(*target, listBlock));
    }

    CStepChainGroup* target = nullptr;
    CStepChainList* targetList = nullptr;
    Bytes textBlock;
    Bytes listBlock;
};

TEST_F(StepChainRecordCheck, TextRecordsThatCannotBeHeldAreMalformed)
{
    const std::size_t record = 2; // the text record's start in the block
    struct Spoil {
        const char* name;
        std::size_t from;
        std::size_t to; // exclusive
        std::uint8_t value;
    };
    const Spoil spoils[] = {
        {"first attribute above 31", 10, 11, 32},
        {"second attribute above 7", 11, 12, 8},
        {"no terminator", 16, 20, 'x'},
        {"text longer than the record says", 16, 17, 'x'},
    };
    for (const Spoil& spoil : spoils) {
        SCOPED_TRACE(spoil.name);
        Bytes block = textBlock;
        std::fill(block.begin() + record + spoil.from, block.begin() + record + spoil.to, spoil.value);
        EXPECT_FALSE(CClipboardBlock::Check(*targetList, block));
    }
    // Without the three spare bytes the record is shorter than its text
    // says it must be.
    Bytes cut = textBlock;
    cut.erase(cut.begin() + record + 17, cut.begin() + record + 20);
    cut[record] -= 3;
    EXPECT_FALSE(CClipboardBlock::Check(*targetList, cut));
}

TEST_F(StepChainRecordCheck, ListRecordsThatCannotBeHeldAreMalformed)
{
    const std::size_t record = 2;
    Bytes wideKind = listBlock;
    wideKind[record + 5] = 1;
    EXPECT_FALSE(CClipboardBlock::Check(*target, wideKind));

    Bytes unterminated = listBlock;
    unterminated[record + 11 + 5] = 'x';
    EXPECT_FALSE(CClipboardBlock::Check(*target, unterminated));

    // A designation of 81 characters does not fit the file's counted string.
    CStepChainGroup* source = NewGroup("S03", "");
    CStepChainList* list = AddList(source, "001", 4, std::string(80, 'd'));
    EXPECT_TRUE(CClipboardBlock::Check(*target, *CClipboardBlock::Build(*source, Rows({0}))));
    list->SetProperties("001", 4, std::string(81, 'd'));
    EXPECT_FALSE(CClipboardBlock::Check(*target, *CClipboardBlock::Build(*source, Rows({0}))));
}

TEST_F(StepChainClipboardTest, PasteIsEnabledByTheListsOwnFormat)
{
    CStepChainGroup* group = SourceGroup();
    CStepChainList* list = group->GetList(0);
    EXPECT_FALSE(group->IsEnabled(ListCommand::paste, 0));
    EXPECT_FALSE(list->IsEnabled(ListCommand::paste, 0));
    EXPECT_FALSE(group->IsEnabled(ListCommand::copy, 0));
    EXPECT_TRUE(group->IsEnabled(ListCommand::copy, 2));
    EXPECT_TRUE(list->IsEnabled(ListCommand::remove, 1));

    ASSERT_TRUE(list->CopyToClipboard(Rows({0})));
    EXPECT_FALSE(group->IsEnabled(ListCommand::paste, 0));
    EXPECT_TRUE(list->IsEnabled(ListCommand::paste, 0));
    ASSERT_TRUE(group->CopyToClipboard(Rows({0})));
    EXPECT_TRUE(group->IsEnabled(ListCommand::paste, 0));
    EXPECT_FALSE(list->IsEnabled(ListCommand::paste, 0));

    // Groups are files: deleted and renamed, never copied or pasted.
    EXPECT_FALSE(folder->IsEnabled(ListCommand::paste, 1));
    EXPECT_FALSE(folder->IsEnabled(ListCommand::copy, 1));
    EXPECT_TRUE(folder->IsEnabled(ListCommand::remove, 1));
    EXPECT_TRUE(folder->IsEnabled(ListCommand::rename, 1));
    EXPECT_FALSE(folder->IsEnabled(ListCommand::rename, 2));
}

TEST_F(StepChainClipboardTest, NothingWithoutAClipboard)
{
    CStepChainGroup* group = SourceGroup();
    IClipboard::Install(nullptr);
    EXPECT_FALSE(group->CopyToClipboard(Rows({0})));
    EXPECT_EQ(group->PasteFromClipboard(-1), nullptr);
    EXPECT_FALSE(group->CanPaste());
    IClipboard::Install(&clipboard);
}

} // namespace
