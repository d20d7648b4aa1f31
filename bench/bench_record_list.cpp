// The record list's refill (brief fields copied under the store's lock, made
// fit for the screen, newest first, sorted by title) and a sort by each
// column, for 50,000 records, beside copying the same records out of the
// store in the same run; the refill with the Marks column, when every record's
// marks are read and when they were read by an earlier refill. Prints the
// ratios at the end.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "MarcBuilder.h"
#include "RatioReporter.h"
#include "copies/MarksCache.h"
#include "records/ResultStore.h"
#include "views/RecordListModel.h"

namespace {

constexpr int kRecords = 50000;

// About 800 bytes, with what the marks look at.
std::string marcRecord() {
    MarcBuilder b("00000nam a2200000 i 4500");
    b.control("001", "ocm12345678").control("008", "900101s1990    enk           000 0 eng d");
    b.data("020", "  ", {{'a', "9780306406157"}});
    b.data("040", "  ", {{'a', "DLC"}, {'b', "eng"}, {'e', "rda"}, {'c', "DLC"}});
    b.data("042", "  ", {{'a', "pcc"}});
    b.data("050", "00", {{'a', "QA76.73"}, {'b', ".C153 1990"}});
    b.data("100", "1 ", {{'a', "Ames, Ann,"}, {'e', "author."}});
    b.data("245", "10", {{'a', "Harbour lights :"}, {'b', "a history of the coast /"}});
    b.data("264", " 1", {{'a', "Oxford :"}, {'b', "Clarendon Press,"}, {'c', "1990."}});
    b.data("300", "  ", {{'a', "xii, 345 pages :"}, {'b', "illustrations ;"}, {'c', "24 cm"}});
    b.data("500", "  ", {{'a', std::string(300, 'n')}});
    for (const char* subject : {"Lighthouses", "Coasts", "Navigation", "Harbours"})
        b.data("650", " 0", {{'a', subject}, {'x', "History."}});
    b.data("700", "1 ", {{'a', "Baird, John."}});
    return b.build();
}

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
            r.rawData = marcRecord();
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

// Range 0: a cache of its own each time, as the first refill after the
// column was added; 1: the cache filled by an earlier refill.
void BM_RefillWithMarks(benchmark::State& state) {
    RecordListModel model;
    model.setMarksShown(true);
    MarksCache warm;
    warm.catchUp(store());
    for (auto _ : state) {
        MarksCache fresh;
        model.setRows(RecordListModel::listedRows(store(), -1, state.range(0) ? &warm : &fresh),
                      true);
    }
}
BENCHMARK(BM_RefillWithMarks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
        std::printf("refill with marks, first / copy out: %.2f\n",
                    reporter.times["BM_RefillWithMarks/0"] / copy);
        std::printf("refill with marks, later / copy out: %.2f (goal: under 3)\n",
                    reporter.times["BM_RefillWithMarks/1"] / copy);
        const char* const names[] = {"title", "author", "database", "date"};
        for (int c = 0; c < 4; ++c)
            std::printf("sort by %-8s / copy out: %.2f (goal: under 1.5)\n", names[c],
                        reporter.times["BM_SortByColumn/" + std::to_string(c)] / copy);
    }
    return 0;
}
