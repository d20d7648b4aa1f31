// Time from Stop to every pool worker idle while a search waits on a catalogue
// that accepted the connection and never answers. Each repetition is one stop;
// read the median line (the goal is under 0.2 s).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include "CollectedMessages.h"
#include "SilentServer.h"
#include "document/DocumentCore.h"
#include "search/SearchEvent.h"
#include "protocol/z3950/ZoomInit.h"

namespace {

using Clock = std::chrono::steady_clock;

// Polls cond every millisecond for at most limit; true once it holds.
template <typename Cond>
bool waitFor(Cond cond, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (!cond()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void BM_StopToIdle(benchmark::State& state) {
    initializeZoom();
    CollectedMessages quiet;
    SilentServer silent;
    DocumentCore doc([] {
        auto s = std::make_unique<SettingsData>();
        s->MaxConnections = 4;
        s->MaxRecPerTarget = 1000;
        s->MaxRecPerSearch = 100000;
        return s;
    });
    doc.pool->setMaxWorkers(4);
    Target target;
    target.id = 1;
    target.name = "silent";
    target.zurl = silent.zurl("Default");
    target.recsyntax = "usmarc";
    target.elementsetname = "F";
    target.active = true;
    doc.targetList.targets.push_back(target);
    doc.targetList.nextId = 2;
    doc.query.compile("@attr 1=4 lighthouse");
    SearchEventQueue events;
    doc.search.setEventSink(&events);
    Target& t = doc.targetList.targets.front();

    for (auto _ : state) {
        doc.search.startSearch();
        if (!waitFor([&] { return t.search.state == Running && doc.pool->busyCount() > 0; },
                     std::chrono::seconds(5)))
            throw std::runtime_error("the search never started");
        // Let the worker settle into its wait on the silent connection.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto stopped = Clock::now();
        doc.search.stopSearch();
        if (!waitFor([&] { return doc.pool->busyCount() == 0; }, std::chrono::seconds(10)))
            throw std::runtime_error("a worker stayed busy 10 s after Stop");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - stopped).count());
        SearchEventHint drained;
        while (events.tryNext(drained)) {
        }
    }
}

}  // namespace

BENCHMARK(BM_StopToIdle)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
