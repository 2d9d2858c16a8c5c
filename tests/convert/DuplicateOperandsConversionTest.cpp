#include "convert/ProjectComparison.h"
#include "tests/convert/ConverterFixture.h"

#include <gtest/gtest.h>

namespace {

// E 0.0 three times, then E 0.1: the file's last line for E 0.0 is "Dritte".
const char* const kTwiceNamed = "\tE 0.0\tErste\n\tE 0.0\tZweite\n\tE 0.0\tDritte\n\tE 0.1\tVier\n";

class DuplicateOperandsConversion : public ConverterFixture {
protected:
    void SetUp() override
    {
        ConverterFixture::SetUp();
        settings.CommentToText = 0;
        settings.MaxOperands = 2;
    }

    void Run(std::vector<CSequenceEntry*> rows, ConversionMode mode)
    {
        std::filesystem::remove(dir / "GS01.731");
        Reopen();
        converter = std::make_unique<CConverter>(settings);
        converter->Open(*project, std::move(rows), mode, host);
        EXPECT_EQ(converter->GetCountText(), "2");
        EXPECT_EQ(converter->GetRangeText(), "E000.00 - E000.01");
        EXPECT_TRUE(mode == ConversionMode::all ? converter->AcceptAll() : converter->Accept());
        converter->Close();
    }
};

TEST_F(DuplicateOperandsConversion, EachOperandGoesOnceWithTheFilesLastLine)
{
    const std::vector<std::string> expected{"E000.00=Dritte", "E000.01=Vier"};
    for (const ConversionMode mode : {ConversionMode::selected, ConversionMode::all}) {
        Run(Operands(kTwiceNamed), mode);
        EXPECT_EQ(TextsOnDisk("GS01.731", "001"), expected);
        EXPECT_EQ(TextsOnDisk("GS01.731", "002"), std::vector<std::string>{"(no list 002)"});
    }
    // Only the first line of E 0.0 selected: the conversion still takes
    // the line the view marks as the one it takes.
    const auto rows = Operands(kTwiceNamed);
    Run({rows[0], rows[3]}, ConversionMode::selected);
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"), expected);
}

TEST_F(DuplicateOperandsConversion, TheComparisonExpectsTheSameLine)
{
    const auto rows = Operands(kTwiceNamed);
    CProjectComparison comparison(settings);
    comparison.Compare({rows[0], rows[3]}, *project);
    ASSERT_EQ(comparison.GetRows().size(), 2u);
    EXPECT_EQ(comparison.GetRows()[0].NewText(), "Dritte");
    EXPECT_EQ(comparison.GetCounts().added, 2u);
}

} // namespace
