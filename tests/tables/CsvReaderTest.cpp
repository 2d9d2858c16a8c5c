#include "tables/CsvReader.h"
#include "tables/TableError.h"

#include <gtest/gtest.h>

namespace {

using Records = std::vector<std::vector<std::string>>;

Records ReadAll(std::string_view text, char separator)
{
    CCsvReader reader(text, separator);
    Records records;
    std::vector<std::string> fields;
    while (reader.Next(fields))
        records.push_back(fields);
    return records;
}

TEST(CsvReader, QuotedFieldsHoldQuotesSeparatorsAndLineBreaks)
{
    EXPECT_EQ(ReadAll("a;\"b \"\"c\"\"\";\"d;e\"\r\n\"f\ng\";h\n", ';'),
              (Records{{"a", "b \"c\"", "d;e"}, {"f\ng", "h"}}));
    // Empty fields, a last line without its end, a quote inside a field.
    EXPECT_EQ(ReadAll(",,x\ny\"z\",", ','), (Records{{"", "", "x"}, {"y\"z\"", ""}}));
    EXPECT_EQ(ReadAll("a\tb c\n", '\t'), (Records{{"a", "b c"}}));
}

// Fields are searched eight bytes at a time: separators, line ends and
// other control characters at every place of such a step.
TEST(CsvReader, FieldsEndWhereverTheirSeparatorFalls)
{
    for (std::size_t length = 0; length < 20; ++length) {
        const std::string plain(length, 'x');
        const std::string high(length, '\xFC');
        EXPECT_EQ(ReadAll(plain + ";" + high + "\r" + plain + ",\t\x01z\r\n" + plain + "\n", ';'),
                  (Records{{plain, high + "\r" + plain + ",\t\x01z"}, {plain}}))
            << length;
        EXPECT_EQ(ReadAll(high + "\t" + plain + ";\r\n", '\t'), (Records{{high, plain + ";"}})) << length;
    }
}

TEST(CsvReader, RecordsKnowTheirNumberAndLines)
{
    CCsvReader reader("one\n\"two\nlines\"\nthree\n", ';');
    std::vector<std::string> fields;
    ASSERT_TRUE(reader.Next(fields));
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_EQ(reader.Record(), 2u);
    EXPECT_EQ(reader.FirstLine(), 1u);
    EXPECT_EQ(reader.LastLine(), 2u);
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_EQ(reader.FirstLine(), 3u);
    EXPECT_FALSE(reader.Next(fields));
}

TEST(CsvReader, AQuoteNeverClosedNamesItsRecord)
{
    CCsvReader reader("a;b\nc;\"d\ne;f\n", ';');
    std::vector<std::string> fields;
    ASSERT_TRUE(reader.Next(fields));
    try {
        reader.Next(fields);
        FAIL() << "no error";
    } catch (const CTableError& error) {
        EXPECT_EQ(error.Row(), 2u);
    }
}

TEST(CsvReader, TheSeparatorIsTheOneThatGivesTheSameFieldCountMostOften)
{
    EXPECT_EQ(CCsvReader::DetectSeparator("a;b;c\n1;2;3\n"), ';');
    // A comma in a comment of a semicolon table, and a title line with
    // fewer fields, do not mislead it; of two that agree as often, the one
    // with more fields wins.
    EXPECT_EQ(CCsvReader::DetectSeparator("Symboltabelle, Stand 3\nE 0.0;S1;Taster, rot\nE 0.1;S2;Taster gr\xFCn\n"), ';');
    EXPECT_EQ(CCsvReader::DetectSeparator("Title\nI0.0,S1,c\nI0.1,S2,d\nI0.2,S3,e\n"), ',');
    EXPECT_EQ(CCsvReader::DetectSeparator("E 0.0\tS1\tx; y\nE 0.1\tS2\tz\n"), '\t');
    EXPECT_EQ(CCsvReader::DetectSeparator("no separator at all\n"), ';');
}

TEST(CsvReader, ARowOfMoreThan16MegabytesIsRefusedWithItsNumber)
{
    const std::string text = "a;b\n" + std::string(CCsvReader::kMaxRecordSize, 'x') + "\nc;d\n";
    EXPECT_THROW(
        try { ReadAll(text, ';'); } catch (const CTableError& error) {
            EXPECT_EQ(error.Row(), 2u);
            EXPECT_STREQ(error.what(), "more than 16 MB in one row");
            throw;
        },
        CTableError);
    EXPECT_EQ(ReadAll(std::string(CCsvReader::kMaxRecordSize - 1, 'x'), ';').size(), 1u);
}

} // namespace
