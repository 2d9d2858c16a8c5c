// The clipboard block on lists of made-up entries whose records are just
// their size word and some payload bytes.
#include "data/clipboard/ClipboardBlock.h"
#include "data/model/DataList.h"
#include "data/text/StringTable.h"
#include "tests/support/RecordingSink.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Payloads starting with these bytes make the lists below refuse.
constexpr std::uint8_t kUnreadable = 0xBB; // ReadRecord fails
constexpr std::uint8_t kRefused = 0xAA;    // CreateFromRecord refuses
constexpr std::uint8_t kTooBig = 0xCC;     // KeepPasted takes it out again

Bytes Record(const Bytes& payload)
{
    const std::size_t size = payload.size() + 2;
    Bytes record{static_cast<std::uint8_t>(size & 0xFF), static_cast<std::uint8_t>(size >> 8)};
    record.insert(record.end(), payload.begin(), payload.end());
    return record;
}

class PlainEntry : public CDataEntry {
public:
    PlainEntry(CDataEntry* parent, Bytes payload = {}) : CDataEntry(parent), payload(std::move(payload)) {}
    int GetType() const override { return type_code::kSequenceEntry; }
    std::string GetColumnText(int) const override { return {}; }
    bool WriteRecord(std::span<std::uint8_t> buffer) const override
    {
        const Bytes record = Record(payload);
        std::copy(record.begin(), record.end(), buffer.begin());
        return payload.empty() || payload[0] != kUnreadable;
    }
    bool ReadRecord(std::span<const std::uint8_t> record) override
    {
        if (record.size() < 2 || (record.size() > 2 && record[2] == kUnreadable))
            return false;
        payload.assign(record.begin() + 2, record.end());
        return true;
    }
    std::size_t GetRecordSize() const override { return payload.size() + 2; }
    Bytes payload;
};

struct Call {
    int index;
    Bytes payload;
    bool operator==(const Call&) const = default;
};

// A list that records every CreateFromRecord; its entries are plain entries
// or, with `containers`, lists of plain entries (type 17 is a container).
class RecordingList : public CDataList {
public:
    RecordingList(CDataEntry* parent, int type, bool containers)
        : CDataList(parent, "list"), type(type), containers(containers)
    {
    }
    int GetType() const override { return type; }
    std::string GetColumnText(int) const override { return {}; }
    bool Load() override { return true; }
    int GetColumnCount() const override { return 1; }
    int GetColumnWidth(int) const override { return 1; }
    std::string GetColumnHeaders() const override { return {}; }

    bool WriteRecord(std::span<std::uint8_t> buffer) const override
    {
        const Bytes record = Record(payload);
        std::copy(record.begin(), record.end(), buffer.begin());
        return true;
    }
    bool ReadRecord(std::span<const std::uint8_t> record) override
    {
        if (record.size() < 2 || (record.size() > 2 && record[2] == kUnreadable))
            return false;
        payload.assign(record.begin() + 2, record.end());
        return true;
    }
    std::size_t GetRecordSize() const override { return payload.size() + 2; }

    std::unique_ptr<CDataEntry> NewClipboardEntry() override
    {
        if (containers)
            return std::make_unique<RecordingList>(this, type_code::kStepChainList, false);
        return std::make_unique<PlainEntry>(this);
    }
    CDataEntry* CreateFromRecord(int index, std::span<const std::uint8_t> record) override
    {
        auto entry = NewClipboardEntry();
        entry->ReadRecord(record);
        calls.push_back({index, Bytes(record.begin() + 2, record.end())});
        if (IsFull() || (record.size() > 2 && record[2] == kRefused))
            return nullptr;
        CDataEntry* raw = entry.get();
        Add(std::move(entry));
        return raw;
    }
    bool IsFull() const override { return GetCount() >= capacity; }
    bool KeepPasted(CDataEntry* entry) override
    {
        const Bytes& first = containers ? static_cast<RecordingList*>(entry)->payload
                                        : static_cast<PlainEntry*>(entry)->payload;
        if (first.empty() || first[0] != kTooBig)
            return true;
        Remove(entry);
        return false;
    }
    void OnEntryChanged(CDataEntry* entry) override
    {
        ++changes;
        CDataList::OnEntryChanged(entry);
    }

    RecordingList* Child(int i) const { return static_cast<RecordingList*>(GetAt(i)); }

    int type;
    bool containers;
    Bytes payload;
    int capacity = 1000;
    int changes = 0;
    std::vector<Call> calls;
};

