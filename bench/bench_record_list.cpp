// The record list's refill (brief fields copied under the store's lock, made
// fit for the screen, newest first, sorted by title) and a sort by date, for
// 50,000 records, beside copying the same records out of the store in the
// same run. Prints the ratios at the end.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>
#include <map>
#include <string>

#include "views/RecordListModel.h"
#include "engine/ResultStore.h"

namespace {

constexpr int kRecords = 50000;

const ResultStore& store() {
    static ResultStore* records = [] {
        auto* s = new ResultStore;
        static const char* const kWords[] = {"library", "history", "of",    "the",    "annual",
                                             "report",  "music",   "opera", "modern", "theory",
                                             "Études",  "Łódź",    "guide", "data",   "art"};
        uint32_t state = 1;
        const auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
        for (int i = 0; i < kRecords; ++i) {
            Record r;
            for (int w = 0; w < 5; ++w) r.title += std::string(kWords[next() % 15]) + " ";
            r.author = std::string(kWords[next() % 15]) + ", " + kWords[next() % 15];
            r.date = std::to_string(1900 + next() % 120) + ".";
            r.targetId = 1 + next() % 4;
            r.targetName = "Target " + std::to_string(r.targetId);
            r.rawData.assign(800, 'x');
            r.kind = Marc;
            r.formsDeferred = true;
            s->add(std::move(r));
        }
        return s;
    }();
    return *records;
}

void BM_CopyRecordsOut(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(store().copyAll());
}
BENCHMARK(BM_CopyRecordsOut)->Unit(benchmark::kMillisecond);

void BM_RefillAndSortByTitle(benchmark::State& state) {
    RecordListModel model;
    for (auto _ : state) model.refill(store(), -1);
}
BENCHMARK(BM_RefillAndSortByTitle)->Unit(benchmark::kMillisecond);

void BM_SortByDate(benchmark::State& state) {
    RecordListModel model;
    model.refill(store(), -1);
    bool ascending = true;
    for (auto _ : state) model.sortRows(3, ascending = !ascending);
}
BENCHMARK(BM_SortByDate)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    store();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double copy = reporter.times["BM_CopyRecordsOut"];
    if (copy > 0) {
        std::printf("refill and sort / copy out: %.2f (goal: under 3)\n",
                    reporter.times["BM_RefillAndSortByTitle"] / copy);
        std::printf("sort by date / copy out:    %.2f\n", reporter.times["BM_SortByDate"] / copy);
    }
    return 0;
}
