// The record list's refill (brief fields copied under the store's lock, made
// fit for the screen, newest first, sorted by title) and a sort by each
// column, for 50,000 records, beside copying the same records out of the
// store in the same run. Prints the ratios at the end.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "RatioReporter.h"
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

// Any column: title, author, database, date.
void BM_SortByColumn(benchmark::State& state) {
    RecordListModel model;
    model.refill(store(), -1);
    bool ascending = true;
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) model.sortRows(column, ascending = !ascending);
}
BENCHMARK(BM_SortByColumn)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

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
        const char* const names[] = {"title", "author", "database", "date"};
        for (int c = 0; c < 4; ++c)
            std::printf("sort by %-8s / copy out: %.2f (goal: under 1.5)\n", names[c],
                        reporter.times["BM_SortByColumn/" + std::to_string(c)] / copy);
    }
    return 0;
}
