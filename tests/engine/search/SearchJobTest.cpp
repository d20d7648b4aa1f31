// The search as a whole against real servers: the per-target and per-search
// limits, resuming, the connection limit, Stop with tasks queued or blocked,
// retrying, and tearing the document down mid-search.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "FreePort.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "SilentServer.h"
#include "TestSupport.h"
#include "TextChecks.h"
#include "Waiting.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "ZoomSearch.h"
#include "marc/MarcHandler.h"
#include "marc/MarcReader.h"
#include "search/SearchTexts.h"
#include "targets/Target.h"

namespace {

using Codes = std::vector<int32_t>;

class SearchJobTest : public SearchServersTest {};

// The 001 and 100 fields of a record: the server repeats one record with its
// position in the 100 beyond its first twenty, so together they tell positions apart.
class IdentityHandler : public MarcHandler {
public:
    void onControlField(std::string_view tag, const MarcField& field) override {
        if (tag == "001") identity.append(field.bytes());
    }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        if (tag == "100") identity.append(field.bytes());
        return false;
    }
    std::string identity;
};

std::string identityOf(const std::string& iso2709) {
    IdentityHandler handler;
    MarcReader().read(iso2709.data(), iso2709.size(), handler);
    return handler.identity;
}

const std::string kLighthouse = std::string("@attr 1=4 ") + MarcCorpus::kTitleWord100;

}  // namespace

TEST_F(SearchJobTest, TargetLimitThenResumeContinuesWhereItStopped) {
    SearchHarness h(searchSettings(20));
    h.addTarget("Earlier", ztest_->zurl("Default"));
    const Target& t = h.addTarget("Zebra", zebra_->zurl("Default"));
    h.start(kLighthouse);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "Zebra (20/100)");
    EXPECT_EQ(t.search.retrievedCount, 20);
    EXPECT_TRUE(h.doc->search.resumeAvailable());
    const size_t before = h.doc->store.count();

    h.doc->search.resumeTarget(t.id);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "Zebra (40/100)");
    EXPECT_EQ(h.events[t.id], (Codes{110, 111, 112, 113, 110, 111, 112, 113}));

    // The server was asked from the next record (21, 1-based) on.
    EXPECT_NE(zebra_->log().find("resultSetStartPoint 21"), std::string::npos);

    const ZoomSearchResult reference =
        zoomSearch(zebra_->zurl("Default"), kLighthouse, {{"preferredRecordSyntax", "USMARC"}}, 40);
    ASSERT_EQ(reference.records.size(), 40u);
    std::vector<std::string> stored;
    std::vector<std::string> expected;
    for (const Record& r : h.doc->store.copyAll()) {
        if (r.targetId == t.id) stored.push_back(controlNumberOf(r.rawData));
    }
    for (const ZoomRecordForms& r : reference.records) expected.push_back(controlNumberOf(r.raw));
    EXPECT_EQ(stored, expected);
    // Numbering goes on after the records already in the store.
    const std::vector<Record> all = h.doc->store.copyAll();
    ASSERT_EQ(all.size(), before + 20);
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i].number, static_cast<int32_t>(i + 1));
}

TEST_F(SearchJobTest, TargetLimitZeroOrBelowStoresNothing) {
    for (const int32_t limit : {0, -1}) {
        SearchHarness h(searchSettings(limit));
        const Target& t = h.addTarget("Zebra", zebra_->zurl("Default"));
        h.start(kLighthouse);
        ASSERT_TRUE(h.drain());
        EXPECT_EQ(h.doc->store.count(), 0u);
        EXPECT_EQ(targetStatusText(t), "Zebra (0/100)") << limit;
        EXPECT_EQ(h.lastProgress, "Completed. Records: 0/100");
    }
}

