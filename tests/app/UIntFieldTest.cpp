#include "app/widgets/UIntField.h"

#include <gtest/gtest.h>

namespace {

struct FieldCase {
    const char* text;
    CUIntField::Result result;
    unsigned value;
};

class UIntFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(UIntFieldTest, ChecksTextAgainstOneTo255)
{
    const FieldCase& c = GetParam();
    const CUIntField field(1, 255);
    unsigned value = 4711;
    EXPECT_EQ(field.Check(c.text, value), c.result) << '"' << c.text << '"';
    EXPECT_EQ(value, c.result == CUIntField::Result::ok ? c.value : 4711u) << '"' << c.text << '"';
}

using R = CUIntField::Result;
INSTANTIATE_TEST_SUITE_P(Cases, UIntFieldTest,
                         ::testing::Values(FieldCase{"1", R::ok, 1}, FieldCase{"255", R::ok, 255},
                                           FieldCase{"007", R::ok, 7}, FieldCase{" 42 ", R::ok, 42},
                                           FieldCase{"0", R::outOfRange, 0}, FieldCase{"256", R::outOfRange, 0},
                                           FieldCase{"99999999999999999999", R::outOfRange, 0},
                                           FieldCase{"", R::empty, 0}, FieldCase{"   ", R::empty, 0},
                                           FieldCase{"-5", R::notNumber, 0}, FieldCase{"+5", R::notNumber, 0},
                                           FieldCase{"1 2", R::notNumber, 0}, FieldCase{"12a", R::notNumber, 0},
                                           FieldCase{"０", R::notNumber, 0}));

TEST(UIntField, MessagesNameTheRange)
{
    const CUIntField size(1, 32);
    unsigned value = 0;
    EXPECT_EQ(size.Check("33", value), R::outOfRange);
    EXPECT_EQ(size.Check("32", value), R::ok);
    EXPECT_EQ(size.Message(R::outOfRange), "Die Zahl muss zwischen 1 und 32 liegen.");
    EXPECT_EQ(size.Message(R::empty), "Bitte geben Sie eine ganze Zahl zwischen 1 und 32 ein.");
    EXPECT_EQ(size.Message(R::notNumber), size.Message(R::empty));
    EXPECT_EQ(size.Message(R::ok), "");
}

TEST(UIntField, OnlyAsciiDigitsCanBeTyped)
{
    EXPECT_TRUE(CUIntField::IsDigit(U'0'));
    EXPECT_TRUE(CUIntField::IsDigit(U'9'));
    EXPECT_FALSE(CUIntField::IsDigit(U'a'));
    EXPECT_FALSE(CUIntField::IsDigit(U'-'));
    EXPECT_FALSE(CUIntField::IsDigit(U'\uFF10'));
}

} // namespace
