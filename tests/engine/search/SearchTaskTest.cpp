// One target's task against real servers: the event sequences it posts, the
// errors it records, the options the server receives and the batch loop.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "FreePort.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "TestSupport.h"
#include "TextChecks.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "search/SearchTexts.h"
#include "targets/Target.h"

namespace {

using Codes = std::vector<int32_t>;

class SearchTaskTest : public SearchServersTest {};

// Passes events on, but holds the task that posts the first one until opened.
class GatedSink : public SearchEventSink {
public:
    // Set before the search starts.
    SearchEventSink* next = nullptr;

    void postSearchEvent(int32_t code, int32_t targetId) override {
        next->postSearchEvent(code, targetId);
        std::unique_lock<std::mutex> lock(mutex_);
        if (held_) return;
        held_ = true;
        changed_.notify_all();
        changed_.wait_for(lock, std::chrono::seconds(20), [this] { return open_; });
    }
    // True once a task waits at the gate (bounded).
    bool waitHeld() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [this] { return held_; });
    }
    void open() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool open_ = false;
};

}  // namespace

TEST_F(SearchTaskTest, NormalSearchStoresNumberedRecords) {
    SearchHarness h(searchSettings());
    const Target& t = h.addTarget("Zebra", zebra_->zurl("Default"));
    h.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(h.drain());

    EXPECT_EQ(h.events[t.id], (Codes{110, 111, 112, 113}));
    EXPECT_EQ(t.search.hitCount, 20);
    EXPECT_EQ(t.search.retrievedCount, 20);
    EXPECT_FALSE(t.search.errorFlag);
    EXPECT_EQ(targetStatusText(t), "Zebra (20)");
    EXPECT_EQ(h.lastProgress, "Completed. Records: 20/20");
    const std::vector<Record> records = h.doc->store.copyAll();
    ASSERT_EQ(records.size(), 20u);
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].number, static_cast<int32_t>(i + 1));
        EXPECT_EQ(records[i].targetId, t.id);
        EXPECT_FALSE(controlNumberOf(records[i].rawData).empty());
    }
}

TEST_F(SearchTaskTest, ErrorsEndTheTaskWithTheirSequence) {
    SearchHarness h(searchSettings());
    const Target& refused =
        h.addTarget("Refused", "127.0.0.1:" + std::to_string(pickFreePort()) + "/Default");
    const Target& rejected = h.addTarget("Rejected", ztest_->zurl("Nowhere"));
    h.start("@attr 1=4 5");
    ASSERT_TRUE(h.drain());

    EXPECT_EQ(h.events[refused.id], (Codes{110, 114, 113}));
    EXPECT_EQ(targetStatusText(refused), "Refused (Error)");
    const std::string connectError = refused.search.lastError();
    ASSERT_FALSE(connectError.empty());
    EXPECT_EQ(connectError.back(), '\n');
    EXPECT_TRUE(contains(connectError, " (10000) ")) << connectError;  // ZOOM_ERROR_CONNECT

    EXPECT_EQ(h.events[rejected.id], (Codes{110, 111, 114, 113}));
    EXPECT_EQ(targetStatusText(rejected), "Rejected (Error)");
    EXPECT_TRUE(contains(rejected.search.lastError(), " (109) Nowhere\n"))
        << rejected.search.lastError();
    EXPECT_EQ(h.doc->store.count(), 0u);
}

TEST_F(SearchTaskTest, MalformedQueryIsASearchError) {
    SearchHarness h(searchSettings());
    const Target& t = h.addTarget("Ztest", ztest_->zurl("Default"));
    h.start("@and @attr 1=4");
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(h.events[t.id], (Codes{110, 111, 114, 113}));
    EXPECT_TRUE(t.search.errorFlag);
    EXPECT_EQ(t.search.lastError().back(), '\n');
}

