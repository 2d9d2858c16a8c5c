#include "convert/ProjectComparison.h"
#include "data/settings/AppSettings.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tests/panel/ProjectFixture.h"
#include "tests/support/RecordingSink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

namespace {

using Status = CProjectComparison::Status;

// Bytes of a literal that may hold zero bytes.
template <std::size_t N>
std::string Stored(const char (&bytes)[N])
{
    return std::string(bytes, N - 1);
}

class ProjectComparisonTest : public ProjectFixture {
protected:
    std::vector<CSequenceEntry*> Operands(const std::string& text)
    {
        sequence = std::make_unique<CSequenceFile>("/daten/anlage.seq");
        std::istringstream in(text);
        EXPECT_TRUE(sequence->ReadArchive(in));
        std::vector<CSequenceEntry*> entries;
        for (int i = 0; i < sequence->GetCount(); ++i)
            entries.push_back(sequence->GetEntry(i));
        return entries;
    }

    // A fresh project object on the folder: what the next run reads.
    void Reopen()
    {
        project = std::make_unique<CPanelProject>(dir.Path(), "");
        project->Load();
        folder = project->GetGroupFolder();
    }

    // Each row as "status operand group/list old|new".
    std::vector<std::string> Compare(const std::string& seqText,
                                     CProjectComparison::Kinds kinds = CProjectComparison::AllKinds())
    {
        Reopen();
        comparison.Compare(Operands(seqText), *project, kinds);
        std::vector<std::string> rows;
        for (const auto& row : comparison.GetRows()) {
            std::string text = std::string(CProjectComparison::StatusName(row.status)) + " " + row.OperandName();
            if (row.group)
                text += " " + row.group->GetGroupId() + "/" + row.list->GetListId() + " " + row.StoredText();
            if (row.status != Status::orphan)
                text += "|" + row.NewText();
            rows.push_back(text);
        }
        return rows;
    }

    void WriteGroup(const std::string& fileName, const Bytes& bytes) { WriteBytes(dir / fileName, bytes); }

    CAppSettings settings;
    CProjectComparison comparison{settings};
    std::unique_ptr<CSequenceFile> sequence;
};

TEST_F(ProjectComparisonTest, EveryStatusInOperandThenGroupThenListOrder)
{
    // E001.00 is kept in two groups: the same text in one, an old one in
    // the other; the later group's name sorts first.
    WriteGroup("GS02.731", GroupBytes("P1", "S02", "Zwei", 1)
                               .List("001", "", 1, 1)
                               .BitBlock(1, 2)
                               .Text(0, 0, "Start Taster")
                               .Text(3, 0, "weg")
                               .EndList()
                               .Bytes());
    WriteGroup("GS01.731", GroupBytes("P1", "S01", "Eins", 2)
                               .List("001", "", 1, 1)
                               .BitBlock(1, 1)
                               .Text(0, 0, "Start alt")
                               .EndList()
                               .List("002", "", 4, 1)
                               .Text(7, 0, "Zeit Verzug")
                               .EndList()
                               .Bytes());
    const auto rows = Compare("\tE 1.0\tStart\tTaster\n\tE 1.1\tStopp\tTaster\n\tT 7\tZeit\tVerzug\n");
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "changed E001.00 S01/001 Start alt|Start Taster",
                        "same E001.00 S02/001 Start Taster|Start Taster",
                        "new E001.01|Stopp Taster",
                        "orphan E001.03 S02/001 weg",
                        "same T007 S01/002 Zeit Verzug|Zeit Verzug",
                    }));
    const auto& counts = comparison.GetCounts();
    EXPECT_EQ(counts.same, 2u);
    EXPECT_EQ(counts.changed, 1u);
    EXPECT_EQ(counts.added, 1u);
    EXPECT_EQ(counts.orphan, 1u);
    EXPECT_FALSE(comparison.InStep());
}

TEST_F(ProjectComparisonTest, ListsOrderIgnoringCaseAndRepeatedTextsKeepTheirOrder)
{
    // Other software may write lower-case identifiers and two texts for one
    // operand; both places are rows, in the order the list holds them.
    WriteGroup("GS01.731", GroupBytes("P1", "S01", "Eins", 2)
                               .List("B01", "", 1, 1)
                               .BitBlock(2, 1)
                               .Text(5, 0, "x")
                               .EndList()
                               .List("a02", "", 1, 1)
                               .BitBlock(2, 2)
                               .Text(5, 0, "erster")
                               .Text(5, 0, "zweiter")
                               .EndList()
                               .Bytes());
    EXPECT_EQ(Compare("\tE 2.5\tx\n", CProjectComparison::AllKinds()),
              (std::vector<std::string>{"changed E002.05 S01/a02 erster|x ", "changed E002.05 S01/a02 zweiter|x ",
                                        "changed E002.05 S01/B01 x|x "}));
}

