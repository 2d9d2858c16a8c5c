// The history's own files: content names, the index as written and read
// back, and entries that are damaged or made to lead elsewhere.
#include "data/text/Charset.h"
#include "history/HistoryIndex.h"
#include "history/ContentHash.h"
#include "tests/history/HistoryFixture.h"

#include <gtest/gtest.h>

namespace {

std::string HashOf(const std::string& text)
{
    return content_hash::HexOf({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// The names of kept contents are stored: they must stay the same from one
// version to the next (the values are those of xxhsum -H2).
TEST(ContentHash, StoredNamesAreTheCanonicalXxh128)
{
    EXPECT_EQ(HashOf(""), "99aa06d3014798d86001c324468d497f");
    EXPECT_EQ(HashOf("abc"), "06b05ab6733a618578af5f94892f3950");
    EXPECT_EQ(HashOf(std::string(1000000, 'a')), "a545df8e384a9579b1fd6fae5285c4eb");
}

const std::string kHash = std::string(32, 'a');

std::string Record(int id, const std::string& file, const std::string& more = {})
{
    return "op " + std::to_string(id) + " done\ntime 1\nkind convert\ndescription Konvertierung " + std::to_string(id)
        + "\n" + more + "file " + file + "\nend\n";
}

TEST(HistoryIndex, WhatIsWrittenReadsBackTheSame)
{
    CHistoryIndex index;
    CHistoryIndex::Record record;
    record.id = 4;
    record.time = 1765290000;
    record.kind = "undo";
    record.description = charset::Utf8ToCp1252("Rückgängig: Einfügen");
    record.subject = charset::Utf8ToCp1252("Einfügen");
    record.takes = {2, 3};
    record.files = {{"GS01.731", CFileState::Absent(), CFileState::Parse("97:" + kHash).value()},
                    {charset::Utf8ToCp1252("GÄ01.731"), CFileState::Parse("5:" + kHash).value(), CFileState::Absent()}};
    index.records = {record};
    index.redo = {4};
    const CHistoryIndex read = CHistoryIndex::Parse(index.ToText(), "731");
    EXPECT_TRUE(read.damagedLines.empty());
    EXPECT_EQ(read.ToText(), index.ToText());
    EXPECT_EQ(read.records.at(0).files.at(1).name, record.files[1].name);
}

TEST(HistoryIndex, DamagedAndHostileEntriesAreLeftOutAndTheRestIsKept)
{
    const std::string good = "GS01.731 - 3:" + kHash;
    const std::vector<std::string> hostile = {
        "../GS01.731 - 3:" + kHash,         // out of the folder
        "G..\\.731 - 3:" + kHash,           // the same on Windows
        "C:GS01.731 - 3:" + kHash,          // a drive letter
        "/tmp/GS01.731 - 3:" + kHash,       // absolute
        "SDAT.731 - 3:" + kHash,            // a project file, but no group file
        "GS01.exe - 3:" + kHash,            // another extension
        "GS01.731 - 3:" + kHash.substr(1),  // a hash cut short
        "GS01.731 x 3:" + kHash,            // no state
        "GS01.731 - -12:" + kHash,          // a negative size
        "GS01.731 - ?",                     // unknown in a finished operation
    };
    std::string text = "morawin-history 1\nundo 1 2 3\nredo\n" + Record(1, good);
    for (std::size_t i = 0; i < hostile.size(); ++i)
        text += Record(static_cast<int>(10 + i), hostile[i]);
    text += Record(2, good, "time x\n") + Record(1, good) + "op 3 done\nkind convert\n" + Record(4, good);
    const CHistoryIndex index = CHistoryIndex::Parse(text, "731");
    ASSERT_EQ(index.records.size(), 2u);
    EXPECT_EQ(index.records[0].id, 1);
    EXPECT_EQ(index.records[1].id, 4);
    EXPECT_EQ(index.damagedLines.size(), hostile.size() + 3);
    EXPECT_EQ(index.undo, std::vector<int>{1});
    // Cut short anywhere, the index still reads, and never names more.
    for (std::size_t cut = 0; cut < text.size(); cut += 7)
        EXPECT_LE(CHistoryIndex::Parse(text.substr(0, cut), "731").records.size(), 2u);
}

class HostileHistory : public HistoryFixture {};

TEST_F(HostileHistory, AnEntryNamingAFileOutsideTheProjectIsNeverFollowed)
{
    ExistingGroup("S01", {{"E 0.0", "alt"}});
    const Files before = GroupFiles();
    Convert(Inputs(70));
    const Files after = GroupFiles();
    // A hostile entry of the same content, as the newest operation: its
    // names lead out of the folder.
    const std::string bytes = ReadText(dir / "GS01.731");
    const std::string state = std::to_string(bytes.size()) + ":" + HashOf(bytes);
    std::string text = ReadText(history->Folder() / "index");
    text.replace(text.find("undo 1"), 6, "undo 1 9");
    text += "op 9 done\ntime 1\nkind convert\ndescription x\nfile ../GS01.731 " + state + " -\nend\n";
    WriteText(history->Folder() / "index", text);
    WriteText(dir / "../GS01.731", bytes);

    EXPECT_EQ(history->Read().damagedLines.size(), 1u);
    EXPECT_EQ(history->Undo().outcome, CProjectHistory::TakeBack::Outcome::done);
    EXPECT_EQ(GroupFiles(), before);
    EXPECT_EQ(ReadText(dir / "../GS01.731"), bytes) << "a file outside the project was touched";
    std::filesystem::remove(dir / "../GS01.731");
    EXPECT_EQ(history->Redo().outcome, CProjectHistory::TakeBack::Outcome::done);
    EXPECT_EQ(GroupFiles(), after);
}

TEST_F(HostileHistory, AContentOfAnotherSizeOrHashIsRefusedAndNothingIsWritten)
{
    ExistingGroup("S01", {{"E 0.0", "alt"}});
    Convert(Inputs(70));
    const Files after = GroupFiles();
    for (const auto& blob : std::filesystem::directory_iterator(history->Folder() / "blobs")) {
        std::string content = ReadText(blob.path());
        content[content.size() / 2] ^= 1;
        WriteText(blob.path(), content);
    }
    const auto result = history->Undo();
    EXPECT_EQ(result.outcome, CProjectHistory::TakeBack::Outcome::failed);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].find("GS01.731"), std::string::npos);
    EXPECT_EQ(GroupFiles(), after);
}

} // namespace
