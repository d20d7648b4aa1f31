// A search of four local Zebras of 1,000 generated records each, every record
// fetched: over SRU (MARCXML made into ISO 2709 on arrival) beside the same
// search over Z39.50 (ISO 2709 as sent). Each iteration runs both; its time is
// the SRU search's, and "sru_over_z3950" is the ratio of the two summed over
// the run (the goal is under 1.5); "client_cpu_ratio" is the same ratio for
// this process's CPU time alone, the servers' work left out (the goal is 2 or
// less).
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CollectedMessages.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "protocol/z3950/ZoomInit.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kServers = 4;
constexpr int kRecords = 1000;
constexpr const char* kEveryRecord = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Seconds one search of every target takes, all records stored; adds the CPU
// time this process spent to cpu.
double timedSearch(SearchHarness& h, double& cpu) {
    const double cpuBefore = processCpuSeconds();
    const auto started = Clock::now();
    h.start(kEveryRecord);
    if (!h.drain(120000)) throw std::runtime_error("the search did not end within 2 minutes");
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    cpu += processCpuSeconds() - cpuBefore;
    if (h.doc->store.count() != static_cast<size_t>(kServers * kRecords))
        throw std::runtime_error("stored " + std::to_string(h.doc->store.count()) + " records");
    return seconds;
}

void BM_SruBesideZ3950(benchmark::State& state) {
    initializeZoom();
    CollectedMessages quiet;
    TempDir dir;
    const std::string file = dir.file("records.mrc");
    writeCorpusFile(file, kRecords, 11);
    const std::vector<std::unique_ptr<ZebraServer>> servers =
        ZebraServer::severalOnOneRegister(file, kServers);

    const SettingsData settings = searchSettings(kRecords, kServers * kRecords, kServers);
    SearchHarness z3950(settings);
    SearchHarness sru(settings);
    for (const auto& server : servers) {
        z3950.addTarget("Z39.50", server->zurl("Default"), "usmarc", "F");
        sru.addTarget("SRU", server->sruUrl(), "marcxml", "");
    }
    double z3950Total = 0;
    double sruTotal = 0;
    double z3950Cpu = 0;
    double sruCpu = 0;
    for (auto _ : state) {
        z3950Total += timedSearch(z3950, z3950Cpu);
        const double seconds = timedSearch(sru, sruCpu);
        sruTotal += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["z3950_s"] = z3950Total / static_cast<double>(state.iterations());
    state.counters["sru_over_z3950"] = sruTotal / z3950Total;
    state.counters["client_cpu_ratio"] = sruCpu / z3950Cpu;
    state.counters["sru_client_cpu_s"] = sruCpu / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(BM_SruBesideZ3950)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
