#include "data/sequence/DuplicateOperands.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::unique_ptr<CSequenceFile> Read(const std::string& text)
{
    auto file = std::make_unique<CSequenceFile>("anlage.seq");
    std::istringstream in(text);
    file->ReadArchive(in);
    return file;
}

std::string Marked(const CSequenceFile& file, const CDuplicateOperands& duplicates)
{
    std::string out;
    for (int i = 0; i < file.GetCount(); ++i)
        if (duplicates.Contains(file.GetEntry(i)))
            out += file.GetEntry(i)->GetOperandText() + "/" + std::string(file.GetEntry(i)->GetSymbol()) + " ";
    return out;
}

TEST(DuplicateOperands, EveryLineOfAnOperandNamedTwiceIsMarked)
{
    const auto owned = Read("\tE 0.1\tS1\tStart\n"
                                    "\tA 4.0\tK1\tPumpe\n"
                                    "\tE 0.1\tS1neu\tStart neu\n"
                                    "\tE 0.2\tS2\tStopp\n"
                                    "\tT 5\tT1\tZeit\n"
                                    "\tZ 5\tZ1\tZaehler\n"
                                    "\tT 5\tT1b\tZeit 2\n"
                                    "\tT 5\tT1c\tZeit 3\n");
    const CSequenceFile& file = *owned;
    const CDuplicateOperands duplicates(&file);
    EXPECT_EQ(Marked(file, duplicates), "E000.01/S1 E000.01/S1neu T005/T1 T005/T1b T005/T1c ");
    // Two operands, five lines; timer 5 and counter 5 are different
    // operands, as are input 0.1 and 0.2.
    EXPECT_EQ(duplicates.OperandCount(), 2u);
    EXPECT_EQ(duplicates.EntryCount(), 5u);
    EXPECT_EQ(duplicates.Names(), (std::vector<std::string>{"E000.01", "T005"}));
}

TEST(DuplicateOperands, TheRowsOfAFilteredViewCountOnlyAmongThemselves)
{
    const auto owned = Read("\tE 0.1\tS1\tStart\n\tA 4.0\tK1\tPumpe\n\tA 4.0\tK2\tPumpe 2\n\tE 0.1\tS1b\tStart\n");
    std::vector<CSequenceEntry*> outputs;
    for (int i = 0; i < owned->GetCount(); ++i)
        if (owned->GetEntry(i)->GetKind() == kKindOutput)
            outputs.push_back(owned->GetEntry(i));
    const CDuplicateOperands duplicates(outputs);
    EXPECT_EQ(duplicates.Names(), std::vector<std::string>{"A004.00"});
    EXPECT_EQ(duplicates.EntryCount(), 2u);
}

TEST(DuplicateOperands, NoneInAFileWithoutRepeatsOrWithoutAFile)
{
    const auto owned = Read("\tE 0.1\tS1\tStart\n\tA 0.1\tK1\tPumpe\n\tM 0.1\tM1\tMerker\n");
    const CSequenceFile& file = *owned;
    const CDuplicateOperands duplicates(&file);
    EXPECT_EQ(duplicates.OperandCount(), 0u);
    EXPECT_EQ(Marked(file, duplicates), "");
    const CDuplicateOperands none(nullptr);
    EXPECT_EQ(none.EntryCount(), 0u);
    EXPECT_FALSE(none.Contains(file.GetEntry(0)));
}

} // namespace
