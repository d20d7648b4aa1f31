#include <gtest/gtest.h>

#include <sstream>

#include "search/SearchQuery.h"
#include "query/BatchFileReader.h"
#include "query/BatchNumbers.h"
#include "query/BatchReport.h"

using AddResult = BatchNumberList::AddResult;

TEST(BatchNumbersTest, ListCleansChecksAndKnowsBothIsbnForms) {
    BatchNumberList list;
    std::string message;
    EXPECT_EQ(list.addBatchNumber("ISBN 978-0-306-40615-7", message), AddResult::Added);
    EXPECT_EQ(list.addBatchNumber("0306406152", message), AddResult::Duplicate);
    EXPECT_EQ(message, "ISBN [ 0306406152 ] already in List.");
    EXPECT_EQ(list.addBatchNumber("0-8044-2957-x", message), AddResult::Added);
    EXPECT_EQ(list.addBatchNumber("EAN 9791032300824 51299", message), AddResult::Added);
    EXPECT_EQ(list.addBatchNumber("0378-5955", message), AddResult::Added);
    EXPECT_EQ(list.addBatchNumber("03785955", message), AddResult::Duplicate);
    EXPECT_EQ(message, "ISSN [ 03785955 ] already in List.");
    EXPECT_EQ(list.addBatchNumber("0-306-40615-3", message), AddResult::WrongCheckDigit);
    EXPECT_EQ(message, "0306406153 has a wrong check digit");
    EXPECT_EQ(list.addBatchNumber("abcdefghij", message), AddResult::Invalid);
    EXPECT_EQ(message, "abcdefghij is not a valid ISBN or ISSN");
    EXPECT_EQ(list.addBatchNumber("", message), AddResult::Invalid);
    EXPECT_EQ(message, " is not a valid ISBN or ISSN");
    EXPECT_EQ(list.numbers(), std::vector<std::string>(
                                  {"9780306406157", "080442957X", "9791032300824", "03785955"}));
    EXPECT_EQ(list.queries(),
              std::vector<std::string>({"@or @attr 1=7 0306406152 @attr 1=7 9780306406157",
                                        "@or @attr 1=7 080442957X @attr 1=7 9780804429573",
                                        "@attr 1=7 9791032300824",
                                        "@or @attr 1=8 03785955 @attr 1=8 0378-5955"}));
    SearchQuery query;
    for (const std::string& pqf : list.queries()) EXPECT_TRUE(query.compile(pqf)) << pqf;

    // Removed, a number may come back in its other form.
    EXPECT_TRUE(list.remove("9780306406157"));
    EXPECT_FALSE(list.remove("9780306406157"));
    EXPECT_EQ(list.addBatchNumber("0306406152", message), AddResult::Added);

    list.setAcceptWrongCheckDigits(true);
    EXPECT_EQ(list.addBatchNumber("0306406153", message), AddResult::Added);
    EXPECT_EQ(list.queries().back(), "@attr 1=7 0306406153");
}

TEST(BatchNumbersTest, FileSkipsBlanksAndCommentsAndTellsRefusedLinesOnce) {
    std::istringstream file(
        "# supplier list\n0306406152\r\n\n   \n9780306406157\nabcdefghij\n 0-306-40615-3\n"
        "03785955\r\n  # a note\n979-10-323-0082-4");
    BatchNumberList list;
    const std::vector<RefusedLine> refused = addBatchNumbersFrom(file, list);
    EXPECT_EQ(list.numbers(),
              std::vector<std::string>({"0306406152", "03785955", "9791032300824"}));
    ASSERT_EQ(refused.size(), 3u);
    EXPECT_EQ(refusedLinesSummary(refused), "3 lines not loaded: line 5, line 6, line 7");
    EXPECT_EQ(refusedLinesDetail(refused),
              "line 5: ISBN [ 9780306406157 ] already in List.\n"
              "line 6: abcdefghij is not a valid ISBN or ISSN\n"
              "line 7: 0306406153 has a wrong check digit");
    EXPECT_EQ(refusedLinesSummary({refused[0]}), "1 line not loaded: line 5");
    EXPECT_EQ(refusedLinesSummary({}), "");
}

TEST(BatchNumbersTest, LineEndsAreRemovedButNothingElse) {
    EXPECT_EQ(stripLineEnd("0306406152\r\n"), "0306406152");
    EXPECT_EQ(stripLineEnd(" 0306406152\n"), " 0306406152");
    EXPECT_EQ(stripLineEnd("\n"), "");
}

