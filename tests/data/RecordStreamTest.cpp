#include "data/records/FileException.h"
#include "data/records/RecordStream.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

CFileException::Cause CauseOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CFileException& e) {
        return e.GetCause();
    }
    return CFileException::Cause::none;
}

TEST(RecordStream, BytesAndWordsAreLittleEndian)
{
    CMemFile out;
    record::WriteByte(out, 0x0C);
    record::WriteWord(out, 0x1234);
    EXPECT_EQ(out.GetImage(), (Bytes{0x0C, 0x34, 0x12}));

    CMemFile in(out.GetImage());
    std::uint8_t b = 0;
    std::uint16_t w = 0;
    record::ReadByte(in, b);
    record::ReadWord(in, w);
    EXPECT_EQ(b, 0x0C);
    EXPECT_EQ(w, 0x1234);
}

TEST(RecordStream, ReadsAtTheEndLeaveTargetsUnchanged)
{
    CMemFile in(Bytes{0x01});
    std::uint8_t b = 7;
    std::uint16_t w = 9;
    record::ReadByte(in, b);
    EXPECT_EQ(b, 1);
    record::ReadByte(in, b);
    EXPECT_EQ(b, 1);
    record::ReadWord(in, w);
    EXPECT_EQ(w, 9);
    // Half a word is no word either.
    CMemFile half(Bytes{0x05});
    record::ReadWord(half, w);
    EXPECT_EQ(w, 9);
}

TEST(RecordStream, CountedStringLimits)
{
    CMemFile out;
    record::WriteCountedString(out, "");
    EXPECT_EQ(out.GetImage(), Bytes{1});
    const std::string max(80, 'x');
    record::WriteCountedString(out, max);
    EXPECT_EQ(CauseOf([&] { record::WriteCountedString(out, std::string(81, 'x')); }),
              CFileException::Cause::generic);

    CMemFile in(out.GetImage());
    EXPECT_EQ(record::ReadCountedString(in), "");
    EXPECT_EQ(record::ReadCountedString(in), max);
    EXPECT_EQ(in.GetRemaining(), 0u);
}

TEST(RecordStream, CountedStringFormatErrors)
{
    EXPECT_EQ(CauseOf([] { CMemFile in(Bytes{0}); record::ReadCountedString(in); }), CFileException::Cause::generic);
    EXPECT_EQ(CauseOf([] { CMemFile in(Bytes{82}); record::ReadCountedString(in); }), CFileException::Cause::generic);
    // At the end of the data the length byte reads as 0.
    EXPECT_EQ(CauseOf([] { CMemFile in(Bytes{}); record::ReadCountedString(in); }), CFileException::Cause::generic);
    // The characters run past the data.
    EXPECT_EQ(CauseOf([] { CMemFile in(Bytes{5, 'a', 'b'}); record::ReadCountedString(in); }),
              CFileException::Cause::endOfFile);
    // Length byte 81: 80 characters, the longest allowed.
    Bytes longest{81};
    longest.resize(81, 'y');
    CMemFile in(longest);
    EXPECT_EQ(record::ReadCountedString(in), std::string(80, 'y'));
}

TEST(RecordStream, EscapedStringKeepsEscapeTriplesWithZeros)
{
    CMemFile in(Bytes{'A', 27, 0, 0, 'B', 0, 'n', 'e', 'x', 't', 0});
    EXPECT_EQ(record::ReadEscapedString(in), std::string("A\x1B\0\0B", 5));
    EXPECT_EQ(record::ReadEscapedString(in), "next");
}

TEST(RecordStream, EscapedStringEndsAtEndOfData)
{
    for (const Bytes& data : {Bytes{}, Bytes{'a', 'b'}, Bytes{'a', 27}, Bytes{'a', 27, 5}, Bytes{27, 0, 0}}) {
        CMemFile in(data);
        EXPECT_EQ(CauseOf([&] { record::ReadEscapedString(in); }), CFileException::Cause::endOfFile);
    }
}

TEST(RecordStream, TerminatedStringAndCode)
{
    CMemFile out;
    record::WriteTerminatedString(out, "Auf");
    record::WriteCode(out, "S01");
    EXPECT_EQ(out.GetImage(), (Bytes{'A', 'u', 'f', 0, 'S', '0', '1'}));
    EXPECT_EQ(CauseOf([&] { record::WriteCode(out, "S1"); }), CFileException::Cause::generic);
    EXPECT_EQ(CauseOf([&] { record::WriteCode(out, "S001"); }), CFileException::Cause::generic);
    CMemFile in(Bytes{'0', '0'});
    EXPECT_EQ(CauseOf([&] { record::ReadCode(in); }), CFileException::Cause::endOfFile);
}