TEST_F(SearchJobTest, ConnectionLimitRunsTargetsInListOrder) {
    SearchHarness h(searchSettings(5, 1000, 3));
    for (int i = 0; i < 8; ++i)
        h.addTarget("T" + std::to_string(i), ztest_->zurl("Default?search-delay=0.3"));
    int maxRunning = 0;
    int maxBusy = 0;
    std::vector<int32_t> startOrder;
    h.onEvent = [&](const SearchEventHint& e) {
        int running = 0;
        for (const Target& t : h.doc->targetList.targets) running += t.search.state == Running;
        maxRunning = std::max(maxRunning, running);
        maxBusy = std::max(maxBusy, static_cast<int>(h.doc->pool->busyCount()));
        if (e.code == SS_CONNECTING) startOrder.push_back(e.targetId);
    };
    h.start("@attr 1=4 5");
    ASSERT_TRUE(h.drain());
    EXPECT_LE(maxRunning, 3);
    EXPECT_GE(maxRunning, 2);  // they did run side by side
    EXPECT_LE(maxBusy, 3);
    ASSERT_EQ(startOrder.size(), 8u);
    // Three start together and race to post; none starts before a target
    // three or more places ahead of it in the list.
    for (size_t i = 0; i < startOrder.size(); ++i)
        for (size_t j = i + 1; j < startOrder.size(); ++j)
            EXPECT_GT(startOrder[j], startOrder[i] - 3) << i << " " << j;
    EXPECT_EQ(h.doc->store.count(), 40u);
}

TEST_F(SearchJobTest, SearchLimitStopsUntilResumed) {
    SearchHarness h(searchSettings(100, 50));
    const Target& fast = h.addTarget("A", ztest_->zurl("Default"));
    const Target& slow = h.addTarget("B", ztest_->zurl("Default?search-delay=2"));
    h.start("@attr 1=4 80");
    ASSERT_TRUE(h.drain());
    // A's 80 records trip the limit when it finishes; on a slow machine (or
    // under a sanitizer) an event of B's may see 50 of them first and stop A
    // as well.
    const std::string fastText = targetStatusText(fast);
    EXPECT_TRUE(fastText == "A (80)" || fastText == "A (Aborted)") << fastText;
    EXPECT_EQ(targetStatusText(slow), "B (Aborted)");

    h.doc->search.resumeAll();
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(fast), "A (80)");
    EXPECT_EQ(targetStatusText(slow), "B (80)");
    EXPECT_EQ(h.doc->store.count(), 160u);
    EXPECT_EQ(h.lastProgress, "Completed. Records: 160/160");
}

TEST_F(SearchJobTest, StopWithQueuedTasksDoesNotDisturbTheNextSearch) {
    YazZtestServer server;
    SearchHarness h(searchSettings(20, 1000, 2));
    for (int i = 0; i < 5; ++i) h.addTarget("T" + std::to_string(i), server.zurl("Slow1"));
    bool stopped = false;
    std::vector<std::string> textsAtStop;
    h.onEvent = [&](const SearchEventHint& e) {
        if (stopped || e.code != SS_SEARCHING) return;
        stopped = true;
        h.doc->search.stopSearch();
        for (const Target& t : h.doc->targetList.targets)
            textsAtStop.push_back(targetStatusText(t));
        ASSERT_TRUE(h.doc->search.searchMayStart());
        h.start("@attr 1=4 9");
    };
    h.start("@attr 1=4 7");
    ASSERT_TRUE(h.drain(30000));
    ASSERT_TRUE(stopped);
    for (const std::string& text : textsAtStop)
        EXPECT_NE(text.find("(Aborted)"), std::string::npos) << text;

    for (const Target& t : h.doc->targetList.targets) {
        EXPECT_EQ(targetStatusText(t), t.name + " (9)");
        EXPECT_EQ(std::count(h.events[t.id].begin(), h.events[t.id].end(), SS_FINISHED), 2);
    }
    EXPECT_EQ(h.doc->store.count(), 45u);
    const std::string log = server.log();
    // Only the two tasks running at the Stop sent the first query.
    EXPECT_LE(occurrences(log, "@attr 1=4 7\n"), 2u);
    EXPECT_EQ(occurrences(log, "@attr 1=4 9\n"), 5u) << log;
}

