// SRU targets against the test Zebra answering SRU on its Z39.50 port: the
// same records as over Z39.50, the search controls, and how failures show.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FreePort.h"
#include "HttpFront.h"
#include "LoopbackListener.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "SilentServer.h"
#include "SruAnswers.h"
#include "TestSupport.h"
#include "TlsFront.h"
#include "Waiting.h"
#include "display/RecordPages.h"
#include "records/MarcForms.h"
#include "search/SearchTexts.h"
#include "probe/TargetProbe.h"
#include "protocol/z3950/ZoomInit.h"
#include "targets/Target.h"

namespace {

using Codes = std::vector<int32_t>;

class SruSearchTest : public SearchServersTest {};

}  // namespace

TEST_F(SruSearchTest, EachPagesQueryGivesTheRecordsZ3950Gives) {
    const std::vector<std::string> queries = {
        std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20,                        // Basic
        std::string("@attr 1=1003 ") + MarcCorpus::kAuthor10,                        // Basic
        std::string("@or @attr 1=4 compass @attr 1=1003 ") + MarcCorpus::kAuthor10,  // Advanced
        "@and @attr 1=4 lighthouse @not @attr 1=1016 compass @attr 1=4 keeper",      // Advanced
        "@attr 1=4 @attr 5=1 lighth",                                                // PQF
        "@attr 1=1016 \"the lighthouse\"",                                           // PQF
        "@attr 1=4 @attr 6=3 \"the hidden lighthouse\"",
        "@attr 1=4 lighthouse^",
    };
    for (const std::string& pqf : queries) {
        SCOPED_TRACE(pqf);
        SearchHarness h(searchSettings(30));
        const Target& z = h.addTarget("Z39.50", zebra_->zurl("Default"), "usmarc", "F");
        const Target& s = h.addTarget("SRU", zebra_->sruUrl(), "marcxml", "");
        h.start(pqf);
        ASSERT_TRUE(h.drain());
        ASSERT_FALSE(s.search.errorFlag) << s.search.lastError();
        EXPECT_EQ(s.search.hitCount, z.search.hitCount);
        EXPECT_EQ(h.events[s.id], (Codes{110, 111, 112, 113}));
        const std::vector<Record> want = recordsOf(h, z.id);
        const std::vector<Record> got = recordsOf(h, s.id);
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < got.size(); ++i) {
            // The MARC record made from MARCXML holds the same fields, and lists
            // and shows alike.
            EXPECT_EQ(got[i].kind, Marc);
            EXPECT_EQ(got[i].rawData[9], 'a');
            EXPECT_EQ(got[i].xmlText, want[i].xmlText) << i;
            EXPECT_EQ(got[i].renderedText, want[i].renderedText) << i;
            EXPECT_EQ(got[i].title + got[i].author + got[i].date,
                      want[i].title + want[i].author + want[i].date);
        }
    }
}

TEST_F(SruSearchTest, LimitsResumeStopAndRetryWorkAsForZ3950) {
    SearchHarness h(searchSettings(20, 30));
    Target& t = h.addTarget("SRU", zebra_->sruUrl(), "marcxml", "");
    h.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord100);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "SRU (20/100)");
    h.doc->search.resumeTarget(t.id);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "SRU (40/100)");
    const std::vector<Record> resumed = recordsOf(h, t.id);
    ASSERT_EQ(resumed.size(), 40u);

    // The same forty records in one go, none twice.
    SearchHarness whole(searchSettings(40));
    const Target& w = whole.addTarget("SRU", zebra_->sruUrl(), "marcxml", "");
    whole.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord100);
    ASSERT_TRUE(whole.drain());
    const std::vector<Record> once = recordsOf(whole, w.id);
    ASSERT_EQ(once.size(), 40u);
    for (size_t i = 0; i < once.size(); ++i)
        EXPECT_EQ(controlNumberOf(resumed[i].rawData), controlNumberOf(once[i].rawData)) << i;

    // A diagnostic is an error that Retry gets over once the address is right.
    HttpFront refusing([](const std::string&) { return sruDiagnostic(66, "marcxml"); });
    t.zurl = refusing.url("Default");
    h.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "SRU (Error)");
    EXPECT_EQ(t.search.lastError(), "Unknown schema for retrieval (66): marcxml\n");
    t.zurl = zebra_->sruUrl();
    h.doc->search.retryTarget(t.id);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "SRU (20)");

    // Stop frees a worker waiting on a server that never answers.
    SilentServer silent;
    SearchHarness stopped(searchSettings());
    const Target& q =
        stopped.addTarget("Silent", "http://127.0.0.1:" + std::to_string(silent.port()) + "/db");
    stopped.start("@attr 1=4 x");
    ASSERT_TRUE(waitFor([&] { return silent.acceptedCount() > 0; }, 5000));
    stopped.doc->search.stopSearch();
    // Well before the 30 s a silent server is given.
    ASSERT_TRUE(stopped.drain(5000));
    EXPECT_EQ(targetStatusText(q), "Silent (Aborted)");
}

