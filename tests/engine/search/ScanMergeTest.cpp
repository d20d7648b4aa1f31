// Terms of several targets side by side in index order, and as lines.
#include <gtest/gtest.h>

#include "search/ScanTargets.h"

namespace {

ScanAnswer answerOf(const std::vector<std::pair<std::string, int64_t>>& terms) {
    ScanAnswer answer;
    for (const auto& [raw, count] : terms) answer.terms.push_back({raw + "!", raw, count});
    return answer;
}

std::string rowsText(const std::vector<ScanRow>& rows) {
    std::string text;
    for (const ScanRow& row : rows) {
        text += row.raw;
        for (size_t i = 0; i < row.counts.size(); ++i)
            text += row.listed[i] ? ":" + std::to_string(row.counts[i]) : ":_";
        text += " ";
    }
    return text;
}

}  // namespace

TEST(ScanMergeTest, termsOfAllTargetsInterleaveInIndexOrderWithBlanksWhereMissing) {
    const std::vector<ScanRow> rows = mergeScanAnswers(
        {answerOf({{"a", 1}, {"c", 2}, {"e", 3}}), answerOf({{"B", 4}, {"c", 5}, {"d", 6}, {"f", -1}})});
    EXPECT_EQ(rowsText(rows), "a:1:_ B:_:4 c:2:5 d:_:6 e:3:_ f:_:-1 ");
    EXPECT_EQ(rows[1].display, "B!");
}

TEST(ScanMergeTest, aTargetsOwnOrderHoldsWhereItDiffersFromTheOthers) {
    // The second target sorts "b" after "c"; its shared "c" anchors it.
    const std::vector<ScanRow> rows =
        mergeScanAnswers({answerOf({{"a", 1}, {"c", 1}}), answerOf({{"c", 2}, {"b", 2}}), ScanAnswer()});
    EXPECT_EQ(rowsText(rows), "a:1:_:_ c:1:2:_ b:_:2:_ ");
}

TEST(ScanMergeTest, linesNameTheTargetAndLeaveAMissingCountEmpty) {
    Target one;
    one.name = "One";
    Target two;
    two.name = "Two";
    ScanAnswer failed;
    failed.failure = "Scan not supported";
    EXPECT_EQ(scanLines({one, two}, {answerOf({{"x\ty", 3}, {"z", -1}}), failed}),
              "One\tx y!\t3\nOne\tz!\t\n");
}
