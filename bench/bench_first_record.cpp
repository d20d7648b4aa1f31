// Time to the first record: one target, a local Zebra of 1,000 records, all of
// them hits. From the start of a search to the first record in the store,
// beside the toolkit calls zoomsh makes for "connect", "search" and "show 0 1"
// on the same server, in the same run. The worker pool starts a queued task
// at the earliest 100 ms after it was queued; that wait is reported apart
// ("dispatch_ms"), and the ratio is taken without it.
#include <benchmark/benchmark.h>
#include <yaz/zoom.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "CollectedMessages.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "SkipOnError.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "protocol/z3950/ZoomInit.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRecords = 1000;
constexpr const char* kEveryRecord = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

ZebraServer& server() {
    static std::unique_ptr<ZebraServer> zebra = [] {
        static TempDir dir;
        const std::string file = dir.file("records.mrc");
        writeCorpusFile(file, kRecords, 3);
        return std::make_unique<ZebraServer>(std::vector<std::string>{file}, "Default",
                                             ZServer::Logging::Requests);
    }();
    return *zebra;
}

// What zoomsh does for connect, search and "show 0 1".
double zoomshFirstRecord(const std::string& zurl) {
    const auto started = Clock::now();
    ZOOM_options options = ZOOM_options_create();
    ZOOM_options_set(options, "preferredRecordSyntax", "usmarc");
    ZOOM_options_set(options, "elementSetName", "F");
    ZOOM_connection c = ZOOM_connection_create(options);
    ZOOM_connection_connect(c, zurl.c_str(), 0);
    ZOOM_resultset r = ZOOM_connection_search_pqf(c, kEveryRecord);
    const bool got = ZOOM_resultset_record(r, 0) != nullptr;
    const double ms = msSince(started);
    ZOOM_resultset_destroy(r);
    ZOOM_connection_destroy(c);
    ZOOM_options_destroy(options);
    if (!got) throw std::runtime_error("zoomsh's way fetched no record");
    return ms;
}

void runFirstRecord(benchmark::State& state) {
    initializeZoom();
    CollectedMessages quiet;
    const std::string zurl = server().zurl("Default");
    SearchHarness h(searchSettings(kRecords, kRecords, 4));
    Target& target = h.addTarget("Zebra", zurl, "usmarc", "F");
    double qrnTotal = 0, dispatchTotal = 0, zoomshTotal = 0;
    for (auto _ : state) {
        zoomshTotal += zoomshFirstRecord(zurl);
        const auto started = Clock::now();
        h.start(kEveryRecord);
        double dispatched = -1;
        while (h.doc->store.count() == 0) {
            if (dispatched < 0 && target.search.state != Pending) dispatched = msSince(started);
            if (msSince(started) > 30000) throw std::runtime_error("no record within 30 s");
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        const double first = msSince(started);
        if (dispatched < 0) dispatched = first;
        state.SetIterationTime(first / 1000);
        qrnTotal += first;
        dispatchTotal += dispatched;
        if (!h.drain(60000)) throw std::runtime_error("the search did not end");
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["zoomsh_ms"] = zoomshTotal / n;
    state.counters["dispatch_ms"] = dispatchTotal / n;
    state.counters["after_dispatch_ms"] = (qrnTotal - dispatchTotal) / n;
    state.counters["ratio"] = (qrnTotal - dispatchTotal) / zoomshTotal;
}

void BM_FirstRecord(benchmark::State& state) { runOrSkip(state, runFirstRecord); }

}  // namespace

BENCHMARK(BM_FirstRecord)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
