// The Databases page built over 5,000 targets (as public target directories
// list) beside a plain QTreeWidget filled with the same rows in the same run.
// Prints the ratio at the end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>
#include <cstdio>
#include <string>

#include "RatioReporter.h"
#include "targets/TargetFilter.h"
#include "targets/widgets/PPTargets.h"

namespace {

constexpr int kTargets = 5000;

TargetList& targets() {
    static TargetList* list = [] {
        auto* l = new TargetList;
        l->selectedLocation = kAllLocations;
        uint32_t state = 7;
        const auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
        for (int i = 0; i < kTargets; ++i) {
            Target t;
            t.name = "Library " + std::to_string(next() % 100000) + " catalogue";
            t.zurl = "z3950.example.org:210/db" + std::to_string(i);
            t.location = "Country " + std::to_string(next() % 60);
            t.active = next() % 5 == 0;
            addTarget(*l, std::move(t));
        }
        return l;
    }();
    return *list;
}

void BM_DatabasesPage(benchmark::State& state) {
    for (auto _ : state) {
        PPTargets page(targets(), false);
        benchmark::DoNotOptimize(&page);
    }
}
BENCHMARK(BM_DatabasesPage)->Unit(benchmark::kMillisecond);

void BM_PlainTreeWidget(benchmark::State& state) {
    const std::vector<TargetEntry> entries = filterTargets(targets());
    for (auto _ : state) {
        QTreeWidget tree;
        tree.setColumnCount(2);
        for (const TargetEntry& entry : entries) {
            const QString text = QString::fromStdString(entry.text);
            auto* item =
                new QTreeWidgetItem(QStringList{text.section('\t', 0, 0), text.section('\t', 1)});
            item->setCheckState(0, entry.checked ? Qt::Checked : Qt::Unchecked);
            tree.addTopLevelItem(item);
        }
        tree.setSortingEnabled(true);
        tree.sortByColumn(0, Qt::AscendingOrder);
        tree.resizeColumnToContents(0);
    }
}
BENCHMARK(BM_PlainTreeWidget)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    targets();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double plain = reporter.times["BM_PlainTreeWidget"];
    if (plain > 0)
        std::printf("Databases page / plain tree: %.2f (goal: under 2)\n",
                    reporter.times["BM_DatabasesPage"] / plain);
    return 0;
}
