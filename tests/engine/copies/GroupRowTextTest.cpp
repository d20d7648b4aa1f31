#include <gtest/gtest.h>

#include "copies/GroupRowText.h"

TEST(GroupRowText, NamesEachTargetOnceBestFirst) {
    EXPECT_EQ(groupTargetsText({"Beta", "Alpha", "Beta"}), "Beta, Alpha");
    EXPECT_EQ(groupTargetsText({"Alpha"}), "Alpha");
}

TEST(GroupRowText, CountsTargetsTooManyToName) {
    EXPECT_EQ(groupTargetsText({"A", "B", "C"}), "A, B, C");
    EXPECT_EQ(groupTargetsText({"A", "B", "C", "D", "A"}), "4 targets");
}

TEST(GroupRowText, CopiesCountOnlyOnTheGroupRow) {
    EXPECT_EQ(copyLineCopiesText(true, true, "4 copies, 2 targets"), "4 copies, 2 targets");
    EXPECT_EQ(copyLineCopiesText(false, true, "4 copies, 2 targets"), "best copy");
    EXPECT_EQ(copyLineCopiesText(false, false, ""), "");
}
