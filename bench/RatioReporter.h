// Prints Google Benchmark's usual table and keeps each run's real time, so a
// benchmark program can print ratios against its reference run at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // Real time per iteration, by benchmark name ("BM_Sort/3").
    std::map<std::string, double> times;
};