TEST(RecordStream, LongHeaderPadsAndTrimsTheName)
{
    CMemFile out;
    record::LongHeader header{12, 97, "P1", "S01", "Test "};
    record::WriteLongHeader(out, header);
    Bytes expected{0x0C, 0x61, 0x00, 0x03, 'P', '1', 'S', '0', '1', 0x21, 'T', 'e', 's', 't'};
    expected.resize(expected.size() + 28, ' ');
    EXPECT_EQ(out.GetImage(), expected);

    CMemFile in(out.GetImage());
    const auto back = record::ReadLongHeader(in);
    EXPECT_EQ(back.kind, 12);
    EXPECT_EQ(back.value, 97);
    EXPECT_EQ(back.projectName, "P1");
    EXPECT_EQ(back.code, "S01");
    EXPECT_EQ(back.name, "Test");
}

TEST(RecordStream, ShortHeader)
{
    CMemFile in(Bytes{1, 0x34, 0x12, 4, 'A', 'B', 'C', 0xFF});
    const auto header = record::ReadShortHeader(in);
    EXPECT_EQ(header.kind, 1);
    EXPECT_EQ(header.value, 0x1234);
    EXPECT_EQ(header.name, "ABC");
    CMemFile cut(Bytes{1, 0, 0});
    EXPECT_EQ(CauseOf([&] { record::ReadShortHeader(cut); }), CFileException::Cause::generic);
}

TEST(RecordStream, TrimRightRemovesWhiteSpaceOnly)
{
    EXPECT_EQ(record::TrimRight("ab \t\r\n\v\f "), "ab");
    EXPECT_EQ(record::TrimRight("  a b"), "  a b");
    EXPECT_EQ(record::TrimRight("   "), "");
    EXPECT_EQ(record::PadTo32("L"), "L" + std::string(31, ' '));
    EXPECT_EQ(record::PadTo32(std::string(40, 'x')), std::string(40, 'x'));
}

struct ReferenceCase {
    std::string shown;
    std::string stored;
    std::string decoded;
};

TEST(RecordStream, ReferenceEscapes)
{
    const std::vector<ReferenceCase> cases = {
        {"A@5B", std::string("A\x1B\x05\0B", 5), "A@005B"},
        {"Level @12 m", std::string("Level \x1B\x0C\0 m", 11), "Level @012 m"},
        {"@", std::string("\x1B\0\0", 3), "@000"},
        {"@70000", std::string("\x1B\x70\x11", 3), "@4464"},
        {"@@@@@@", std::string("\x1B\0\0\x1B\0\0\x1B\0\0\x1B\0\0\x1B\0\0\x1B\0\0", 18),
         "@000@000@000@000@000@000"},
        {"@ -1x", std::string("\x1B\xFF\xFFx", 4), "@65535x"},
        {"@99999999999", std::string("\x1B\xFF\xFF", 3), "@65535"},
        {"kein Verweis", "kein Verweis", "kein Verweis"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(record::EncodeReferences(c.shown), c.stored) << c.shown;
        EXPECT_EQ(record::StoredLength(c.shown), c.stored.size()) << c.shown;
        EXPECT_EQ(record::DecodeReferences(c.stored), c.decoded) << c.shown;
    }
}

TEST(RecordStream, ControlBytesAreStoredAsSpaces)
{
    const std::string shown("a\0b\x1B" "c@1", 7);
    const std::string stored = record::EncodeReferences(shown);
    EXPECT_EQ(stored, std::string("a b c\x1B\x01\0", 8));
    EXPECT_EQ(record::StoredLength(shown), stored.size());
}

TEST(RecordStream, DecodeOfTruncatedEscapeIsSafe)
{
    EXPECT_EQ(record::DecodeReferences(std::string("x\x1B", 2)), "x@000");
    EXPECT_EQ(record::DecodeReferences(std::string("x\x1B\x05", 3)), "x@005");
}

TEST(RecordStream, StoredTextRoundTripsThroughTheFileForm)
{
    CMemFile out;
    const std::string shown = "Druck @3 bar, @ 12";
    record::WriteTerminatedString(out, record::EncodeReferences(shown));
    CMemFile in(out.GetImage());
    EXPECT_EQ(record::DecodeReferences(record::ReadEscapedString(in)), "Druck @003 bar, @012");
}

} // namespace
