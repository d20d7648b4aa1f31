#include <gtest/gtest.h>

#include "display/ColumnFit.h"

TEST(ColumnFit, TitleTakesWhatIsLeft) {
    // Title, Author, Date, Marks at their content widths in a 900 px list.
    const std::vector<int> widths = fitColumns({700, 150, 60, 200}, 0, 900, 200, 320);
    EXPECT_EQ(widths, (std::vector<int>{490, 150, 60, 200}));
}

TEST(ColumnFit, ALongCellDoesNotPushTheOthersOffScreen) {
    const std::vector<int> widths = fitColumns({300, 900, 60}, 0, 800, 200, 320);
    EXPECT_EQ(widths, (std::vector<int>{420, 320, 60}));
}

TEST(ColumnFit, TitleKeepsItsLeastWidthInANarrowList) {
    const std::vector<int> widths = fitColumns({300, 300, 300}, 0, 500, 200, 320);
    EXPECT_EQ(widths[0], 200);
}
