// SRU answers that come page by page from a test server: what a Stop or a
// failure on a later page leaves, where a resumed search goes on after a
// MARCXML collection, and diagnostics that come with records.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "HttpFront.h"
#include "SearchHarness.h"
#include "SruAnswers.h"
#include "TestSettings.h"
#include "Waiting.h"
#include "records/Record.h"
#include "search/SearchTexts.h"
#include "targets/Target.h"

namespace {

// The 1-based number a request asks for, e.g. startRecord.
int parameter(const std::string& head, const std::string& name) {
    const size_t at = head.find(name + "=");
    return at == std::string::npos ? 0 : std::atoi(head.c_str() + at + name.size() + 1);
}

std::string titlesOf(SearchHarness& h, int32_t targetId) {
    std::string out;
    for (const Record& r : recordsOf(h, targetId)) out += r.title + " ";
    return out;
}

// Records P1...Pn for the positions a request asks for, at most perPage.
std::string page(const std::string& head, int hits, int perPage) {
    const int start = parameter(head, "startRecord");
    const int end = std::min({hits + 1, start + parameter(head, "maximumRecords"), start + perPage});
    std::string records;
    for (int p = start; p < end; ++p) records += slot(marcXmlRecord("P" + std::to_string(p)));
    return records;
}

const char* const kLocked =
    "<diagnostic><uri>info:x-local/locked</uri><message>Database locked</message></diagnostic>";

}  // namespace

TEST(SruPagingTest, AStopOrAFailureOnALaterPageKeepsTheEarlierOnes) {
    std::atomic<bool> release{false};
    HttpFront server([&](const std::string& head) {
        if (parameter(head, "startRecord") == 1) return sruAnswer("20", page(head, 20, 5));
        if (head.find("GET /failing?") == 0)
            return HttpFront::response("500 Internal Server Error", "text/html", "Oops");
        waitFor([&] { return release.load(); }, 10000);
        return sruAnswer("20", "");
    });
    SearchHarness h(searchSettings(20));
    const Target& hanging = h.addTarget("Hanging", server.url("hanging"), "marcxml", "");
    const Target& failing = h.addTarget("Failing", server.url("failing"), "marcxml", "");
    h.start("@attr 1=4 x");
    ASSERT_TRUE(waitFor([&] { return requestsTo(server, "hanging") == 2; }, 10000));
    ASSERT_TRUE(waitFor([&] { return failing.search.state == Finished; }, 10000));
    h.doc->search.stopSearch();
    release = true;
    ASSERT_TRUE(h.drain(10000));
    EXPECT_EQ(titlesOf(h, hanging.id), "P1 P2 P3 P4 P5 ");
    EXPECT_EQ(targetStatusText(hanging), "Hanging (Aborted)");
    EXPECT_EQ(titlesOf(h, failing.id), "P1 P2 P3 P4 P5 ");
    EXPECT_EQ(targetStatusText(failing), "Failing (Aborted)");
    EXPECT_EQ(failing.search.lastError(), "The server answered HTTP 500\n");
}

TEST(SruPagingTest, AResumedSearchGoesOnFromTheServersNextPosition) {
    // Position 1 holds a collection of two records.
    HttpFront server([](const std::string& head) {
        std::string records = page(head, 4, 10);
        const std::string first = slot(marcXmlRecord("P1"));
        if (records.find(first) == 0)
            records.replace(0, first.size(),
                            slot("<collection xmlns=\"http://www.loc.gov/MARC21/slim\">" +
                                 marcXmlRecord("P1a") + marcXmlRecord("P1b") + "</collection>"));
        return sruAnswer("4", records);
    });
    SearchHarness h(searchSettings(2));
    const Target& t = h.addTarget("Sru", server.url("db"), "marcxml", "");
    h.start("@attr 1=4 x");
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(titlesOf(h, t.id), "P1a P1b P2 ");
    EXPECT_TRUE(t.search.moreToFetch());
    h.doc->search.resumeTarget(t.id);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(titlesOf(h, t.id), "P1a P1b P2 P3 P4 ");
    EXPECT_FALSE(t.search.moreToFetch());
    EXPECT_FALSE(t.search.errorFlag) << t.search.lastError();
}

TEST(SruPagingTest, RecordsThatComeWithADiagnosticAreKeptOnEveryPage) {
    HttpFront server([](const std::string& head) {
        const bool lastPage = parameter(head, "startRecord") == 3;
        const bool firstPage = parameter(head, "startRecord") == 1;
        const bool warn = head.find("GET /first?") == 0 ? firstPage : lastPage;
        return sruAnswer("4", page(head, 4, 2), warn ? kLocked : "");
    });
    SearchHarness h(searchSettings());
    const Target& first = h.addTarget("First", server.url("first"), "marcxml", "");
    const Target& later = h.addTarget("Later", server.url("later"), "marcxml", "");
    h.start("@attr 1=4 x");
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(titlesOf(h, first.id), "P1 P2 ");
    EXPECT_EQ(titlesOf(h, later.id), "P1 P2 P3 P4 ");
    // Cut short, the first can be resumed; the other has all it asked for.
    EXPECT_EQ(targetStatusText(first), "First (Aborted)");
    EXPECT_EQ(targetStatusText(later), "Later (Error)");
    for (const Target* t : {&first, &later})
        EXPECT_EQ(t->search.lastError(), "Database locked (info:x-local/locked)\n");
    // Nothing more is asked of a server that answered with a diagnostic.
    EXPECT_EQ(requestsTo(server, "first"), 1u);
}
