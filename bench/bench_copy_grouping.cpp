// Grouping 100,000 MARC records (25,000 books, each from four targets) into
// copies of one book, identifiers and quality marks read from every record,
// beside copying the same records out of the store in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "MarcCorpus.h"
#include "RatioReporter.h"
#include "copies/CopyGrouping.h"
#include "records/ResultStore.h"

namespace {

constexpr int kBooks = 25000;
constexpr int kTargets = 4;

const ResultStore& store() {
    static ResultStore* records = [] {
        auto* s = new ResultStore;
        const MarcCorpus corpus(kBooks, 7);
        for (int t = 1; t <= kTargets; ++t) {
            for (const CorpusRecord& book : corpus.records()) {
                Record r;
                r.title = book.titleA;
                r.author = book.authorA;
                r.date = book.dateC;
                r.targetId = t;
                r.targetName = "Target " + std::to_string(t);
                r.rawData = book.iso2709;
                r.kind = Marc;
                r.formsDeferred = true;
                s->add(std::move(r));
            }
        }
        return s;
    }();
    return *records;
}

void BM_CopyRecordsOut(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(store().copyAll());
}
BENCHMARK(BM_CopyRecordsOut)->Unit(benchmark::kMillisecond);

void BM_GroupCopies(benchmark::State& state) {
    for (auto _ : state) {
        CopyGrouping grouping;
        grouping.catchUp(store());
        benchmark::DoNotOptimize(grouping.groups());
    }
}
BENCHMARK(BM_GroupCopies)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    store();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double copy = reporter.times["BM_CopyRecordsOut"];
    if (copy > 0)
        std::printf("grouping / copy out: %.2f (goal: under 1)\n",
                    reporter.times["BM_GroupCopies"] / copy);
    return 0;
}
