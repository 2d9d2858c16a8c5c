#include "data/sequence/OperandFilter.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Two operands of each kind, written in an order the file sorts.
std::unique_ptr<CSequenceFile> MixedFile()
{
    auto file = std::make_unique<CSequenceFile>("anlage.seq");
    std::istringstream in("\tZ 2\tZ2\n\tE 1.1\tE11\n\tT 7\tT7\n\tA 0.5\tA05\n\tM 3.0\tM30\n"
                          "\tC 1\tZ1\n\tI 0.0\tE00\n\tT 3\tT3\n\tO 9.9\tA99\n\tF 1.2\tM12\n");
    file->ReadArchive(in);
    return file;
}

std::string Symbols(const std::vector<CSequenceEntry*>& rows)
{
    std::string out;
    for (const CSequenceEntry* row : rows)
        out += std::string(row->GetSymbol()) + " ";
    return out;
}

TEST(OperandFilter, AllKindsInTheFilesOrder)
{
    const auto file = MixedFile();
    EXPECT_EQ(Symbols(FilteredOperands(*file, COperandFilter())), "E00 E11 A05 A99 M12 M30 T3 T7 Z1 Z2 ");
}

TEST(OperandFilter, EachFlagHidesItsKindOnly)
{
    const auto file = MixedFile();
    COperandFilter onlyCounters;
    onlyCounters.ShowInputs = onlyCounters.ShowOutputs = onlyCounters.ShowMarkers = onlyCounters.ShowTimers = false;
    EXPECT_EQ(Symbols(FilteredOperands(*file, onlyCounters)), "Z1 Z2 ");

    COperandFilter noOutputsNoTimers;
    noOutputsNoTimers.ShowOutputs = noOutputsNoTimers.ShowTimers = false;
    EXPECT_EQ(Symbols(FilteredOperands(*file, noOutputsNoTimers)), "E00 E11 M12 M30 Z1 Z2 ");

    COperandFilter none = onlyCounters;
    none.ShowCounters = false;
    EXPECT_TRUE(FilteredOperands(*file, none).empty());
}

TEST(OperandFilter, KindsOutsideTheFiveAreNeverShown)
{
    const COperandFilter all;
    EXPECT_FALSE(all.Shows(kKindNone));
    EXPECT_FALSE(all.Shows(6));
    EXPECT_FALSE(all.Shows(-1));
    EXPECT_TRUE(all.ShowsAllKinds());
}

// --kinds of the command-line tool: the same filter as the view's check
// boxes, so that a command and a window show the same rows.
TEST(OperandFilter, FromLettersSetsExactlyTheNamedKinds)
{
    const auto file = MixedFile();
    const auto counters = COperandFilter::FromLetters("z");
    ASSERT_TRUE(counters);
    EXPECT_EQ(Symbols(FilteredOperands(*file, *counters)), "Z1 Z2 ");
    EXPECT_FALSE(counters->ShowsAllKinds());

    COperandFilter noOutputsNoTimers;
    noOutputsNoTimers.ShowOutputs = noOutputsNoTimers.ShowTimers = false;
    EXPECT_EQ(COperandFilter::FromLetters("MeZ"), noOutputsNoTimers);
    EXPECT_EQ(COperandFilter::FromLetters("EEe"), COperandFilter::FromLetters("E"));

    const auto all = COperandFilter::FromLetters("ZTMAE");
    ASSERT_TRUE(all);
    EXPECT_TRUE(all->ShowsAllKinds());
    EXPECT_EQ(COperandFilter::FromLetters(""), COperandFilter());
}

TEST(OperandFilter, FromLettersRefusesAnyOtherLetter)
{
    // The file's other spellings of the kinds (I, O, F, C) are no filter letters.
    for (const char* letters : {"I", "EO", "F", "C", "E ", "E,A", "\xC4"})
        EXPECT_FALSE(COperandFilter::FromLetters(letters)) << letters;
}

TEST(OperandFilter, ComparesByAllFiveFlags)
{
    COperandFilter a;
    COperandFilter b;
    EXPECT_EQ(a, b);
    b.ShowTimers = false;
    EXPECT_NE(a, b);
}

} // namespace