// A block written byte by byte.
class BlockBytes {
public:
    BlockBytes& Word(std::size_t value)
    {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
        return *this;
    }
    BlockBytes& Raw(const Bytes& raw)
    {
        bytes.insert(bytes.end(), raw.begin(), raw.end());
        return *this;
    }
    BlockBytes& Entry(const Bytes& payload) { return Raw(Record(payload)).Word(0); }
    BlockBytes& Container(const Bytes& payload, const std::vector<Bytes>& children)
    {
        Raw(Record(payload));
        std::size_t size = 2;
        for (const Bytes& child : children)
            size += child.size() + 2;
        Word(size).Word(children.size());
        for (const Bytes& child : children)
            Raw(Record(child));
        return *this;
    }
    Bytes bytes;
};

TEST(ClipboardBlockBuild, OnePlainEntryOfTenBytesGivesFourteen)
{
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    list.Add(std::make_unique<PlainEntry>(&list, Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    const std::vector<int> rows{0};
    const auto block = CClipboardBlock::Build(list, rows);
    ASSERT_TRUE(block);
    EXPECT_EQ(*block, (Bytes{1, 0, 10, 0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0}));
}

TEST(ClipboardBlockBuild, ContainerTravelsWithItsEntriesOneLevelDeep)
{
    RecordingList group(nullptr, type_code::kStepChainGroup, true);
    auto* list = group.AddNew(std::make_unique<RecordingList>(&group, type_code::kStepChainList, true));
    list->payload = {7};
    auto* inner = list->AddNew(std::make_unique<RecordingList>(list, type_code::kStepChainList, false));
    inner->payload = {8, 8};
    // An entry of the inner list is not written: only one level travels.
    inner->Add(std::make_unique<PlainEntry>(inner, Bytes{9}));
    list->Add(std::make_unique<PlainEntry>(list, Bytes{5, 5, 5}));
    const std::vector<int> rows{0};
    const auto block = CClipboardBlock::Build(group, rows);
    ASSERT_TRUE(block);
    EXPECT_EQ(*block, BlockBytes().Word(1).Container({7}, {{8, 8}, {5, 5, 5}}).bytes);
}

TEST(ClipboardBlockBuild, RowsInTheOrderGiven)
{
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    for (std::uint8_t i = 0; i < 4; ++i)
        list.Add(std::make_unique<PlainEntry>(&list, Bytes{i}));
    const std::vector<int> rows{3, 1};
    EXPECT_EQ(CClipboardBlock::Build(list, rows), BlockBytes().Word(2).Entry({3}).Entry({1}).bytes);
}

TEST(ClipboardBlockBuild, NothingForNoRowsOrBadRows)
{
    RecordingSink sink;
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    const std::vector<int> none;
    const std::vector<int> first{0};
    EXPECT_FALSE(CClipboardBlock::Build(list, first)); // empty list
    list.Add(std::make_unique<PlainEntry>(&list, Bytes{1}));
    EXPECT_FALSE(CClipboardBlock::Build(list, none));
    const std::vector<int> outside{1};
    EXPECT_FALSE(CClipboardBlock::Build(list, outside));
    const std::vector<int> negative{-1};
    EXPECT_FALSE(CClipboardBlock::Build(list, negative));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(ClipboardBlockBuild, AtMost65535Bytes)
{
    RecordingSink sink;
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    // Count 2, record 65529 (size word and payload), children size 2.
    auto* entry = list.AddNew(std::make_unique<PlainEntry>(&list, Bytes(65527, 'x')));
    const std::vector<int> rows{0};
    const auto block = CClipboardBlock::Build(list, rows);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->size(), 65533u);
    entry->payload.resize(65529);
    EXPECT_EQ(CClipboardBlock::Build(list, rows)->size(), 65535u);
    EXPECT_TRUE(sink.messages.empty());

    entry->payload.resize(65530);
    EXPECT_FALSE(CClipboardBlock::Build(list, rows));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, CStringTable::Get(ids::kClipboardTooLarge));
}

TEST(ClipboardBlockBuild, EntryThatCannotWriteItsRecordIsReported)
{
    RecordingSink sink;
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    list.Add(std::make_unique<PlainEntry>(&list, Bytes{1}));
    list.Add(std::make_unique<PlainEntry>(&list, Bytes{kUnreadable}));
    const std::vector<int> rows{0, 1};
    EXPECT_FALSE(CClipboardBlock::Build(list, rows));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, CStringTable::Get(ids::kClipboardTooLarge));
}

TEST(ClipboardBlockPaste, IndicesFollowTheFirstSelectedRow)
{
    const Bytes block = BlockBytes().Word(3).Entry({1}).Entry({2}).Entry({3}).bytes;
    RecordingList unselected(nullptr, type_code::kSequenceFile, false);
    CClipboardBlock::Paste(unselected, block, -1);
    EXPECT_EQ(unselected.calls, (std::vector<Call>{{-1, {1}}, {-1, {2}}, {-1, {3}}}));

    RecordingList selected(nullptr, type_code::kSequenceFile, false);
    CDataEntry* last = CClipboardBlock::Paste(selected, block, 2);
    EXPECT_EQ(selected.calls, (std::vector<Call>{{2, {1}}, {3, {2}}, {4, {3}}}));
    EXPECT_EQ(last, selected.GetAt(2));
    EXPECT_EQ(selected.changes, 1);
}

