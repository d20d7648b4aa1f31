#include <gtest/gtest.h>

#include "base/TargetSearch.h"

TEST(TargetSearchTest, CopyCarriesEveryField) {
    TargetSearch a;
    a.state = Running;
    a.errorFlag = true;
    a.hitCount = 7;
    a.retrievedCount = 3;
    a.setLastError("boom (2) x\n");
    TargetSearch b(a);
    EXPECT_EQ(b.state.load(), Running);
    EXPECT_TRUE(b.errorFlag.load());
    EXPECT_FALSE(b.abortedFlag.load());
    EXPECT_EQ(b.hitCount.load(), 7);
    EXPECT_EQ(b.retrievedCount.load(), 3);
    EXPECT_EQ(b.lastError(), "boom (2) x\n");
}
