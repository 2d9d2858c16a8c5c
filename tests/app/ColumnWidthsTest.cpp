#include "app/widgets/ColumnWidths.h"

#include <gtest/gtest.h>

namespace {

class ColumnWidths : public ::testing::Test {
protected:
    void SetUp() override { CColumnWidths::ForgetSession(); }
    void TearDown() override { CColumnWidths::ForgetSession(); }
};

TEST_F(ColumnWidths, TheFillColumnTakesWhatTheOthersLeaveButNotLessThanItsMinimum)
{
    CColumnWidths widths("operands", 2, 50);
    widths.SetWanted(0, 80);
    widths.SetWanted(1, 120);
    widths.SetWanted(2, 300);
    EXPECT_EQ(widths.Layout(600), (std::vector<int>{80, 120, 400}));
    // It follows the window both ways.
    EXPECT_EQ(widths.Layout(900), (std::vector<int>{80, 120, 700}));
    EXPECT_EQ(widths.Layout(230), (std::vector<int>{80, 120, 50}));
    EXPECT_EQ(widths.Layout(0), (std::vector<int>{80, 120, 50}));
}

TEST_F(ColumnWidths, WithoutAFillColumnEveryColumnKeepsItsWidth)
{
    CColumnWidths widths("plain", -1, 0);
    widths.SetWanted(0, 10);
    widths.SetWanted(1, 20);
    EXPECT_EQ(widths.Layout(500), (std::vector<int>{10, 20}));
}

TEST_F(ColumnWidths, DraggedWidthsWinAndAreKeptForEveryListOfTheSameNameThisSession)
{
    CColumnWidths first("operands", 2, 50);
    first.SetWanted(0, 80);
    first.SetWanted(1, 120);
    first.SetWanted(2, 300);
    first.SetDragged(1, 200);
    // A later fit of the column does not undo the user's width.
    first.SetWanted(1, 90);
    EXPECT_EQ(first.Layout(600), (std::vector<int>{80, 200, 320}));

    // A second window's list starts with it.
    CColumnWidths second("operands", 2, 50);
    second.SetWanted(0, 80);
    second.SetWanted(1, 60);
    second.SetWanted(2, 300);
    EXPECT_TRUE(second.IsDragged(1));
    EXPECT_EQ(second.Layout(600), (std::vector<int>{80, 200, 320}));

    // Another list is not touched.
    CColumnWidths other("browser", 1, 10);
    other.SetWanted(0, 40);
    other.SetWanted(1, 100);
    EXPECT_FALSE(other.IsDragged(1));
    EXPECT_EQ(other.Layout(300), (std::vector<int>{40, 260}));
}

TEST_F(ColumnWidths, ADraggedFillColumnStopsFollowingTheWindow)
{
    CColumnWidths widths("operands", 2, 50);
    widths.SetWanted(0, 80);
    widths.SetWanted(1, 120);
    widths.SetWanted(2, 300);
    widths.SetDragged(2, 150);
    EXPECT_EQ(widths.Layout(600), (std::vector<int>{80, 120, 150}));
    EXPECT_EQ(widths.Layout(1200), (std::vector<int>{80, 120, 150}));
    // Dragged shut, a column keeps a pixel to be found again by.
    widths.SetDragged(0, 0);
    EXPECT_EQ(widths.Layout(600)[0], 1);
}

} // namespace
