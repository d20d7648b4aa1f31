// Servers that never finish an answer: one that sends without end, and ones
// that trickle a byte at a time within every wait for the next byte, over
// SRU and over Z39.50. Each ends its target within a bound.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "SearchHarness.h"
#include "TestSettings.h"
#include "TrickleServer.h"
#include "search/SearchTexts.h"
#include "protocol/sru/SruHttp.h"
#include "targets/Target.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

const char* const kSruOpening =
    "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n\r\n"
    "<searchRetrieveResponse xmlns=\"http://www.loc.gov/zing/srw/\"><version>1.2</version>"
    "<numberOfRecords>5</numberOfRecords><records>";

}  // namespace

TEST(SruTransportTest, AnAnswerWithoutEndStopsAtItsCap) {
    TrickleServer endless(kSruOpening, std::string(64 * 1024, ' '), milliseconds(0));
    SruHttpRequest request;
    request.url = "http://" + endless.address() + "/db?x";
    request.maxBodyBytes = 4 << 20;
    const SruHttpResponse answer = sruHttpGet(request);
    EXPECT_EQ(answer.error, "The answer is larger than 4 MB");
    EXPECT_TRUE(answer.body.empty());

    // The same through a search, at the cap every target has.
    SearchHarness h(searchSettings());
    const Target& t = h.addTarget("Endless", "http://" + endless.address() + "/db");
    h.start("@attr 1=4 x");
    ASSERT_TRUE(h.drain(60000));
    EXPECT_EQ(targetStatusText(t), "Endless (Error)");
    EXPECT_EQ(t.search.lastError(), "The answer is larger than 128 MB\n");
}

TEST(SruTransportTest, ATrickleEndsAtFiveTimesTheTimeLimit) {
    TrickleServer sru(kSruOpening, " ", milliseconds(300));
    // A Z39.50 message that says it is long, and never is.
    TrickleServer z3950(std::string("\x30\x82\x7f\xff", 4), std::string(1, '\0'), milliseconds(300));
    SearchHarness h(searchSettings());
    Target& s = h.addTarget("Sru", "http://" + sru.address() + "/db");
    Target& z = h.addTarget("Z", z3950.address() + "/db");
    s.profile.timeoutSeconds = 1;
    z.profile.timeoutSeconds = 1;
    const auto started = Clock::now();
    h.start("@attr 1=4 x");
    ASSERT_TRUE(h.drain(20000));
    const auto took = Clock::now() - started;
    // Each byte came within the limit: only the bound on the whole ends them.
    EXPECT_GE(took, milliseconds(4500));
    EXPECT_LT(took, milliseconds(12000));
    for (const Target* t : {&s, &z}) {
        EXPECT_EQ(targetStatusText(*t), t->name + " (Error)");
        EXPECT_EQ(t->search.lastError(), "No answer for 1 s\n");
    }
}
