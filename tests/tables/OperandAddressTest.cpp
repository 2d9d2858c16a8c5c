#include "data/sequence/SequenceEntry.h"
#include "tables/OperandAddress.h"

#include <gtest/gtest.h>

namespace {

using Class = OperandAddress::Class;

TEST(OperandAddress, EveryNotationMapsOntoTheFiveKinds)
{
    const struct {
        const char* text;
        int kind;
        unsigned number, bit;
    } cases[] = {
        {"E 12.1", kKindInput, 12, 1}, {"E12.1", kKindInput, 12, 1}, {"I 12.1", kKindInput, 12, 1},
        {"%I12.1", kKindInput, 12, 1}, {"%IX12.1", kKindInput, 12, 1}, {"i 0.7", kKindInput, 0, 7},
        {"A 4.0", kKindOutput, 4, 0}, {"Q4.0", kKindOutput, 4, 0}, {"%Q4.0", kKindOutput, 4, 0},
        {"%qx4.2", kKindOutput, 4, 2}, {"M 10.3", kKindMarker, 10, 3}, {"F10.3", kKindMarker, 10, 3},
        {"%M10.3", kKindMarker, 10, 3}, {"%MX10.3", kKindMarker, 10, 3}, {"T 5", kKindTimer, 5, 0},
        {"T5", kKindTimer, 5, 0}, {"%T5", kKindTimer, 5, 0}, {"Z 3", kKindCounter, 3, 0},
        {"C 3", kKindCounter, 3, 0}, {"%C3", kKindCounter, 3, 0}, {" z 255 ", kKindCounter, 255, 0},
    };
    for (const auto& c : cases) {
        const OperandAddress address = ParseOperandAddress(c.text);
        EXPECT_EQ(address.what, Class::operand) << c.text;
        EXPECT_EQ(address.kind, c.kind) << c.text;
        EXPECT_EQ(address.number, c.number) << c.text;
        EXPECT_EQ(address.bit, c.bit) << c.text;
        EXPECT_FALSE(address.outOfRange) << c.text;
    }
}

TEST(OperandAddress, BytesWordsAndBlocksAreAddressesButNoOperands)
{
    for (const char* text : {"MB 10", "EW 4", "%MW10", "%ID8", "AD 0", "DB10.DBX0.0", "DB 5", "PEW 256", "E 12"})
        EXPECT_EQ(ParseOperandAddress(text).what, Class::other) << text;
    for (const char* text : {"", "Motor 1", "X 1.0", "E 1.2.3", "T 5.1", "E.1", "%E1.0", "12.1", "E 1."})
        EXPECT_EQ(ParseOperandAddress(text).what, Class::none) << text;
}

TEST(OperandAddress, BytesOver255AndBitsOver7AreOutOfRangeNeverWrapped)
{
    const OperandAddress byte = ParseOperandAddress("E 300.1");
    EXPECT_TRUE(byte.outOfRange);
    EXPECT_EQ(byte.number, 300u);
    EXPECT_TRUE(ParseOperandAddress("M 1.8").outOfRange);
    EXPECT_TRUE(ParseOperandAddress("T 99999999999").outOfRange);
    EXPECT_FALSE(ParseOperandAddress("M 255.7").outOfRange);
}

} // namespace