TEST_F(SruSearchTest, TheQueryGoesAsCqlToAFrontThatRefusesAnythingElse) {
    const int zebraPort = zebra_->port();
    HttpFront front([zebraPort](const std::string& head) {
        const std::string line = head.substr(0, head.find("\r\n"));
        if (line.find("operation=searchRetrieve") != std::string::npos &&
            line.find("query=") == std::string::npos)
            return sruDiagnostic(11, "x-pquery");
        return HttpFront::forward(head, zebraPort);
    });
    SearchHarness h(searchSettings());
    // Records are told by their namespace, whatever the schema is called.
    const Target& t = h.addTarget("Front", front.url("Default"), "MARC21-xml", "");
    const Target& mods = h.addTarget("Mods", zebra_->sruUrl(), "mods", "");
    const Target& dc = h.addTarget("Dc", zebra_->sruUrl(), "dc", "");
    h.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "Front (20)") << t.search.lastError();
    ASSERT_FALSE(front.requestLines().empty());
    EXPECT_NE(front.requestLines()[0].find("query=dc.title"), std::string::npos)
        << front.requestLines()[0];
    for (const Record& r : h.doc->store.copyAll()) {
        const bool marc = r.targetId == t.id;
        EXPECT_EQ(r.kind, marc ? Marc : Xml);
        EXPECT_EQ(r.xmlSchema, r.targetId == mods.id ? Mods
                               : r.targetId == dc.id ? DublinCore
                                                     : OtherXml);
    }
    EXPECT_EQ(h.doc->store.count(), 60u);
}

