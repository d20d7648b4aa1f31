#include <gtest/gtest.h>

#include "FreePort.h"
#include "SearchHarness.h"
#include "TestSettings.h"
#include "document/FailedTargetsText.h"

// A target that fails is named when the search ends, with what to do.
TEST(FailedTargets, NamedInTheStatusWhenTheSearchEnds) {
    SearchHarness h(searchSettings());
    h.addTarget("Closed", "127.0.0.1:" + std::to_string(pickFreePort()) + "/Default");
    h.addTarget("Shut", "127.0.0.1:" + std::to_string(pickFreePort()) + "/Default");
    h.start("@attr 1=4 5");
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(h.lastProgress,
              "Completed. Records: 0/0. Failed: Closed, Shut. Raise the time limit on the "
              "Profile page or check the address.");
}

TEST(FailedTargets, NothingAddedWhenNoneFailed) {
    EXPECT_EQ(failedTargetsText({}), "");
}