TEST(ClipboardBlockPaste, EntriesOfAContainerAreAppendedInOrder)
{
    const Bytes block = BlockBytes().Word(2).Container({1}, {{10}, {11}, {12}}).Container({2}, {}).bytes;
    RecordingList group(nullptr, type_code::kStepChainGroup, true);
    CClipboardBlock::Paste(group, block, 5);
    EXPECT_EQ(group.calls, (std::vector<Call>{{5, {1}}, {6, {2}}}));
    ASSERT_EQ(group.GetCount(), 2);
    EXPECT_EQ(group.Child(0)->calls, (std::vector<Call>{{-1, {10}}, {0, {11}}, {1, {12}}}));
    EXPECT_EQ(group.Child(0)->changes, 1); // re-sorted once its entries are in
    EXPECT_TRUE(group.Child(1)->calls.empty());
}

TEST(ClipboardBlockPaste, RefusedContainerSkipsItsEntries)
{
    const Bytes block = BlockBytes().Word(2).Container({kRefused}, {{10}, {11}}).Container({2}, {{20}}).bytes;
    RecordingList group(nullptr, type_code::kStepChainGroup, true);
    CDataEntry* last = CClipboardBlock::Paste(group, block, -1);
    ASSERT_EQ(group.GetCount(), 1);
    EXPECT_EQ(last, group.GetAt(0));
    EXPECT_EQ(group.Child(0)->payload, Bytes{2});
    EXPECT_EQ(group.Child(0)->calls, (std::vector<Call>{{-1, {20}}}));
}

