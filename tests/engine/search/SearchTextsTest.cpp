#include <gtest/gtest.h>

#include "search/SearchTexts.h"
#include "targets/Target.h"

namespace {
Target target(int32_t state, bool aborted, bool error, int32_t retrieved, int32_t hits) {
    Target t;
    t.name = "LC";
    t.search.state = state;
    t.search.abortedFlag = aborted;
    t.search.errorFlag = error;
    t.search.retrievedCount = retrieved;
    t.search.hitCount = hits;
    return t;
}
}  // namespace

TEST(SearchTextsTest, TargetTextFollowsStateThenFlagsThenCounts) {
    EXPECT_EQ(targetStatusText(target(Finished, true, true, 5, 9)), "LC (Aborted)");
    EXPECT_EQ(targetStatusText(target(Finished, false, true, 5, 9)), "LC (Error)");
    EXPECT_EQ(targetStatusText(target(Finished, false, false, 9, 9)), "LC (9)");
    EXPECT_EQ(targetStatusText(target(Finished, false, false, 0, 0)), "LC (0)");
    EXPECT_EQ(targetStatusText(target(Finished, false, false, 20, 100)), "LC (20/100)");
    EXPECT_EQ(targetStatusText(target(Running, false, false, 20, 100)), "LC (20/100) Searching");
    EXPECT_EQ(targetStatusText(target(Running, true, false, 0, 100)), "LC (Searching)");
    EXPECT_EQ(targetStatusText(target(Pending, false, true, 0, 0)), "LC (Pending)");
}

TEST(SearchTextsTest, ProgressTextWhileSearchingAndWhenDone) {
    EXPECT_EQ(progressText(1, 3, 20, 340), "Searching 1/3 Records: 20/340");
    EXPECT_EQ(progressText(3, 3, 60, 340), "Completed. Records: 60/340");
    EXPECT_EQ(progressText(0, 0, 0, 0), "Completed. Records: 0/0");
}