TEST_F(SearchTaskTest, StopDuringTheEventLoopAborts) {
    SearchHarness h(searchSettings());
    const Target& t = h.addTarget("Slow", ztest_->zurl("Slow"));
    h.onEvent = [&h](const SearchEventHint& e) {
        if (e.code == SS_SEARCHING) h.doc->search.stopSearch();
    };
    h.start("@attr 1=4 5");
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(h.events[t.id], (Codes{110, 111, 113}));
    EXPECT_EQ(targetStatusText(t), "Slow (Aborted)");
    EXPECT_EQ(h.doc->store.count(), 0u);
}

TEST_F(SearchTaskTest, AlreadyAbortedTargetOnlyConnects) {
    // The task is held at its first event until the flag is set. The gate
    // outlives the harness, whose tasks post into it.
    GatedSink gate;
    SearchHarness h(searchSettings());
    gate.next = &h.queue;
    h.doc->search.setEventSink(&gate);
    Target& t = h.addTarget("Ztest", ztest_->zurl("Default"));
    h.start("@attr 1=4 4242");
    ASSERT_TRUE(gate.waitHeld());
    t.search.abortedFlag = true;
    gate.open();
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(h.events[t.id], (Codes{110, 113}));
    EXPECT_EQ(targetStatusText(t), "Ztest (Aborted)");
    EXPECT_FALSE(contains(ztest_->log(), "4242"));
}

TEST_F(SearchTaskTest, BatchSearchesEveryString) {
    SearchHarness h(searchSettings());
    const Target& t = h.addTarget("Zebra", zebra_->zurl("Default"));
    std::vector<std::string> isbns;
    for (const CorpusRecord& r : demoCorpus().records()) {
        if (!r.isbns.empty()) isbns.push_back(r.isbns.front());
        if (isbns.size() == 3) break;
    }
    ASSERT_EQ(isbns.size(), 3u);
    h.doc->query.batch = true;
    for (const std::string& isbn : isbns)
        h.doc->query.batchList.push_back("@attr 1=7 \"" + isbn + "\"");
    h.doc->search.startSearch();
    ASSERT_TRUE(h.drain());

    EXPECT_EQ(h.events[t.id], (Codes{110, 111, 111, 112, 111, 112, 111, 112, 113}));
    EXPECT_GE(t.search.retrievedCount, 3);
    EXPECT_EQ(t.search.hitCount, t.search.retrievedCount);
    EXPECT_EQ(h.doc->store.count(), static_cast<size_t>(t.search.retrievedCount));
}

// What the server received, from its decoded protocol log.
TEST_F(SearchTaskTest, OptionsAsTheServerSeesThem) {
    struct Case {
        std::string elementSet, user, password;
        bool elementSetSent, userSent;
    };
    const std::vector<Case> cases{
        {"", "", "", false, false},
        {"None", "", "secret", false, false},
        {"none", "alice", "", true, true},
        {"F", "bob", "pw", true, true},
    };
    for (const Case& c : cases) {
        YazZtestServer server;
        SearchHarness h(searchSettings(5));
        Target& t = h.addTarget("Ztest", server.zurl("Default"), "USMARC", c.elementSet);
        t.username = c.user;
        t.password = c.password;
        h.start("@attr 1=4 5");
        ASSERT_TRUE(h.drain());
        EXPECT_EQ(h.events[t.id], (Codes{110, 111, 112, 113})) << c.elementSet;
        const std::string log = server.log();
        EXPECT_TRUE(contains(log, "Name:Tessaly Z39.50 Client 1.3")) << log;
        EXPECT_EQ(contains(log, "ElementSetNames"), c.elementSetSent)
            << "element set \"" << c.elementSet << "\"\n"
            << log;
        if (c.elementSetSent) {
            EXPECT_TRUE(contains(log, "generic '" + c.elementSet + "'")) << log;
        }
        // The fixture's own readiness check logs "Auth none"; ours must not
        // have sent anything else. A user without a password goes as "open".
        const std::string auth = c.password.empty() ? "Auth open " : "Auth idPass ";
        EXPECT_EQ(contains(log, auth + c.user), c.userSent) << "user \"" << c.user << "\"";
        EXPECT_EQ(contains(log, "Auth open") || contains(log, "Auth idPass"), c.userSent);
    }
}
