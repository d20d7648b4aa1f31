// A batch of numbers against a catalogue whose records hold only ISBN-13s:
// ISBN-10s and a 979 ISBN find their records, and the report counts what the
// store holds.
#include <gtest/gtest.h>

#include "Isbn13Catalogue.h"
#include "SearchHarness.h"
#include "SharedServerTest.h"
#include "TestDocument.h"
#include "marc/StandardNumber.h"
#include "query/BatchReport.h"

namespace {

class BatchSearchTest : public SharedServerTest<ZebraServer, BatchSearchTest> {
protected:
    static void SetUpTestSuite() { start(&isbn13Catalogue); }
};

}  // namespace

TEST_F(BatchSearchTest, Isbn10sAnd979FindIsbn13RecordsAndTheReportCountsThem) {
    SearchHarness h(searchSettings(100, 1000, 2));
    h.addTarget("Thirteen", server_->zurl("Default"));
    // What the batch searched before: the ISBN-10 alone finds nothing here.
    h.start("@attr 1=7 0306406152");
    ASSERT_TRUE(h.drain());
    ASSERT_EQ(h.doc->store.count(), 0u);

    // A database the server does not have fails every query: what nobody
    // found is then no proof of absence.
    h.addTarget("Nowhere", server_->zurl("Nowhere"));
    BatchNumberList numbers;
    std::string message;
    for (const char* n : {"0-306-40615-2", "080442957x", "979-10-323-0082-4", "0262033844"})
        ASSERT_EQ(numbers.addBatchNumber(n, message), BatchNumberList::AddResult::Added) << n;
    startBatchSearch(*h.doc, numbers);
    ASSERT_TRUE(h.drain());

    const std::vector<BatchReportRow> rows = batchReportOf(*h.doc);
    EXPECT_EQ(batchReportLines(rows),
              "0-306-40615-2\tfound\t2\tThirteen\n"
              "080442957x\tfound\t1\tThirteen\n"
              "979-10-323-0082-4\tfound\t1\tThirteen\n"
              "0262033844\terror\t0\tNowhere\n");
    // Each number's records are those that carry its ISBN-13, and no record
    // is counted twice or left out.
    size_t counted = 0;
    for (const BatchReportRow& row : rows) {
        for (int32_t number : row.records) {
            Record record;
            ASSERT_TRUE(h.doc->store.copyRecord(number, record));
            const std::string id = controlNumberOf(record.rawData);
            bool carries = false;
            for (const Isbn13Record& r : isbn13Records())
                carries = carries || (r.controlNumber == id &&
                                      r.isbn13 == isbnAs13(cleanStandardNumber(row.number)));
            EXPECT_TRUE(carries) << row.number << " listed " << id;
            ++counted;
        }
    }
    EXPECT_EQ(counted, h.doc->store.count());
}

TEST_F(BatchSearchTest, AnIssnIsFoundWithItsHyphenAndTheReportNamesItAsGiven) {
    SearchHarness h(searchSettings(100, 1000, 2));
    h.addTarget("Thirteen", server_->zurl("Default"));
    // This catalogue matches only the form it was given.
    h.start("@attr 1=8 03636836");
    ASSERT_TRUE(h.drain());
    ASSERT_EQ(h.doc->store.count(), 0u);

    BatchNumberList numbers;
    std::string message;
    for (const char* n : {"\xEF\xBB\xBFISSN 03636836",
                          "ISBN-13: 978\xE2\x80\x91"
                          "0306406157"})
        ASSERT_EQ(numbers.addBatchNumber(n, message), BatchNumberList::AddResult::Added) << n;
    startBatchSearch(*h.doc, numbers);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(batchReportLines(batchReportOf(*h.doc)),
              "ISSN 03636836\tfound\t1\tThirteen\n"
              "ISBN-13: 978\xE2\x80\x91"
              "0306406157\tfound\t2\tThirteen\n");
}
