// An SRU scan response read whatever the server sends.
#include <gtest/gtest.h>

#include "protocol/sru/SruScan.h"

TEST(SruScanTest, readsTermsWithCountsAndLeavesBadCountsOut) {
    const SruScanResponse r = parseSruScanResponse(
        "<scanResponse xmlns=\"http://www.loc.gov/zing/srw/\"><terms>"
        "<term><value>river</value><numberOfRecords>12</numberOfRecords>"
        "<displayTerm>River</displayTerm></term>"
        "<term><value> sea </value><numberOfRecords>-4</numberOfRecords></term>"
        "<term><value>sky</value><numberOfRecords>3x</numberOfRecords></term>"
        "<term><value>sun</value><numberOfRecords>99999999999999999999</numberOfRecords></term>"
        "</terms></scanResponse>");
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.terms.size(), 4u);
    EXPECT_EQ(r.terms[0].value, "river");
    EXPECT_EQ(r.terms[0].display, "River");
    EXPECT_EQ(r.terms[0].count, 12);
    EXPECT_EQ(r.terms[1].value, " sea ");
    EXPECT_EQ(r.terms[1].display, "");
    EXPECT_EQ(r.terms[1].count, -1);
    EXPECT_EQ(r.terms[2].count, -1);
    EXPECT_EQ(r.terms[3].count, -1);
}

TEST(SruScanTest, aDiagnosticOrAnotherAnswerIsNoTerm) {
    const SruScanResponse d = parseSruScanResponse(
        "<scanResponse><diagnostics><diagnostic><uri>info:srw/diagnostic/1/4</uri>"
        "<details>scan</details></diagnostic></diagnostics></scanResponse>");
    ASSERT_EQ(d.diagnostics.size(), 1u);
    EXPECT_EQ(d.diagnostics[0].uri, "info:srw/diagnostic/1/4");
    EXPECT_TRUE(d.terms.empty());
    EXPECT_NE(parseSruScanResponse("<explainResponse/>").error, "");
    EXPECT_NE(parseSruScanResponse("not xml").error, "");
}

TEST(SruScanTest, theClauseIsEscapedIntoTheAddress) {
    EXPECT_EQ(sruScanUrl("http://h/db", "dc.title=\"a b\"", 20, 1),
              "http://h/db?version=1.2&operation=scan&scanClause=dc.title%3D%22a%20b%22"
              "&responsePosition=1&maximumTerms=20");
    EXPECT_EQ(sruScanUrl("http://h/db?x=1", "t", 5, 3).substr(0, 20), "http://h/db?x=1&vers");
}