TEST_F(SruSearchTest, FailuresEndOnlyTheirTargetWithAText) {
    SearchHarness h(searchSettings());
    const Target& unmapped = h.addTarget("Unmapped", zebra_->sruUrl(), "marcxml", "");
    const Target& other = h.addTarget("Other", ztest_->zurl("Default"));
    h.start("@attr 1=1032 5");
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(unmapped), "Unmapped (Error)");
    EXPECT_EQ(unmapped.search.lastError(), "No CQL index for Bib-1 use attribute 1032\n");
    EXPECT_EQ(h.events[unmapped.id], (Codes{110, 111, 114, 113}));
    EXPECT_EQ(targetStatusText(other), "Other (5)");

    // The user's own mapping, named in the settings, is the one used.
    TempDir dir;
    SettingsData own = searchSettings();
    own.SRUMappingFile = dir.file("own.properties");
    writeFileBytes(own.SRUMappingFile, "index.dc.title = 1=1032\n");
    SearchHarness o(own);
    const Target& mapped = o.addTarget("Mapped", zebra_->sruUrl(), "marcxml", "");
    o.start(std::string("@attr 1=1032 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(o.drain());
    EXPECT_EQ(targetStatusText(mapped), "Mapped (20)") << mapped.search.lastError();

    HttpFront errorPage([](const std::string&) {
        return HttpFront::response("500 Internal Server Error", "text/html",
                                   "<html><body>Oops</body></html>");
    });
    HttpFront notXml([](const std::string&) {
        return HttpFront::response("200 OK", "text/plain", "this is no XML");
    });
    // A catalogue moved elsewhere: same request, new place.
    const std::string newHome = zebra_->sruUrl();
    HttpFront moved([newHome](const std::string& head) {
        const size_t query = head.find('?');
        const std::string rest = head.substr(query, head.find(' ', query) - query);
        return HttpFront::response("301 Moved Permanently", "text/html", "",
                                   "Location: " + newHome + rest + "\r\n");
    });
    SearchHarness f(searchSettings());
    const Target& page = f.addTarget("Page", errorPage.url("db"), "marcxml", "");
    const Target& garbage = f.addTarget("Garbage", notXml.url("db"), "marcxml", "");
    const Target& redirected = f.addTarget("Moved", moved.url("Old"), "marcxml", "");
    f.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(f.drain());
    for (const Target* t : {&page, &garbage})
        EXPECT_EQ(targetStatusText(*t), t->name + " (Error)") << t->search.lastError();
    EXPECT_NE(page.search.lastError().find("500"), std::string::npos) << page.search.lastError();
    EXPECT_EQ(targetStatusText(redirected), "Moved (20)") << redirected.search.lastError();
}

TEST_F(SruSearchTest, TestingATargetSaysWhatTheServerIsOrWhyNot) {
    Target z;
    z.zurl = zebra_->zurl("Default");
    const ProbeReport z3950 = probeTarget(z, 5);
    EXPECT_TRUE(z3950.ok) << z3950.text;
    EXPECT_NE(z3950.text.find("Implementation: "), std::string::npos) << z3950.text;
    EXPECT_NE(z3950.text.find("in titles: "), std::string::npos) << z3950.text;

    Target s;
    s.zurl = zebra_->sruUrl();
    const ProbeReport sru = probeTarget(s, 5);
    EXPECT_TRUE(sru.ok) << sru.text;
    EXPECT_EQ(sru.schemas, (std::vector<std::string>{"marcxml", "mods", "dc"}));
    EXPECT_NE(sru.text.find("SRU version: 1.2"), std::string::npos) << sru.text;
    EXPECT_NE(sru.text.find("dc.title"), std::string::npos) << sru.text;

    // Down, answering no XML, and never answering: a text, within the limit.
    HttpFront notXml([](const std::string&) {
        return HttpFront::response("200 OK", "text/plain", "this is no XML");
    });
    SilentServer silent;
    const auto started = std::chrono::steady_clock::now();
    // The toolkit's own log lines stay off standard error.
    initializeZoom();
    testing::internal::CaptureStderr();
    for (const std::string& zurl :
         {"127.0.0.1:" + std::to_string(pickFreePort()) + "/db", notXml.url("db"),
          "http://127.0.0.1:" + std::to_string(pickFreePort()) + "/db",
          "http://127.0.0.1:" + std::to_string(silent.port()) + "/db", silent.zurl("db")}) {
        Target t;
        t.zurl = zurl;
        const ProbeReport report = probeTarget(t, 1);
        EXPECT_FALSE(report.ok) << zurl;
        EXPECT_FALSE(report.text.empty()) << zurl;
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
}

TEST_F(SruSearchTest, ServersThatLieEndTheirTargetAndTheSearchGoesOn) {
    const std::string surrogate =
        "<diagnostic xmlns=\"http://www.loc.gov/zing/srw/diagnostic/\"><uri>info:srw/"
        "diagnostic/1/64</uri><details>2</details></diagnostic>";
    HttpFront liar([&](const std::string& head) {
        const bool firstPage = head.find("startRecord=1&") != std::string::npos;
        if (head.find("GET /empty?") == 0) return sruAnswer("5", "");
        if (head.find("GET /stuck?") == 0)
            return sruAnswer("3", firstPage ? slot(marcXmlRecord("One")) : "");
        if (head.find("GET /negative?") == 0) return sruAnswer("-1", slot(marcXmlRecord("One")));
        if (head.find("GET /custom?") == 0)
            return sruAnswer("0", "",
                             "<diagnostic><uri>info:x-local/locked</uri><message>Database "
                             "locked</message></diagnostic>");
        if (head.find("GET /bare?") == 0) return sruAnswer("0", "", "<diagnostic/>");
        // A record, a per-record diagnostic, and a collection of two in one slot.
        return sruAnswer("3",
                         slot(marcXmlRecord("One")) +
                             slot(surrogate, "info:srw/schema/1/diagnostics-v1.1") +
                             slot("<collection xmlns=\"http://www.loc.gov/MARC21/slim\">" +
                                  marcXmlRecord("Two") + marcXmlRecord("Three") + "</collection>"));
    });
    SearchHarness h(searchSettings());
    const Target& empty = h.addTarget("Empty", liar.url("empty"), "marcxml", "");
    const Target& stuck = h.addTarget("Stuck", liar.url("stuck"), "marcxml", "");
    const Target& negative = h.addTarget("Negative", liar.url("negative"), "marcxml", "");
    const Target& custom = h.addTarget("Custom", liar.url("custom"), "marcxml", "");
    const Target& bare = h.addTarget("Bare", liar.url("bare"), "marcxml", "");
    const Target& mixed = h.addTarget("Mixed", liar.url("mixed"), "marcxml", "");
    h.start("@attr 1=4 x");
    ASSERT_TRUE(h.drain());

    // Asked once more at most, never again and again.
    EXPECT_LE(requestsTo(liar, "empty"), 2u);
    EXPECT_EQ(requestsTo(liar, "stuck"), 2u);
    EXPECT_EQ(empty.search.lastError(), "QRN: Unable to retrieve record\n");
    EXPECT_EQ(stuck.search.lastError(), "QRN: Unable to retrieve record\n");
    EXPECT_EQ(stuck.search.retrievedCount, 1);
    EXPECT_EQ(targetStatusText(negative), "Negative (Error)");
    EXPECT_EQ(negative.search.hitCount, 0);
    EXPECT_EQ(targetStatusText(custom), "Custom (Error)");
    EXPECT_EQ(custom.search.lastError(), "Database locked (info:x-local/locked)\n");
    EXPECT_EQ(targetStatusText(bare), "Bare (Error)");
    EXPECT_EQ(bare.search.lastError(), "Unknown diagnostic\n");

    EXPECT_FALSE(mixed.search.errorFlag) << mixed.search.lastError();
    std::vector<std::string> titles;
    for (const Record& r : recordsOf(h, mixed.id)) titles.push_back(r.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_EQ(mixed.search.skippedCount, 1);
    EXPECT_NE(
        renderTargetSummaryHtml(h.doc->targetList, mixed.id).find("Diagnostic Records Skipped: 1"),
        std::string::npos);
}

TEST_F(SruSearchTest, LoginsGoOnlyToTheServerTheyWereGivenFor) {
    // A certificate made for another name: no login reaches it.
    TlsFront tls;
    SearchHarness h(searchSettings());
    Target& faked = h.addTarget("Faked", tls.url("db"), "marcxml", "");
    faked.username = "me";
    faked.password = "secret";

    std::vector<std::string> elsewhereHeads;
    std::mutex headsMutex;
    const int zebraPort = zebra_->port();
    HttpFront elsewhere([&](const std::string& head) {
        std::lock_guard<std::mutex> lock(headsMutex);
        elsewhereHeads.push_back(head);
        return HttpFront::forward(head, zebraPort);
    });
    const std::string there = elsewhere.url("Default");
    std::atomic<bool> loginSent{false};
    HttpFront moving([&](const std::string& head) {
        if (head.find("Authorization: Basic") != std::string::npos) loginSent = true;
        const size_t query = head.find('?');
        return HttpFront::response(
            "302 Found", "text/html", "",
            "Location: " + there + head.substr(query, head.find(' ', query) - query) + "\r\n");
    });
    Target& moved = h.addTarget("Moved", moving.url("db"), "marcxml", "");
    moved.username = "me";
    moved.password = "secret";
    HttpFront looping([&](const std::string&) {
        return HttpFront::response("302 Found", "text/html", "", "Location: /again\r\n");
    });
    const Target& loop = h.addTarget("Loop", looping.url("db"), "marcxml", "");

    h.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(faked), "Faked (Error)");
    EXPECT_NE(faked.search.lastError().find("certificate"), std::string::npos)
        << faked.search.lastError();
    EXPECT_TRUE(loginSent);
    EXPECT_EQ(targetStatusText(moved), "Moved (20)") << moved.search.lastError();
    ASSERT_FALSE(elsewhereHeads.empty());
    for (const std::string& head : elsewhereHeads)
        EXPECT_EQ(head.find("Authorization"), std::string::npos) << head;
    EXPECT_EQ(targetStatusText(loop), "Loop (Error)");
    EXPECT_LE(looping.requestLines().size(), 6u);
}

TEST_F(SruSearchTest, TheTestButtonKeepsItsTimeLimitAndSendsTheLogin) {
    const int zebraPort = zebra_->port();
    HttpFront guarded([zebraPort](const std::string& head) {
        if (head.find("Authorization: Basic bWU6c2VjcmV0") == std::string::npos)
            return HttpFront::response("401 Unauthorized", "text/html", "",
                                       "WWW-Authenticate: Basic realm=\"catalogue\"\r\n");
        return HttpFront::forward(head, zebraPort);
    });
    Target t;
    t.zurl = guarded.url("Default");
    t.username = "me";
    t.password = "secret";
    const ProbeReport report = probeTarget(t, 5);
    EXPECT_TRUE(report.ok) << report.text;

    // A byte a second keeps a connection alive, not the test.
    std::vector<std::thread> senders;
    LoopbackListener trickle("trickling server", [&](int fd) {
        senders.emplace_back([fd, stop = trickle.stopFd()] {
            const std::string head = "HTTP/1.1 200 OK\r\nX-Slow: ";
            pollfd p{stop, POLLIN, 0};
            if (write(fd, head.data(), head.size()) > 0)
                while (poll(&p, 1, 300) == 0 && write(fd, "x", 1) == 1) {
                }
            close(fd);
        });
    });
    Target slow;
    slow.zurl = "http://127.0.0.1:" + std::to_string(trickle.port()) + "/db";
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(probeTarget(slow, 2).ok);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    trickle.stop();
    for (std::thread& sender : senders) sender.join();
}

TEST_F(SruSearchTest, UnsupportedIndexFallsBackOnceAndSaysSo) {
    HttpFront server([&](const std::string& head) {
        if (head.find("bath.issn") != std::string::npos)
            return sruDiagnostic(16, "bath.issn");
        return sruAnswer("1", slot(marcXmlRecord("Found")));
    });
    SearchHarness h(searchSettings());
    Target& with = h.addTarget("With", server.url("db"), "marcxml", "");
    with.profile.fallbacks = {{8, 1016}};
    const Target& without = h.addTarget("Without", server.url("db"), "marcxml", "");
    h.start("@attr 1=8 12345679");
    ASSERT_TRUE(h.drain());
    EXPECT_FALSE(with.search.errorFlag) << with.search.lastError();
    EXPECT_EQ(with.search.retrievedCount, 1);
    EXPECT_EQ(with.search.note(), "ISSN index not supported; searched Any instead\n");
    EXPECT_EQ(targetStatusText(without), "Without (Error)");
    EXPECT_TRUE(without.search.note().empty());
}

TEST_F(SruSearchTest, CancelEndsAnSruProbeAtOnce) {
    SilentServer silent;
    Target t;
    t.zurl = "http://127.0.0.1:" + std::to_string(silent.port()) + "/db";
    const auto started = std::chrono::steady_clock::now();
    const ProbeReport report = probeTarget(t, 30, [&] {
        return std::chrono::steady_clock::now() - started > std::chrono::milliseconds(300);
    });
    EXPECT_EQ(report.error, "Cancelled");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}
