// One search over the 200 targets of ManyTargets.h. The search's wall time is
// set against the bound the connection limit gives: the work zoomsh's calls
// (connect, search, "show 0 20") take on each target in turn, divided by the
// number of connections. The pool waits 100 ms before each pass that hands
// out jobs, also when a worker has become free, and that wait is required of
// it: "ratio_after_passes" adds it to every target's work and is the figure
// held against the goal.
#include <benchmark/benchmark.h>
#include <yaz/zoom.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "CollectedMessages.h"
#include "ManyTargets.h"
#include "SearchHarness.h"
#include "SkipOnError.h"
#include "protocol/z3950/ZoomInit.h"

namespace {

using namespace many_targets;
using Clock = std::chrono::steady_clock;

constexpr double kPassDelaySeconds = 0.1;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

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
    const Servers servers;
    const std::vector<Address>& addresses = servers.addresses();
    const int expectedRecords = servers.expectedRecords();

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

void BM_ManyTargets(benchmark::State& state) { runOrSkip(state, runManyTargets); }

}  // namespace

BENCHMARK(BM_ManyTargets)->UseManualTime()->Iterations(2)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
