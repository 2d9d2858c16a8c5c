#include "data/text/Charset.h"

#include <gtest/gtest.h>

namespace {

TEST(Charset, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = charset::Cp1252ToUtf8(all);
    EXPECT_EQ(charset::Utf8ToCp1252(utf8), all);
}

TEST(Charset, HighBytesMapToTheirCodePoints)
{
    struct Case {
        unsigned char byte;
        const char* utf8;
    };
    const Case cases[] = {
        {0x80, "\u20AC"}, {0x8A, "\u0160"}, {0x96, "\u2013"}, {0x9F, "\u0178"}, {0xA0, "\u00A0"},
        {0xB0, "\u00B0"}, {0xC4, "\u00C4"}, {0xD6, "\u00D6"}, {0xDC, "\u00DC"}, {0xDF, "\u00DF"},
        {0xE4, "\u00E4"}, {0xF6, "\u00F6"}, {0xFC, "\u00FC"}, {0xFF, "\u00FF"}, {0x81, "\u0081"},
        {0x8D, "\u008D"}, {0x8F, "\u008F"}, {0x90, "\u0090"}, {0x9D, "\u009D"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(charset::Cp1252ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8) << int(c.byte);
}

TEST(Charset, EveryHighByteIsTwoOrThreeUtf8Bytes)
{
    for (int b = 0x80; b < 0x100; ++b) {
        const std::string utf8 = charset::Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
        EXPECT_TRUE(utf8.size() == 2 || utf8.size() == 3) << b;
        EXPECT_EQ(charset::Utf8ToCp1252(utf8), std::string(1, static_cast<char>(b))) << b;
    }
}

TEST(Charset, UnmappableAndMalformedBecomeReplacement)
{
    EXPECT_EQ(charset::Utf8ToCp1252("a\u4E2Db"), "a?b");
    EXPECT_EQ(charset::Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
    EXPECT_EQ(charset::Utf8ToCp1252("x\xC3"), "x?");
    EXPECT_EQ(charset::Utf8ToCp1252("\xC0\xAF"), "?");    // overlong
    EXPECT_EQ(charset::Utf8ToCp1252("\xED\xA0\x80"), "?"); // surrogate
    EXPECT_EQ(charset::Utf8ToCp1252("\xFF", '_'), "_");
    EXPECT_EQ(charset::Utf8ToCp1252("Gr\u00F6\u00DFe \u20AC"), "Gr\xF6\xDF" "e \x80");
}

} // namespace
