#include <gtest/gtest.h>

#include "probe/ProfileTexts.h"

TEST(ProfileTexts, FallbacksNameBothIndexes) {
    EXPECT_EQ(fallbacksText({{30, 1016}, {1007, 7}}),
              "Date (30) \u2192 Any (1016); Identifier--standard (1007) \u2192 ISBN (7)");
}

TEST(ProfileTexts, UnsupportedNamedInOrder) {
    EXPECT_EQ(unsupportedText({1016, 30}), "Date (30), Any (1016)");
}

TEST(ProfileTexts, AnIndexWithoutANameKeepsItsNumberOnce) {
    EXPECT_EQ(namedUseAttribute(5), "5");
}
