// Memory of 4 x 20,000 records held: four local Zebras on one register of
// generated records, one search fetching all of them, and this process's
// resident memory above what it had before the search, against the records'
// raw bytes: at its peak during the search ("peak_over_raw") and once the
// search has ended ("held_over_raw"), which is what a long session keeps.
// scripts/bench-memory measures qrn-search's maximum the same way from outside.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CollectedMessages.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "SkipOnError.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "protocol/z3950/ZoomInit.h"

namespace {

constexpr int kServers = 4;
constexpr int kRecords = 20000;
constexpr const char* kEveryRecord = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

// Kilobytes of a /proc/self/status line ("VmRSS", "VmHWM").
double statusKb(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, key.size() + 1, key + ":") == 0)
            return std::stod(line.substr(key.size() + 1));
    throw std::runtime_error("no " + key + " in /proc/self/status");
}

void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void runRecordsHeld(benchmark::State& state) {
    initializeZoom();
    CollectedMessages quiet;
    TempDir dir;
    const std::string file = dir.file("records.mrc");
    writeCorpusFile(file, kRecords, 5);
    const double raw = static_cast<double>(readFileBytes(file).size()) * kServers;
    const std::vector<std::unique_ptr<ZebraServer>> servers =
        ZebraServer::severalOnOneRegister(file, kServers);
    double peak = 0, held = 0;
    for (auto _ : state) {
        SearchHarness h(searchSettings(kRecords, kServers * kRecords, kServers));
        for (const auto& server : servers)
            h.addTarget("Zebra", server->zurl("Default"), "usmarc", "F");
        // What setting up freed must not count as room the records found.
        malloc_trim(0);
        const double before = statusKb("VmRSS");
        resetPeak();
        h.start(kEveryRecord);
        if (!h.drain(600000)) throw std::runtime_error("the search did not end in 10 minutes");
        if (h.doc->store.count() != static_cast<size_t>(kServers * kRecords))
            throw std::runtime_error("stored " + std::to_string(h.doc->store.count()) + " records");
        peak += (statusKb("VmHWM") - before) * 1024;
        held += (statusKb("VmRSS") - before) * 1024;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["raw_MB"] = raw / 1e6;
    state.counters["peak_over_raw"] = peak / n / raw;
    state.counters["held_over_raw"] = held / n / raw;
}

void BM_RecordsHeld(benchmark::State& state) { runOrSkip(state, runRecordsHeld); }

}  // namespace

BENCHMARK(BM_RecordsHeld)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