TEST_F(ProjectComparisonTest, ExpectedTextFollowsTheConversionRules)
{
    // A reference is compared in its stored form ("@12" is stored as
    // "@012" is); a control byte in the symbol is kept as it is, a raw ESC
    // becomes a space as the conversion writes it.
    WriteGroup("GS01.731", GroupBytes("P1", "S01", "Eins", 1)
                               .List("001", "", 3, 3)
                               .BitBlock(1, 1)
                               .Text(0, 0, Stored("Heizen \x1b\x0c\x00 \x01Grad"))
                               .BitBlock(2, 1)
                               .Text(0, 0, Stored("Heizen \x1b\x0d\x00 C"))
                               .BitBlock(3, 1)
                               .Text(0, 0, "a b")
                               .EndList()
                               .Bytes());
    settings.CommentToText = 0;
    EXPECT_EQ(Compare("\tM 1.0\tHeizen @12 \x01Grad\tKommentar\n\tM 2.0\tHeizen @12 C\t\n\tM 3.0\ta\x1b"
                      "b\tc\n"),
              (std::vector<std::string>{"same M001.00 S01/001 Heizen @012 \x01Grad|Heizen @012 \x01Grad",
                                        "changed M002.00 S01/001 Heizen @013 C|Heizen @012 C",
                                        "same M003.00 S01/001 a b|a b"}));
    settings.CommentToText = 1;
    settings.SymbolToText = 0;
    EXPECT_EQ(Compare("\tM 3.0\tSym\ta b\n").at(2), "same M003.00 S01/001 a b|a b");
}

TEST_F(ProjectComparisonTest, LastLineOfAnOperandCounts)
{
    AddText(AddList(NewGroup("S01", "g"), "001", kKindInput, "l"), 0, 0, "neu x");
    ASSERT_TRUE(folder->GetGroup(0)->Save());
    EXPECT_EQ(Compare("\tE 0.0\talt\tx\n\tI 0.0\tneu\tx\n"),
              std::vector<std::string>{"same E000.00 S01/001 neu x|neu x"});
    EXPECT_TRUE(comparison.InStep());
}

TEST_F(ProjectComparisonTest, KindsLimitOperandsAndOrphans)
{
    CStepChainGroup* group = NewGroup("S01", "g");
    AddText(AddList(group, "001", kKindInput, "l"), 0, 0, "e");
    AddText(AddList(group, "002", kKindTimer, "l"), 4, 0, "t");
    AddText(AddList(group, "003", kKindNone, "l"), 4, 0, "f");
    ASSERT_TRUE(group->Save());
    const std::string seq = "\tA 0.0\ta\tx\n\tZ 1\tz\tx\n";
    EXPECT_EQ(Compare(seq), (std::vector<std::string>{"orphan E000.00 S01/001 e", "new A000.00|a x",
                                                      "orphan T004 S01/002 t", "new Z001|z x"}));
    EXPECT_EQ(Compare(seq, CProjectComparison::Kinds().set(kKindTimer)),
              std::vector<std::string>{"orphan T004 S01/002 t"});
}

TEST_F(ProjectComparisonTest, UnreadableGroupIsLeftOutAndNamed)
{
    AddText(AddList(NewGroup("S01", "g"), "001", kKindInput, "l"), 0, 0, "a x");
    ASSERT_TRUE(folder->GetGroup(0)->Save());
    auto bad = GroupBytes("P1", "S02", "kaputt", 1).List("001", "", 1, 1).BitBlock(0, 1).Text(0, 0, "a x").EndList().Bytes();
    bad.resize(bad.size() - 4);
    WriteGroup("GS02.731", bad);
    EXPECT_EQ(Compare("\tE 0.0\ta\tx\n"), std::vector<std::string>{"same E000.00 S01/001 a x|a x"});
    ASSERT_EQ(comparison.GetUnreadableGroups().size(), 1u);
    EXPECT_EQ(comparison.GetUnreadableGroups()[0]->GetFileName(), "GS02.731");
}

