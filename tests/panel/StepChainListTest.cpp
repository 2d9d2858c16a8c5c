#include "data/records/FileException.h"
#include "data/text/StringTable.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::unique_ptr<CStepChainList> MakeList(int kind, const std::string& id = "001", const std::string& designation = "")
{
    auto list = std::make_unique<CStepChainList>(nullptr);
    list->SetProperties(id, kind, designation);
    return list;
}

CStepChainText* Add(CStepChainList& list, std::uint8_t operand, std::uint8_t bit, const std::string& text = "x")
{
    return list.AddNew(std::make_unique<CStepChainText>(&list, operand, bit, 0, 0, text));
}

Bytes Record(const CStepChainList& list)
{
    CMemFile out;
    list.WriteFileRecord(out);
    return out.GetImage();
}

std::unique_ptr<CStepChainList> ReadBack(const Bytes& record)
{
    auto list = std::make_unique<CStepChainList>(nullptr);
    CMemFile in(record);
    list->ReadFileRecord(in);
    EXPECT_EQ(in.GetRemaining(), 0u);
    return list;
}

// Header of a list record as the file holds it, before the blocks.
Bytes RecordHeader(const std::string& id, std::uint16_t size, const std::string& designation, std::uint8_t kind,
                   std::uint16_t blocks)
{
    Bytes bytes(id.begin(), id.end());
    bytes.push_back(static_cast<std::uint8_t>(size & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(size >> 8));
    bytes.push_back(static_cast<std::uint8_t>(designation.size() + 1));
    bytes.insert(bytes.end(), designation.begin(), designation.end());
    bytes.push_back(kind);
    bytes.push_back(static_cast<std::uint8_t>(blocks & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(blocks >> 8));
    return bytes;
}

std::vector<std::string> Keys(const CStepChainList& list)
{
    std::vector<std::string> keys;
    for (int i = 0; i < list.GetCount(); ++i)
        keys.push_back(std::to_string(list.GetText(i)->GetNumber()) + ":" + list.GetText(i)->GetOperandName());
    return keys;
}

TEST(StepChainList, EmptyTimerListHasSize41AndNoBlocks)
{
    const auto list = MakeList(4);
    EXPECT_EQ(list->ComputeSize(), 41u);
    EXPECT_EQ(list->GetListSize(), 41);
    EXPECT_EQ(Record(*list), RecordHeader("001", 41, std::string(32, ' '), 4, 0));
}

TEST(StepChainList, SortOrdersByByteAndBitAndRenumbers)
{
    const auto list = MakeList(1);
    Add(*list, 12, 3, "Zu");
    Add(*list, 12, 1, "Auf");
    Add(*list, 2, 7, "Vorn");
    list->Sort();
    EXPECT_EQ(Keys(*list), (std::vector<std::string>{"1:E002.07", "2:E012.01", "3:E012.03"}));
    // Two blocks (bytes 2 and 12), the stored texts and 3 bytes per text.
    EXPECT_EQ(list->ComputeSize(), 41u + 2 * 2 + (4 + 3 + 2) + 3 * 3);
}

TEST(StepChainList, AddNumbersAfterTheLastText)
{
    const auto list = MakeList(4);
    EXPECT_EQ(Add(*list, 9, 0)->GetNumber(), 1);
    EXPECT_EQ(Add(*list, 3, 0)->GetNumber(), 2);
}

TEST(StepChainList, FindTextUsesTheBitOnlyForBitKinds)
{
    const auto timers = MakeList(4);
    CStepChainText* t5 = Add(*timers, 5, 0);
    EXPECT_EQ(timers->FindText(5, 7), t5);
    EXPECT_EQ(timers->FindText(6, 0), nullptr);

    const auto inputs = MakeList(1);
    CStepChainText* e = Add(*inputs, 5, 2);
    EXPECT_EQ(inputs->FindText(5, 2), e);
    EXPECT_EQ(inputs->FindText(5, 3), nullptr);
    EXPECT_FALSE(inputs->HasDuplicate(e, 5, 2));
    Add(*inputs, 5, 2);
    EXPECT_TRUE(inputs->HasDuplicate(e, 5, 2));
    EXPECT_TRUE(inputs->HasDuplicate(nullptr, 5, 2));
}

TEST(StepChainList, OperandNamesAndColumns)
{
    const auto inputs = MakeList(1, "001", "Eingänge");
    const auto counters = MakeList(5, "002");
    const auto odd = MakeList(9, "003");
    auto* e = Add(*inputs, 12, 3, "Auf");
    EXPECT_EQ(e->GetOperandName(), "E012.03");
    EXPECT_EQ(Add(*counters, 7, 0)->GetOperandName(), "Z007");
    EXPECT_EQ(Add(*odd, 7, 0)->GetOperandName(), "?007");
    EXPECT_EQ(inputs->GetColumnText(1), "E001");
    EXPECT_EQ(inputs->GetColumnText(0), "Eingänge");
    EXPECT_EQ(counters->GetKindLetter(), "Z");
    EXPECT_EQ(e->GetColumnText(0), "1");
    EXPECT_EQ(e->GetColumnText(1), "E012.03");
    EXPECT_EQ(e->GetColumnText(4), "Auf");
    // A text does not order against a list.
    EXPECT_EQ(e->Compare(inputs.get()), 0);
}

TEST(StepChainList, DesignationIsPaddedTo32AndReadBackTrimmed)
{
    const auto list = MakeList(2, "007", "Pumpe");
    const Bytes record = Record(*list);
    EXPECT_EQ(record, RecordHeader("007", 41, "Pumpe" + std::string(27, ' '), 2, 0));
    EXPECT_EQ(ReadBack(record)->GetName(), "Pumpe");

    // Longer designations are stored at their length, and the size says so.
    const auto longer = MakeList(2, "008", std::string(40, 'd'));
    EXPECT_EQ(longer->ComputeSize(), 49u);
    EXPECT_EQ(Record(*longer).size(), 49u);
}

TEST(StepChainList, ShortIdentifiersArePaddedWithSpacesAndLongOnesRefused)
{
    const auto list = MakeList(4, "7");
    const Bytes record = Record(*list);
    EXPECT_EQ(Bytes(record.begin(), record.begin() + 3), (Bytes{'7', ' ', ' '}));
    EXPECT_EQ(ReadBack(record)->GetListId(), "7");

    const auto tooLong = MakeList(4, "0001");
    CMemFile out;
    EXPECT_THROW(tooLong->WriteFileRecord(out), CFileException);
}

struct BlockCase {
    const char* name;
    int kind;
    std::vector<std::pair<int, int>> operands; // byte/number, bit
    Bytes blocks; // block count word, then byte number and run length per block (bit kinds)
};

class StepChainListBlocks : public ::testing::TestWithParam<BlockCase> {};

TEST_P(StepChainListBlocks, AreWrittenAsTheFormatGroupsThem)
{
    const BlockCase& c = GetParam();
    const auto list = MakeList(c.kind);
    for (auto [operand, bit] : c.operands)
        Add(*list, static_cast<std::uint8_t>(operand), static_cast<std::uint8_t>(bit), "");
    const Bytes record = Record(*list);
    EXPECT_EQ(record.size(), list->ComputeSize());
    ASSERT_GE(record.size(), 41u);
    // Collect the block structure from the record: the count, then for bit
    // kinds each block's byte number and run length.
    Bytes blocks{record[39], record[40]};
    std::size_t pos = 41;
    const unsigned count = record[39] | (record[40] << 8);
    for (unsigned b = 0; b < count; ++b) {
        unsigned texts = 1;
        if (c.kind >= 1 && c.kind <= 3) {
            blocks.push_back(record[pos]);
            blocks.push_back(record[pos + 1]);
            texts = record[pos + 1];
            pos += 2;
        }
        pos += 3 * texts; // number, attributes, empty text's terminator
    }
    EXPECT_EQ(pos, record.size());
    EXPECT_EQ(blocks, c.blocks);
}

std::vector<std::pair<int, int>> ManyBits(int count)
{
    std::vector<std::pair<int, int>> operands;
    for (int bit = 0; bit < count; ++bit)
        operands.emplace_back(4, bit);
    return operands;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, StepChainListBlocks,
    ::testing::Values(
        BlockCase{"RunsOfEqualBytes", 1, {{1, 0}, {1, 1}, {3, 5}}, {2, 0, 1, 2, 3, 1}},
        BlockCase{"UnsortedTextsAreWrittenInKeyOrder", 3, {{3, 5}, {1, 1}, {1, 0}}, {2, 0, 1, 2, 3, 1}},
        BlockCase{"TimersOneBlockEach", 4, {{1, 0}, {2, 0}}, {2, 0}},
        BlockCase{"DuplicateCountersStayTwoBlocks", 5, {{7, 0}, {7, 0}}, {2, 0}},
        BlockCase{"MoreThan255TextsUnderOneByteSplit", 2, ManyBits(256), {2, 0, 4, 255, 4, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StepChainText, ReferencesAreStoredEscapedAndReadWithThreeDigits)
{
    struct Case {
        std::string text;
        Bytes stored;
        std::string readBack;
    };
    const Case cases[] = {
        {"Level @12 m", {'L', 'e', 'v', 'e', 'l', ' ', 0x1B, 12, 0, ' ', 'm'}, "Level @012 m"},
        {"@", {0x1B, 0, 0}, "@000"},
        {"@70000", {0x1B, 0x70, 0x11}, "@4464"},
        {"A@5B", {'A', 0x1B, 5, 0, 'B'}, "A@005B"},
        // Raw 0 and ESC bytes would end the text or start a false reference.
        {std::string("a\0b\x1B" "c", 5), {'a', ' ', 'b', ' ', 'c'}, "a b c"},
    };
    for (const Case& c : cases) {
        const auto list = MakeList(4);
        auto* text = Add(*list, 1, 0, c.text);
        EXPECT_EQ(text->GetStoredLength(), c.stored.size()) << c.readBack;
        const Bytes record = Record(*list);
        const Bytes stored(record.begin() + 43, record.end() - 1);
        EXPECT_EQ(stored, c.stored) << c.readBack;
        EXPECT_EQ(ReadBack(record)->GetText(0)->GetText(), c.readBack);
    }
}

TEST(StepChainText, AttributesArePackedIntoOneByte)
{
    const auto list = MakeList(4);
    list->AddNew(std::make_unique<CStepChainText>(list.get(), 1, 0, 31, 7, ""));
    list->AddNew(std::make_unique<CStepChainText>(list.get(), 2, 0, 5, 2, ""));
    // Out of range: each keeps to its own bits.
    list->AddNew(std::make_unique<CStepChainText>(list.get(), 3, 0, 0x25, 0x09, ""));
    const Bytes record = Record(*list);
    EXPECT_EQ(record[42], 0xFF);
    EXPECT_EQ(record[45], (2 << 5) | 5);
    EXPECT_EQ(record[48], (1 << 5) | 5);
    const auto back = ReadBack(record);
    EXPECT_EQ(back->GetText(1)->GetAttribute1(), 5);
    EXPECT_EQ(back->GetText(1)->GetAttribute2(), 2);
}

TEST(StepChainListRead, BlocksMayNotStartPastTheSizeField)
{
    Bytes ok = RecordHeader("001", 0, "", 4, 2);
    for (const char* text : {"Eins", "Zwei"}) {
        ok.push_back(1);
        ok.push_back(0);
        ok.insert(ok.end(), text, text + 4);
        ok.push_back(0);
    }
    // Header 9 bytes (no padding in this hand-made record), texts 7 each.
    ASSERT_EQ(ok.size(), 23u);
    const auto withSize = [&](std::uint8_t size) {
        Bytes bytes = ok;
        bytes[3] = size;
        return bytes;
    };
    // The second block starts 16 bytes in: a size of 16 still lets it start,
    // and the size field is recomputed for the designation as it is stored.
    EXPECT_EQ(ReadBack(withSize(16))->GetCount(), 2);
    EXPECT_EQ(ReadBack(withSize(16))->GetListSize(), 41 + 2 * 7);
    CStepChainList list(nullptr);
    CMemFile in(withSize(15));
    EXPECT_THROW(list.ReadFileRecord(in), CFileException);
}

TEST(StepChainListRead, RecordCutShortAnywhereIsAnError)
{
    const auto list = MakeList(1, "001", "L");
    Add(*list, 12, 1, "Auf");
    Add(*list, 12, 3, "Zu");
    const Bytes record = Record(*list);
    for (std::size_t length = 0; length < record.size(); ++length) {
        CStepChainList cut(nullptr);
        CMemFile in(Bytes(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_THROW(cut.ReadFileRecord(in), CFileException) << length;
    }
}

TEST(StepChainClipboard, RecordsCarryTheShownForms)
{
    const auto list = MakeList(1, "012", "Ventile");
    auto* text = Add(*list, 12, 3, "Druck @7 bar");
    ASSERT_EQ(text->GetRecordSize(), 12u + 16u);
    Bytes textRecord(text->GetRecordSize(), 0xEE);
    ASSERT_TRUE(text->WriteRecord(textRecord));
    EXPECT_EQ(textRecord[0], 28);
    EXPECT_EQ(textRecord[4], 1);
    EXPECT_EQ(textRecord[8], 12);
    EXPECT_EQ(textRecord[9], 3);
    EXPECT_EQ(std::string(textRecord.begin() + 12, textRecord.begin() + 24), "Druck @7 bar");
    EXPECT_EQ(textRecord[24], 0);
    CStepChainText pasted(list.get());
    ASSERT_TRUE(pasted.ReadRecord(textRecord));
    EXPECT_EQ(pasted.GetOperandName(), "E012.03");
    EXPECT_EQ(pasted.GetText(), "Druck @7 bar");
    Bytes small(10);
    EXPECT_FALSE(text->WriteRecord(small));

    Bytes listRecord(list->GetRecordSize());
    ASSERT_EQ(listRecord.size(), 7u + 12u);
    ASSERT_TRUE(list->WriteRecord(listRecord));
    CStepChainList other(nullptr);
    ASSERT_TRUE(other.ReadRecord(listRecord));
    EXPECT_EQ(other.GetListId(), "012");
    EXPECT_EQ(other.GetKind(), 1);
    EXPECT_EQ(other.GetName(), "Ventile");
    EXPECT_EQ(other.GetListSize(), 41); // recomputed: no texts yet
}

} // namespace