// Stop and a new search right after it, again and again, while the tasks of the
// stopped search are still storing: none of them may write into the new one.
TEST_F(SearchJobTest, StopThenStartAgainLeavesNothingOfTheStoppedSearch) {
    const ZoomSearchResult reference = zoomSearch(ztest_->zurl("Default"), "@attr 1=4 7",
                                                  {{"preferredRecordSyntax", "USMARC"}}, 7);
    ASSERT_EQ(reference.records.size(), 7u);
    std::vector<std::string> expected;
    for (const ZoomRecordForms& r : reference.records) expected.push_back(identityOf(r.raw));

    SearchHarness h(searchSettings(100, 100000, 4));
    for (int i = 0; i < 4; ++i) h.addTarget("T" + std::to_string(i), ztest_->zurl("Default"));
    for (int round = 0; round < 8; ++round) {
        h.start("@attr 1=4 100");
        // Stop at different stages: before any task ran, and while storing.
        const size_t stopAt = static_cast<size_t>(round % 4) * 25;
        // Polled finely: 400 records arrive within a few polls' time.
        ASSERT_TRUE(waitFor([&] { return h.doc->store.count() >= stopAt; }, 20000, 1))
            << "round " << round << ": never reached " << stopAt << " records";
        h.doc->search.stopSearch();
        h.start("@attr 1=4 7");
        ASSERT_TRUE(h.drain()) << "round " << round;

        // A record of the stopped search comes from far down its result set.
        std::map<int32_t, std::vector<std::string>> perTarget;
        for (const Record& r : h.doc->store.copyAll())
            perTarget[r.targetId].push_back(identityOf(r.rawData));
        EXPECT_EQ(h.doc->store.count(), 28u) << "round " << round;
        for (const Target& t : h.doc->targetList.targets) {
            EXPECT_EQ(targetStatusText(t), t.name + " (7)") << "round " << round;
            EXPECT_EQ(perTarget[t.id], expected) << "round " << round;
        }
    }
}

TEST_F(SearchJobTest, StopFreesAWorkerBlockedOnASilentServer) {
    SilentServer silent;
    SearchHarness h(searchSettings());
    const Target& t = h.addTarget("Silent", silent.zurl("Default"));
    h.start("@attr 1=4 5");
    ASSERT_TRUE(waitFor([&] { return silent.acceptedCount() > 0; }, 10000));
    ASSERT_EQ(h.doc->pool->busyCount(), 1);
    h.doc->search.stopSearch();
    // Well before the toolkit's own 30 s timeout.
    EXPECT_TRUE(waitFor([&] { return h.doc->pool->busyCount() == 0; }, 5000));
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(h.events[t.id], (Codes{110, 113}));
    EXPECT_EQ(targetStatusText(t), "Silent (Aborted)");
}

TEST_F(SearchJobTest, RetryAfterAnErrorSearchesAgain) {
    SearchHarness h(searchSettings());
    Target& t = h.addTarget("Z", ztest_->zurl("Nowhere"));
    h.start("@attr 1=4 6");
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "Z (Error)");

    t.zurl = ztest_->zurl("Default");
    h.doc->selection.selectedRecordNumber = 3;
    h.doc->search.retryTarget(t.id);
    EXPECT_EQ(h.doc->selection.selectedTargetId, t.id);
    EXPECT_EQ(h.doc->selection.selectedRecordNumber, -1);
    EXPECT_EQ(t.search.state, Pending);
    EXPECT_TRUE(t.search.lastError().empty());
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(h.events[t.id], (Codes{110, 111, 114, 113, 110, 111, 112, 113}));
    EXPECT_EQ(targetStatusText(t), "Z (6)");

    // After a record that could not be had the target stays aborted: the
    // retried task connects and ends.
    t.search.errorFlag = true;
    t.search.abortedFlag = true;
    t.search.setLastError("QRN: Unable to retrieve record");
    h.events.clear();
    h.doc->search.retryTarget(t.id);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(h.events[t.id], (Codes{110, 113}));
    EXPECT_EQ(targetStatusText(t), "Z (Aborted)");
    EXPECT_EQ(h.doc->store.count(), 6u);
}