class ProjectComparisonApplyTest : public ProjectComparisonTest {
protected:
    void SetUp() override
    {
        ProjectComparisonTest::SetUp();
        CStepChainGroup* one = NewGroup("S01", "Eins");
        CStepChainList* inputs = AddList(one, "001", kKindInput, "E");
        AddText(inputs, 0, 0, "alt", 5, 2);
        AddText(inputs, 0, 1, "b x");
        AddText(inputs, 0, 2, "verwaist");
        ASSERT_TRUE(one->Save());
        AddText(AddList(NewGroup("S02", "Zwei"), "001", kKindInput, "E"), 0, 0, "auch alt");
        ASSERT_TRUE(folder->GetGroup(1)->Save());
    }

    const std::string seq = "\tE 0.0\tNeu @7\tText\n\tE 0.1\tb\tx\n\tE 0.3\tneu\tx\n";
};

TEST_F(ProjectComparisonApplyTest, ChangedTextsAreReplacedInPlaceAndNothingElse)
{
    Compare(seq);
    const auto result = comparison.ApplyAll();
    EXPECT_EQ(result.replaced, 2u);
    EXPECT_EQ(result.savedFiles, (std::vector<std::string>{"GS01.731", "GS02.731"}));
    EXPECT_TRUE(result.failedFiles.empty());
    EXPECT_TRUE(comparison.GetRows().empty());
    EXPECT_EQ(Compare(seq), (std::vector<std::string>{
                                "same E000.00 S01/001 Neu @007 Text|Neu @007 Text",
                                "same E000.00 S02/001 Neu @007 Text|Neu @007 Text",
                                "same E000.01 S01/001 b x|b x",
                                "orphan E000.02 S01/001 verwaist",
                                "new E000.03|neu x",
                            }));
    // Same list, same place, same attributes.
    const auto group = Reload("GS01.731");
    const CStepChainText* text = group->GetList(0)->GetText(0);
    EXPECT_EQ(text->GetAttribute1(), 5);
    EXPECT_EQ(text->GetAttribute2(), 2);
    EXPECT_EQ(text->GetStoredText(), Stored("Neu \x1b\x07\x00 Text"));
    EXPECT_EQ(group->GetList(0)->GetCount(), 3);
}

TEST_F(ProjectComparisonApplyTest, OnlyTheChosenRowsAreApplied)
{
    Compare(seq);
    // Row 1 is S02's text, named twice; row 2 (same) and an index past
    // the end are not changed rows and are passed over.
    const auto result = comparison.Apply({1, 2, 99, 1});
    EXPECT_EQ(result.savedFiles, std::vector<std::string>{"GS02.731"});
    EXPECT_EQ(result.replaced, 1u);
    const auto rows = Compare(seq);
    EXPECT_EQ(rows.at(0), "changed E000.00 S01/001 alt|Neu @007 Text");
    EXPECT_EQ(rows.at(1), "same E000.00 S02/001 Neu @007 Text|Neu @007 Text");
}

TEST_F(ProjectComparisonApplyTest, FailedSaveIsReportedAndLeavesTheFileAsItWas)
{
    const auto before = ReadBytes(dir / "GS01.731");
    const auto otherBefore = ReadBytes(dir / "GS02.731");
    Compare(seq);
    RecordingSink sink;
    int writes = 0;
    // The first group's write fails, the second's goes through.
    CAtomicFile::SetFaultHook([&](CAtomicFile::Step step) {
        return step == CAtomicFile::Step::write && writes++ == 0 ? ENOSPC : 0;
    });
    const auto result = comparison.ApplyAll();
    CAtomicFile::SetFaultHook({});
    EXPECT_EQ(result.failedFiles, std::vector<std::string>{"GS01.731"});
    EXPECT_EQ(result.savedFiles, std::vector<std::string>{"GS02.731"});
    EXPECT_EQ(result.replaced, 1u);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Fehler beim Schreiben der Datei \"GS01.731\".");
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
    EXPECT_NE(ReadBytes(dir / "GS02.731"), otherBefore);
    // The group in memory shows the file again.
    EXPECT_EQ(folder->GetGroup(0)->GetList(0)->GetText(0)->GetText(), "alt");
    EXPECT_EQ(Compare(seq).at(0), "changed E000.00 S01/001 alt|Neu @007 Text");
}

TEST_F(ProjectComparisonApplyTest, GroupThatWouldOutgrowItsFileIsNotWritten)
{
    // Longer texts must still fit into one group file.
    const auto before = ReadBytes(dir / "GS01.731");
    std::string longSeq;
    for (int bit = 0; bit < 3; ++bit)
        longSeq += "\tE 0." + std::to_string(bit) + "\t" + std::string(30000, 'x') + "\t\n";
    Compare(longSeq);
    RecordingSink sink;
    const auto result = comparison.ApplyAll();
    EXPECT_EQ(result.failedFiles, std::vector<std::string>{"GS01.731"});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
}

} // namespace
