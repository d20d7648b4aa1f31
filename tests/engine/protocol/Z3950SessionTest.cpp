// The Z39.50 session of our own against a real Zebra and a server that never
// answers: what it hands on, how it fails, and that it stops at once.
#include <gtest/gtest.h>
#include <yaz/proto.h>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "FreePort.h"
#include "SharedServerTest.h"
#include "SilentServer.h"
#include "MarcCorpus.h"
#include "TestSupport.h"
#include "protocol/z3950/PresentSlices.h"
#include "protocol/z3950/Z3950Connection.h"
#include "protocol/z3950/Z3950Session.h"

namespace {

struct Z3950SessionTest : DemoZebraTest<Z3950SessionTest> {
    using DemoZebraTest<Z3950SessionTest>::server_;
};

const char* const kAll = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

Z3950Options demoOptions(const std::string& zurl) {
    Z3950Options options;
    options.address = zurl;
    options.recordSyntax = "usmarc";
    options.elementSet = "F";
    options.timeoutSeconds = 10;
    return options;
}

std::string octets(Z_NamePlusRecord* record) {
    if (record->which != Z_NamePlusRecord_databaseRecord) return std::string();
    const Z_External* ext = record->u.databaseRecord;
    if (ext->which != Z_External_octet) return std::string();
    return std::string(reinterpret_cast<const char*>(ext->u.octet_aligned->buf),
                       static_cast<size_t>(ext->u.octet_aligned->len));
}

}  // namespace

TEST_F(Z3950SessionTest, presentsSlicesInOrderFromWhereAsked) {
    Z3950Session session(demoOptions(server_->zurl("Default")), [] { return false; });
    ASSERT_TRUE(session.connect()) << session.error().message;
    std::vector<int32_t> positions;
    std::set<std::string> records;
    const auto take = [&](int32_t position, Z_NamePlusRecord* record) {
        positions.push_back(position);
        records.insert(octets(record));
        return true;
    };
    ASSERT_TRUE(session.search(kAll, 1, take));
    ASSERT_GT(session.hits(), 5);
    ASSERT_EQ(positions, std::vector<int32_t>({0}));
    int32_t handed = 0;
    ASSERT_TRUE(session.present(1, 4, take, handed));
    EXPECT_EQ(handed, 4);
    EXPECT_EQ(positions, std::vector<int32_t>({0, 1, 2, 3, 4}));
    // Five different ISO 2709 records: each present asked for the next ones.
    EXPECT_EQ(records.size(), 5u);
    for (const std::string& r : records) EXPECT_EQ(r.back(), '\x1d');
}

TEST_F(Z3950SessionTest, aServerDiagnosticKeepsItsSetCodeTextAndAddinfo) {
    Z3950Session session(demoOptions(server_->zurl("NoSuchBase")), [] { return false; });
    ASSERT_TRUE(session.connect());
    EXPECT_FALSE(session.search(kAll, 0, [](int32_t, Z_NamePlusRecord*) { return true; }));
    EXPECT_EQ(session.error().code, 109);
    EXPECT_EQ(session.error().diagset, "Bib-1");
    EXPECT_EQ(session.error().message, "Database unavailable");
    EXPECT_EQ(session.error().addinfo, "NoSuchBase");

    Z3950Session unknownIndex(demoOptions(server_->zurl("Default")), [] { return false; });
    ASSERT_TRUE(unknownIndex.connect());
    EXPECT_FALSE(unknownIndex.search("@attr 1=9999 x", 0, [](int32_t, Z_NamePlusRecord*) { return true; }));
    EXPECT_EQ(unknownIndex.error().code, 114);
}

TEST_F(Z3950SessionTest, aQueryThatDoesNotParseIsAnInvalidQuery) {
    Z3950Session session(demoOptions(server_->zurl("Default")), [] { return false; });
    ASSERT_TRUE(session.connect());
    EXPECT_FALSE(session.search("@and x", 0, [](int32_t, Z_NamePlusRecord*) { return true; }));
    EXPECT_EQ(session.error().code, 10010);
}

TEST(Z3950SessionFailures, aRefusedConnectionIsConnectFailedNamingTheAddress) {
    const std::string zurl = "127.0.0.1:" + std::to_string(pickFreePort()) + "/Default";
    Z3950Session session(demoOptions(zurl), [] { return false; });
    EXPECT_FALSE(session.connect());
    EXPECT_EQ(session.error().code, 10000);
    EXPECT_EQ(session.error().message, "Connect failed");
    EXPECT_EQ(session.error().addinfo, zurl);
}

TEST(Z3950SessionFailures, aSilentServerTimesOutAndAStopEndsTheWaitAtOnce) {
    SilentServer silent;
    Z3950Options options = demoOptions(silent.zurl("Default"));
    options.timeoutSeconds = 1;
    Z3950Session timesOut(options, [] { return false; });
    EXPECT_FALSE(timesOut.connect());
    EXPECT_EQ(timesOut.error().code, 10007);
    EXPECT_FALSE(timesOut.stopped());

    options.timeoutSeconds = 60;
    std::atomic<bool> stop{false};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop = true;
    });
    Z3950Session stopped(options, [&] { return stop.load(); });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(stopped.connect());
    stopper.join();
    EXPECT_TRUE(stopped.stopped());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
}

// More records than one present asks for: the connection asks again from
// where the last answer ended until every position has come, in order.
TEST(Z3950ConnectionSlices, EveryPositionComesOverSeveralPresents) {
    TempDir tmp;
    writeCorpusFile(tmp.file("many.mrc"), kRecordsPerSlice + 200, 5);
    ZebraServer zebra({tmp.file("many.mrc")});
    Target target;
    target.zurl = zebra.zurl("Default");
    target.recsyntax = "usmarc";
    SettingsData settings;
    settings.MaxRecPerTarget = kRecordsPerSlice + 200;
    Z3950Connection connection(target, settings, [] { return false; });
    ASSERT_TRUE(connection.connect());
    ASSERT_TRUE(connection.search(kAll, 0));
    ASSERT_EQ(connection.hits(), kRecordsPerSlice + 200);
    int32_t next = 0;
    const FetchEnd end = connection.fetch(0, kRecordsPerSlice + 200, [&](FetchedRecords&& f) {
        EXPECT_EQ(f.position, next++);
        EXPECT_EQ(f.records.size(), 1u);
        return true;
    });
    EXPECT_EQ(end, FetchEnd::Done);
    EXPECT_EQ(next, kRecordsPerSlice + 200);
}