// A retried batch goes on with the strings that did not get all their
// records; the others' records are in the store already.
TEST_F(SearchJobTest, RetriedBatchSearchesOnlyWhatFailed) {
    SearchHarness h(searchSettings());
    Target& t = h.addTarget("Z", ztest_->zurl("Default"));
    h.doc->query.batch = true;
    h.doc->query.batchList = {"@attr 1=4 3", "@attr 1=4 @and", "@attr 1=4 2"};
    h.doc->search.startSearch();
    ASSERT_TRUE(h.drain());
    ASSERT_TRUE(t.search.errorFlag);
    ASSERT_EQ(h.doc->store.count(), 5u);

    h.events.clear();
    h.doc->search.retryTarget(t.id);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(h.events[t.id], (Codes{110, 111, 111, 114, 113}));
    EXPECT_EQ(h.doc->store.count(), 5u);
    EXPECT_EQ(t.search.retrievedCount, 5);
}

TEST_F(SearchJobTest, DestroyingTheDocumentMidSearchEndsCleanly) {
    SilentServer silent;
    const size_t threadsBefore = threadsInProcess();
    SearchHarness h(searchSettings(20, 1000, 3));
    h.addTarget("Slow", ztest_->zurl("Slow"));
    h.addTarget("Silent", silent.zurl("Default"));
    h.addTarget("Zebra", zebra_->zurl("Default"));
    h.addTarget("Queued", ztest_->zurl("Slow"));
    h.start(kLighthouse);
    ASSERT_TRUE(waitFor([&] { return h.doc->pool->busyCount() == 3; }, 10000));

    // On its own thread, so a teardown that hangs on the silent server fails
    // here instead of at the suite's timeout.
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread teardown([&] {
        h.doc.reset();
        done.set_value();
    });
    // Well before the toolkit's own 30 s timeout.
    if (finished.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        std::fprintf(stderr, "destroying the document took longer than 10 s\n");
        std::abort();
    }
    teardown.join();
    EXPECT_TRUE(waitFor([&] { return threadsInProcess() <= threadsBefore; }, 5000))
        << threadsInProcess() << " threads left of " << threadsBefore;
}

// The server goes away while the task waits for a present: every record that
// had arrived is kept, the target ends aborted at the first missing position
// saying why, and Resume goes on from there once the server is back.
TEST_F(SearchJobTest, ServerLostWhileFetchingKeepsWhatArrivedAndResumeGoesOn) {
    auto server = std::make_unique<YazZtestServer>();
    SearchHarness h(searchSettings(10));
    Target& t = h.addTarget("Z", server->zurl("Default?present-delay=2"));
    h.start("@attr 1=4 30");
    ASSERT_TRUE(h.drain());
    ASSERT_EQ(targetStatusText(t), "Z (10/30)");

    // The present for the rest is delayed, and the server dies meanwhile.
    const pid_t serverPid = server->pid();
    YazZtestServer* dying = server.get();
    std::thread killer([&] {
        waitFor([&] { return dying->log().find("resultSetStartPoint 11") != std::string::npos; },
                20000, 1);
        kill(serverPid, SIGKILL);
    });
    h.doc->search.resumeAll();
    const bool drained = h.drain();
    killer.join();
    ASSERT_TRUE(drained);
    EXPECT_EQ(h.events[t.id], (Codes{110, 111, 112, 113, 110, 111, 112, 114, 113}));
    EXPECT_EQ(targetStatusText(t), "Z (Aborted)");
    EXPECT_EQ(t.search.lastError().rfind("Connection lost (10004) ", 0), 0u) << t.search.lastError();
    const int32_t kept = t.search.retrievedCount;
    EXPECT_EQ(kept, 10);
    EXPECT_EQ(h.doc->store.count(), static_cast<size_t>(kept));

    server = std::make_unique<YazZtestServer>();
    t.zurl = server->zurl("Default");
    h.doc->search.resumeAll();
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "Z (" + std::to_string(kept + 10) + "/30)");

    const ZoomSearchResult reference = zoomSearch(server->zurl("Default"), "@attr 1=4 30",
                                                  {{"preferredRecordSyntax", "USMARC"}}, kept + 10);
    const std::vector<Record> stored = h.doc->store.copyAll();
    ASSERT_EQ(stored.size(), static_cast<size_t>(kept + 10));
    ASSERT_EQ(reference.records.size(), stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(stored[i].number, static_cast<int32_t>(i + 1));
        EXPECT_EQ(identityOf(stored[i].rawData), identityOf(reference.records[i].raw))
            << "position " << i;
    }
}
