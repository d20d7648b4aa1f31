// One search over 200 targets: four local Zebras, each reached under 50
// addresses (its databases Db0..Db49, 20 records each), and a quarter of the
// targets dead: half of them refusing connections, half accepting and never
// answering, those with a time limit of their own. The search's wall time is
// set against the bound the connection limit gives: the work zoomsh's calls
// (connect, search, "show 0 20") take on each target in turn, divided by the
// number of connections. The pool waits 100 ms before each pass that hands
// out jobs, also when a worker has become free; "ratio_after_passes" adds that
// wait to every target's work.
#include <benchmark/benchmark.h>
#include <yaz/zoom.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "CollectedMessages.h"
#include "FreePort.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "SilentServer.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "engine/ZoomInit.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kServers = 4;
constexpr int kDatabases = 50;
constexpr int kTargets = kServers * kDatabases;
constexpr int kRecords = 20;
constexpr int kConnections = 10;
constexpr int kSilentTimeoutSeconds = 1;
constexpr double kPassDelaySeconds = 0.1;
constexpr const char* kEveryRecord = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string database(int n) { return "Db" + std::to_string(n); }

// Indexes file into every database of the register in dir, before Zebra
// indexes it under the first.
void indexEveryDatabase(const std::string& dir, const std::string& file) {
    const std::string log = dir + "/zebraidx-databases.log";
    std::filesystem::create_directory(dir + "/register");
    for (int n = 1; n < kDatabases; ++n) {
        ChildProcess indexer({"zebraidx", "-c", "zebra.cfg", "-d", database(n), "update", file},
                             dir, log);
        if (indexer.wait(60000) != 0)
            throw std::runtime_error("zebraidx failed:\n" + readFileBytes(log));
    }
}

struct Address {
    std::string zurl;
    int timeoutSeconds = 0;
    int expected = 0;
};

// What zoomsh does for connect, search and "show 0 20"; the records it got.
int zoomshSearch(const Address& address) {
    ZOOM_options options = ZOOM_options_create();
    ZOOM_options_set(options, "preferredRecordSyntax", "usmarc");
    ZOOM_options_set(options, "elementSetName", "F");
    if (address.timeoutSeconds > 0)
        ZOOM_options_set(options, "timeout", std::to_string(address.timeoutSeconds).c_str());
    ZOOM_connection c = ZOOM_connection_create(options);
    ZOOM_connection_connect(c, address.zurl.c_str(), 0);
    ZOOM_resultset r = ZOOM_connection_search_pqf(c, kEveryRecord);
    int got = 0;
    if (!ZOOM_connection_error(c, nullptr, nullptr)) {
        ZOOM_record records[kRecords] = {};
        ZOOM_resultset_records(r, records, 0, kRecords);
        for (ZOOM_record record : records) got += record != nullptr;
    }
    ZOOM_resultset_destroy(r);
    ZOOM_connection_destroy(c);
    ZOOM_options_destroy(options);
    return got;
}

void runManyTargets(benchmark::State& state) {
    initializeZoom();
    CollectedMessages quiet;
    TempDir dir;
    const std::string file = dir.file("records.mrc");
    writeCorpusFile(file, kRecords, 11);
    std::vector<std::unique_ptr<ZebraServer>> servers;
    servers.push_back(std::make_unique<ZebraServer>(
        std::vector<std::string>{file}, database(0), ZServer::Logging::Requests,
        [&](const std::string& configDir) { indexEveryDatabase(configDir, file); }));
    while (servers.size() < kServers)
        servers.push_back(
            ZebraServer::onSameRegister(*servers.front(), ZServer::Logging::Requests));
    SilentServer silent;
    const int refusing = pickFreePort();

    // Every fourth address of each server is dead, alternately refusing and silent.
    std::vector<Address> addresses;
    int expectedRecords = 0;
    for (int n = 0; n < kDatabases; ++n)
        for (int s = 0; s < kServers; ++s) {
            Address a;
            if (s == 3 && n % 2 == 0)
                a.zurl = "127.0.0.1:" + std::to_string(refusing) + "/" + database(n);
            else if (s == 3) {
                a.zurl = silent.zurl(database(n));
                a.timeoutSeconds = kSilentTimeoutSeconds;
            } else {
                a.zurl = servers[s]->zurl(database(n));
                a.expected = kRecords;
            }
            expectedRecords += a.expected;
            addresses.push_back(a);
        }

    double qrn = 0, work = 0;
    for (auto _ : state) {
        const auto worked = Clock::now();
        for (const Address& a : addresses)
            if (zoomshSearch(a) != a.expected)
                throw std::runtime_error("zoomsh's way got the wrong count from " + a.zurl);
        work += secondsSince(worked);

        SearchHarness h(searchSettings(kRecords, kTargets * kRecords, kConnections));
        for (size_t i = 0; i < addresses.size(); ++i)
            h.addTarget("T" + std::to_string(i), addresses[i].zurl, "usmarc", "F")
                .profile.timeoutSeconds = addresses[i].timeoutSeconds;
        const auto started = Clock::now();
        h.start(kEveryRecord);
        if (!h.drain(600000)) throw std::runtime_error("the search did not end in 10 minutes");
        const double wall = secondsSince(started);
        state.SetIterationTime(wall);
        qrn += wall;
        if (h.doc->store.count() != static_cast<size_t>(expectedRecords))
            throw std::runtime_error("stored " + std::to_string(h.doc->store.count()) + " of " +
                                     std::to_string(expectedRecords) + " records");
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["work_s"] = work / n;
    state.counters["bound_s"] = work / n / kConnections;
    state.counters["ratio"] = qrn / (work / kConnections);
    const double passes = kTargets * kPassDelaySeconds * n;
    state.counters["ratio_after_passes"] = qrn / ((work + passes) / kConnections);
}

// A failure ends the run with a message, the servers stopped on the way out.
void BM_ManyTargets(benchmark::State& state) {
    try {
        runManyTargets(state);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

}  // namespace

BENCHMARK(BM_ManyTargets)->UseManualTime()->Iterations(2)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