TEST(ClipboardBlockPaste, FullListEndsThePasteAfterARefusal)
{
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    list.capacity = 1;
    const Bytes block = BlockBytes().Word(3).Entry({1}).Entry({2}).Entry({3}).bytes;
    CClipboardBlock::Paste(list, block, -1);
    // The second is refused, and a full list takes nothing after it.
    EXPECT_EQ(list.calls.size(), 2u);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(ClipboardBlockPaste, RefusalOfANonFullListContinues)
{
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    const Bytes block = BlockBytes().Word(3).Entry({1}).Entry({kRefused}).Entry({3}).bytes;
    CDataEntry* last = CClipboardBlock::Paste(list, block, -1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(last, list.GetAt(1));
}

TEST(ClipboardBlockPaste, EntryTakenOutAgainEndsThePaste)
{
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    const Bytes block = BlockBytes().Word(3).Entry({1}).Entry({kTooBig}).Entry({3}).bytes;
    CDataEntry* last = CClipboardBlock::Paste(list, block, -1);
    EXPECT_EQ(list.calls.size(), 2u);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(last, list.GetAt(0));
}

TEST(ClipboardBlockPaste, EmptyBlockPastesNothingQuietly)
{
    RecordingSink sink;
    RecordingList list(nullptr, type_code::kSequenceFile, false);
    EXPECT_EQ(CClipboardBlock::Paste(list, BlockBytes().Word(0).bytes, -1), nullptr);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(ClipboardBlockPaste, ListThatTakesNothingFindsEveryBlockMalformed)
{
    RecordingSink sink;
    RecordingList plain(nullptr, type_code::kSequenceFile, false);
    class NoPaste : public RecordingList {
    public:
        NoPaste() : RecordingList(nullptr, type_code::kSequenceFile, false) {}
        std::unique_ptr<CDataEntry> NewClipboardEntry() override { return nullptr; }
    } list;
    EXPECT_EQ(CClipboardBlock::Paste(list, BlockBytes().Word(1).Entry({1}).bytes, -1), nullptr);
    EXPECT_TRUE(list.calls.empty());
    EXPECT_EQ(sink.messages.size(), 1u);
}

struct MalformedCase {
    const char* name;
    bool containers;
    Bytes block;
};

std::vector<MalformedCase> MalformedBlocks()
{
    const Bytes good = BlockBytes().Entry({1, 2}).bytes; // one well-formed entry, without count
    std::vector<MalformedCase> cases = {
        {"nothing", false, {}},
        {"half a count", false, {1}},
        {"count without entries", false, BlockBytes().Word(1).bytes},
        {"count above the entries", false, BlockBytes().Word(2).Raw(good).bytes},
        {"half a record size", false, BlockBytes().Word(1).Raw({4}).bytes},
        {"record size 0", false, BlockBytes().Word(1).Raw({0, 0, 0, 0}).bytes},
        {"record size 1", false, BlockBytes().Word(1).Raw({1, 0, 0, 0}).bytes},
        {"record past the end", false, BlockBytes().Word(1).Raw({9, 0, 1, 2}).bytes},
        {"record size 0xFFFF", false, BlockBytes().Word(1).Raw({0xFF, 0xFF, 1, 2, 0, 0}).bytes},
        {"unreadable record", false, BlockBytes().Word(1).Entry({kUnreadable}).bytes},
        {"unreadable second record", false, BlockBytes().Word(2).Raw(good).Entry({kUnreadable}).bytes},
        {"no children size", false, BlockBytes().Word(1).Raw(Record({1})).bytes},
        {"half a children size", false, BlockBytes().Word(1).Raw(Record({1})).Raw({0}).bytes},
        {"children behind a plain entry", false, BlockBytes().Word(1).Raw(Record({1})).Word(4).Word(0).bytes},
        {"bytes after the last entry", false, BlockBytes().Word(1).Raw(good).Raw({0}).bytes},
        {"bytes after a count of 0", false, BlockBytes().Word(0).Raw({0, 0}).bytes},
        {"children size past the end", true, BlockBytes().Word(1).Raw(Record({1})).Word(40).Word(0).bytes},
        {"children size 0", true, BlockBytes().Word(1).Raw(Record({1})).Word(0).bytes},
        {"children size 1", true, BlockBytes().Word(1).Raw(Record({1})).Word(1).Raw({0}).bytes},
        {"child count above the records", true,
         BlockBytes().Word(1).Raw(Record({1})).Word(2 + 3).Word(2).Raw(Record({5})).bytes},
        {"children size above the records", true,
         BlockBytes().Word(1).Raw(Record({1})).Word(2 + 3 + 1).Word(1).Raw(Record({5})).Raw({0}).bytes},
        {"children size below the records", true,
         BlockBytes().Word(1).Raw(Record({1})).Word(2 + 2).Word(1).Raw(Record({5})).bytes},
        {"child record size 0", true, BlockBytes().Word(1).Raw(Record({1})).Word(4).Word(1).Raw({0, 0}).bytes},
        {"unreadable child", true, BlockBytes().Word(1).Container({1}, {{2}, {kUnreadable}}).bytes},
        {"good container, then a cut one", true,
         BlockBytes().Word(2).Container({1}, {{2}}).Raw(Record({3})).Word(9).Word(1).bytes},
    };
    BlockBytes huge;
    huge.Word(1).Raw(Record(Bytes(65531, 1))).Word(0);
    cases.push_back({"above 65535 bytes", false, huge.bytes});
    return cases;
}

TEST(ClipboardBlockPaste, MalformedBlocksChangeNothing)
{
    for (const MalformedCase& c : MalformedBlocks()) {
        SCOPED_TRACE(c.name);
        RecordingSink sink;
        RecordingList list(nullptr, c.containers ? type_code::kStepChainGroup : type_code::kSequenceFile,
                           c.containers);
        list.Add(c.containers ? std::unique_ptr<CDataEntry>(std::make_unique<RecordingList>(&list, 17, false))
                              : std::make_unique<PlainEntry>(&list, Bytes{42}));
        EXPECT_FALSE(CClipboardBlock::Check(list, c.block));
        EXPECT_EQ(CClipboardBlock::Paste(list, c.block, 0), nullptr);
        EXPECT_TRUE(list.calls.empty());
        EXPECT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list.changes, 0);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, CStringTable::Get(ids::kClipboardDataInvalid));
    }
}

TEST(ClipboardBlockPaste, WellFormedNeighboursOfTheMalformedCasesPass)
{
    // The table above must fail for the reason it names, not for another.
    RecordingList plain(nullptr, type_code::kSequenceFile, false);
    RecordingList group(nullptr, type_code::kStepChainGroup, true);
    EXPECT_TRUE(CClipboardBlock::Check(plain, BlockBytes().Word(2).Entry({1, 2}).Entry({3}).bytes));
    EXPECT_TRUE(CClipboardBlock::Check(plain, BlockBytes().Word(1).Raw(Record({})).Word(0).bytes));
    EXPECT_TRUE(CClipboardBlock::Check(group, BlockBytes().Word(1).Raw(Record({1})).Word(2).Word(0).bytes));
    EXPECT_TRUE(CClipboardBlock::Check(group, BlockBytes().Word(2).Container({1}, {{2}}).Container({3}, {{4}}).bytes));
    // A plain entry in a list of containers is read as a container.
    EXPECT_FALSE(CClipboardBlock::Check(group, BlockBytes().Word(1).Entry({1}).bytes));
}

} // namespace
