// The record list's column layouts and its cell comparison.
#include <gtest/gtest.h>

#include <cstdio>

#include "display/CellCompare.h"
#include "display/ListColumns.h"

TEST(ListColumnsTest, ReadsTitleAlignmentAndWidthUpToAnEntryWithoutComma) {
    const auto columns = parseListColumns(kAllTargetsColumns);
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].title, "Title");
    EXPECT_EQ(columns[0].width, 350);
    EXPECT_EQ(columns[3].title, "Date");
    EXPECT_EQ(columns[3].width, 90);

    const auto odd = parseListColumns("A,2,40;B, 0;C;D,5");
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_EQ(odd[0].alignment, 2);
    EXPECT_EQ(odd[0].width, 40);
    EXPECT_EQ(odd[1].width, 1);  // at least one pixel
    EXPECT_TRUE(parseListColumns("").empty());
    EXPECT_EQ(parseListColumns("Title, 300").size(), 1u);
}

TEST(CellCompareTest, IntegersDatesAndTextAsTheFirstCellReads) {
    const DateParser isoDays = [](const std::string& cell, double& value) {
        int y = 0, m = 0, d = 0;
        if (std::sscanf(cell.c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3) return false;
        value = y * 400 + m * 32 + d;
        return true;
    };
    EXPECT_LT(compareCells("9", "10", isoDays), 0);  // numbers, not text
    EXPECT_LT(compareCells(" -3 ", "2abc", isoDays), 0);
    EXPECT_EQ(compareCells("7", "7.0", isoDays), 0);
    EXPECT_GT(compareCells("10", "x", isoDays), 0);  // "x" reads as 0
    EXPECT_GT(compareCells("x", "10", isoDays), 0);  // text first: byte-wise
    EXPECT_LT(compareCells("1999-12-31", "2000-01-01", isoDays), 0);
    EXPECT_LT(compareCells("2000-01-01", "Zebra", isoDays), 0);  // byte-wise
    EXPECT_LT(compareCells("", "a", isoDays), 0);
    EXPECT_LT(compareCells("B", "a", isoDays), 0);  // case-sensitive bytes
    EXPECT_LT(compareCells("Zoo", "\xc3\x89t\xc3\xa9", isoDays), 0);
    EXPECT_EQ(compareCells("  same ", "same", isoDays), 0);
    EXPECT_LT(compareCells("+", "1", isoDays), 0);  // a lone sign is text
}