TEST(BatchNumbersTest, ReportTellsFoundNotFoundAndFailedNumbers) {
    using O = BatchQueryOutcome;
    const std::vector<BatchOutcomes::TargetOutcomes> targets = {
        {1, "Alpha", {O::Searched, O::Searched, O::Searched, O::Searched}},
        {2, "Beta", {O::Searched, O::Failed, O::Searched, O::NotReached}}};
    // Number 0 found twice at Alpha and once at Beta; number 1 found at
    // Alpha though Beta failed it; 2 nowhere; 3 nowhere, and Beta never got to it.
    const std::vector<BatchHit> hits = {
        {1, 1, 0, "One"}, {2, 2, 0, "Two"}, {3, 2, 0, "Three"}, {4, 1, 1, "Four"}};
    const std::vector<BatchReportRow> rows =
        tallyBatchReport({"0306406152", "9780131103627", "03785955", "9791032300824"}, targets,
                         hits, [](const std::vector<int32_t>& records) { return records.back(); });
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].records, std::vector<int32_t>({1, 2, 3}));
    EXPECT_EQ(rows[0].suggestedRecord, 3);
    EXPECT_EQ(batchReportLines(rows),
              "0306406152\tfound\t3\tAlpha; Beta\n"
              "9780131103627\tfound\t1\tAlpha\n"
              "03785955\tnot found\t0\t\n"
              "9791032300824\terror\t0\tBeta\n");
    EXPECT_EQ(unfoundNumbersFile(rows), "03785955\n9791032300824\n");
    EXPECT_EQ(batchReportLines({rows[0], rows[2]}, true),
              "Number\tState\tRecords\tTargets\tTitle\tSuggested best record\n"
              "0306406152\tfound\t3\tAlpha; Beta\tThree\tThree (Beta)\n"
              "03785955\tnot found\t0\t\t\t\n");
    // Without a choice, the title is the first record's.
    EXPECT_EQ(tallyBatchReport({"0306406152"}, targets, hits).front().title, "One");
}

TEST(BatchNumbersTest, RefusedLinesKeepTheirPlaceInTheReportAndTheUnfoundFile) {
    std::istringstream file(
        "\xEF\xBB\xBF"
        "bad one\n0306406152\n0306406152\n 0-306-40615-3 \n9780131103627\nxx\n");
    BatchNumberList list;
    ASSERT_EQ(addBatchNumbersFrom(file, list).size(), 4u);
    // The duplicate is the first line's number, not a line left out.
    ASSERT_EQ(list.refusals().size(), 3u);
    EXPECT_EQ(list.refusals()[1].given, "0-306-40615-3");
    EXPECT_EQ(list.refusals()[1].reason, "0306406153 has a wrong check digit");

    // Removing a number moves the refusals after it up.
    BatchNumberList shorter = list;
    ASSERT_TRUE(shorter.remove("0306406152"));
    EXPECT_EQ(shorter.refusals()[1].before, 0u);
    EXPECT_EQ(shorter.refusals()[2].before, 1u);

    using O = BatchQueryOutcome;
    const std::vector<BatchReportRow> rows =
        tallyBatchReport(list.givenNumbers(), {{1, "Alpha", {O::Searched, O::Searched}}},
                         {{7, 1, 1, "C"}}, {}, list.refusals());
    EXPECT_EQ(batchReportLines(rows),
              "bad one\trefused: bad one is not a valid ISBN or ISSN\t0\t\n"
              "0306406152\tnot found\t0\t\n"
              "0-306-40615-3\trefused: 0306406153 has a wrong check digit\t0\t\n"
              "9780131103627\tfound\t1\tAlpha\n"
              "xx\trefused: xx is not a valid ISBN or ISSN\t0\t\n");
    const std::string unfound = unfoundNumbersFile(rows);
    EXPECT_EQ(unfound.substr(0, unfound.find("0306406152")),
              "# bad one is not a valid ISBN or ISSN\nbad one\n");
    // Loaded again, the reasons are comments and the bad lines refused again.
    std::istringstream again(unfound);
    BatchNumberList second;
    EXPECT_EQ(addBatchNumbersFrom(again, second).size(), 3u);
    EXPECT_EQ(second.numbers(), std::vector<std::string>({"0306406152"}));
}
