#include "data/text/Charset.h"
#include "tables/TableError.h"
#include "tables/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, TheByteOrderMarkDecidesElseValidMultiByteUtf8)
{
    const struct {
        std::string bytes;
        TextEncoding expected;
    } cases[] = {
        {"\xEF\xBB\xBFplain", TextEncoding::utf8},
        {"\xFF\xFE" "a\0", TextEncoding::utf16le},
        {"\xFE\xFF\0a", TextEncoding::utf16be},
        {"Sch\xC3\xBCtz", TextEncoding::utf8},
        // ASCII only, or one byte that is no UTF-8: the Windows code page.
        {"plain text", TextEncoding::windows1252},
        {"Sch\xFCtz \xC3\xBC", TextEncoding::windows1252},
        // An overlong form is not valid UTF-8.
        {"\xC0\xAF", TextEncoding::windows1252},
        {"", TextEncoding::windows1252},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectEncoding(c.bytes), c.expected) << c.bytes;
}

TEST(TextEncoding, Utf8BecomesWindows1252AndLostCharactersAreCountedByLine)
{
    // Ü and € have Windows-1252 bytes; the arrow and the emoji do not.
    const DecodedText decoded = DecodeText("\xEF\xBB\xBF\xC3\x9C\xE2\x82\xAC\nok\nA\xE2\x86\x92" "B\xF0\x9F\x98\x80\n");
    EXPECT_EQ(decoded.encoding, TextEncoding::utf8);
    EXPECT_EQ(decoded.text, "\xDC\x80\nok\nA?B?\n");
    EXPECT_EQ(decoded.replacedCharacters, 2u);
    EXPECT_EQ(decoded.replacedLines, std::vector<std::size_t>{2});
}

// Texts are looked at eight bytes at a time: a character beyond ASCII is
// put at every place of such a step, after runs of every length.
TEST(TextEncoding, ACharacterAnywhereInALongTextIsConvertedAndItsLineNamed)
{
    for (std::size_t at = 0; at < 20; ++at) {
        for (const std::string character : {"\xC3\xBC", "\xE2\x86\x92", "\xC2\x80"}) {
            const std::string text = std::string(at, 'a') + character + "\n" + std::string(19 - at, 'b') + "\xC3\x9Cx\n";
            const DecodedText decoded = DecodeText(text, TextEncoding::utf8);
            EXPECT_EQ(decoded.text, charset::Utf8ToCp1252(text)) << at;
            const bool lost = character != "\xC3\xBC";
            EXPECT_EQ(decoded.replacedLines, lost ? std::vector<std::size_t>{0} : std::vector<std::size_t>{}) << at;
        }
        EXPECT_EQ(DetectEncoding(std::string(at, 'a') + "\xC3\xBC" + std::string(19 - at, 'b') + "\xC3"),
                  TextEncoding::windows1252) << at;
    }
}

TEST(TextEncoding, Utf16InBothByteOrdersWithPairsAndLoneSurrogates)
{
    const std::string le("\xFF\xFE" "\xDC\x00" "\n\x00" "\x3D\xD8\x00\xDE" "\x00\xD8" "x\x00", 14);
    const DecodedText fromLe = DecodeText(le);
    EXPECT_EQ(fromLe.encoding, TextEncoding::utf16le);
    EXPECT_EQ(fromLe.text, "\xDC\n??x");
    EXPECT_EQ(fromLe.replacedCharacters, 2u);
    EXPECT_EQ(fromLe.replacedLines, std::vector<std::size_t>{1});

    const std::string be("\xFE\xFF\x20\xAC\x00z", 6);
    EXPECT_EQ(DecodeText(be).text, "\x80z");
    // Chosen without a mark: the bytes as they are.
    EXPECT_EQ(DecodeText(std::string("\x00z", 2), TextEncoding::utf16be).text, "z");
}

TEST(TextEncoding, Windows1252IsTakenByteForByteAndAnOddUtf16IsRefused)
{
    const std::string bytes("\x81\x8D\xFF\x00 x", 6);
    const DecodedText decoded = DecodeText(bytes);
    EXPECT_EQ(decoded.text, bytes);
    EXPECT_EQ(decoded.replacedCharacters, 0u);
    EXPECT_THROW(DecodeText(std::string("\xFF\xFE" "a\0b", 5)), CTableError);
}

TEST(TextEncoding, NamesOfTheOptionAndOfTheMessages)
{
    EXPECT_EQ(EncodingFromName("UTF-8"), TextEncoding::utf8);
    EXPECT_EQ(EncodingFromName("windows-1252"), TextEncoding::windows1252);
    EXPECT_EQ(EncodingFromName("utf-16"), TextEncoding::utf16le);
    EXPECT_EQ(EncodingFromName("latin-9"), std::nullopt);
    EXPECT_EQ(EncodingName(TextEncoding::utf16be), "UTF-16 BE");
}

} // namespace
