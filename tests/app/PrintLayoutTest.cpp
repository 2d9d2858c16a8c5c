#include "app/document/PrintLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(PrintLayout, RowsFillThePagesAfterTheirHeaders)
{
    // 100 units high, lines of 10: 10 lines, 4 of them header.
    const CPrintLayout layout(13, 100, 10, 4);
    EXPECT_EQ(layout.RowsPerPage(), 6);
    EXPECT_EQ(layout.PageCount(), 3);
    EXPECT_EQ(layout.RowsOfPage(1), std::make_pair(0, 6));
    EXPECT_EQ(layout.RowsOfPage(2), std::make_pair(6, 12));
    EXPECT_EQ(layout.RowsOfPage(3), std::make_pair(12, 13));
    EXPECT_EQ(layout.RowsOfPage(4), std::make_pair(13, 13));
    EXPECT_EQ(layout.RowsOfPage(0), std::make_pair(13, 13));
}

TEST(PrintLayout, ExactFitsEmptyListsAndTinyPages)
{
    EXPECT_EQ(CPrintLayout(12, 100, 10, 4).PageCount(), 2);
    // An empty list prints one page with its header.
    const CPrintLayout empty(0, 100, 10, 4);
    EXPECT_EQ(empty.PageCount(), 1);
    EXPECT_EQ(empty.RowsOfPage(1), std::make_pair(0, 0));
    // A page too small for its header still takes one row, so printing ends.
    const CPrintLayout tiny(3, 20, 10, 4);
    EXPECT_EQ(tiny.RowsPerPage(), 1);
    EXPECT_EQ(tiny.PageCount(), 3);
    EXPECT_EQ(CPrintLayout(3, 100, 0, 4).PageCount(), 3);
}

TEST(PrintLayout, AMillionRowsCountWithoutOverflow)
{
    const CPrintLayout layout(1'000'000, 2670, 38, 4);
    EXPECT_EQ(layout.RowsPerPage(), 66);
    EXPECT_EQ(layout.PageCount(), 15152);
    EXPECT_EQ(layout.RowsOfPage(15152), std::make_pair(999'966, 1'000'000));
}

TEST(PrintLayout, ColumnsShareTheWidthLikeTheirCharacterWidths)
{
    EXPECT_EQ(CPrintLayout::ColumnStarts(0, 1800, {12, 12, 30}), (std::vector<int>{0, 400, 800}));
    EXPECT_EQ(CPrintLayout::ColumnStarts(50, 100, {1, 1}), (std::vector<int>{50, 100}));
    EXPECT_EQ(CPrintLayout::ColumnStarts(0, 100, {0, 0}), (std::vector<int>{0, 0}));
}

} // namespace
