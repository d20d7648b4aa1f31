// How smooth the main window stays while 4 targets x 25,000 records stream
// into it (offscreen, four local Zebras on one register): a 10 ms timer on the
// UI thread, and how late each of its ticks comes. Reports the longest stall
// and the 99th percentile of the lateness, beside the same timer's lateness in
// an idle window for up to 5 s (the reference). The grouped mode does the
// same with the grouped list (View > Group Copies) shown; the toggle mode
// turns the grouping on and off over the 100,000 records listed.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CollectedMessages.h"
#include "GuiDocument.h"
#include "MarcCorpus.h"
#include "SkipOnError.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "app/CMainFrame.h"
#include "protocol/z3950/ZoomInit.h"
#include "views/GroupedRecordModel.h"
#include "views/MGroupedListView.h"
#include "views/MRecordListView.h"
#include "views/RecordListModel.h"

namespace {

constexpr int kServers = 4;
constexpr int kRecords = 25000;
constexpr int kTickMs = 10;
constexpr const char* kEveryRecord = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

struct Lateness {
    double longestMs = 0;
    double p99Ms = 0;
    // The UI thread's own CPU between two ticks at most: a stall much longer
    // than that was the machine's load, not the window's work.
    double longestBusyMs = 0;
};

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Runs the event loop until done() holds or timeoutMs pass, ticking a 10 ms
// timer; the lateness of every tick.
Lateness tickUntil(const std::function<bool()>& done, int timeoutMs) {
    std::vector<double> late;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    double lastCpu = threadCpuMs(), longestBusy = 0;
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        late.push_back(std::max(0.0, (now - last) / 1e6 - kTickMs));
        last = now;
        const double cpu = threadCpuMs();
        longestBusy = std::max(longestBusy, cpu - lastCpu);
        lastCpu = cpu;
        if (done() || clock.elapsed() > timeoutMs) loop.quit();
    });
    tick.start(kTickMs);
    loop.exec();
    if (clock.elapsed() > timeoutMs) throw std::runtime_error("the search did not end in time");
    std::sort(late.begin(), late.end());
    Lateness result;
    result.longestBusyMs = longestBusy;
    if (!late.empty()) {
        result.longestMs = late.back();
        result.p99Ms = late[std::min(late.size() - 1, late.size() * 99 / 100)];
    }
    return result;
}

enum class Mode { Flat, Grouped, Toggle };

// Whether the grouped list lists every record; the groups are walked again
// only after the list changed, which it tells by a model reset.
class GroupedListsAll {
public:
    GroupedListsAll(CMainFrame& frame, GuiDocument& g) : frame_(frame), g_(g) {
        QObject::connect(&frame.groupedListView()->model(), &QAbstractItemModel::modelReset,
                         &context_, [this] { changed_ = true; });
    }
    bool operator()() {
        if (!g_.core().searchSettled() || frame_.groupedListView()->isHidden()) return false;
        if (changed_)
            all_ = frame_.groupedListView()->model().listedRecords().size() ==
                   static_cast<size_t>(kServers * kRecords);
        changed_ = false;
        return all_;
    }

private:
    CMainFrame& frame_;
    GuiDocument& g_;
    QObject context_;
    bool changed_ = true, all_ = false;
};

bool flatListsAll(CMainFrame& frame, GuiDocument& g) {
    return g.core().searchSettled() && !frame.recordListView()->isHidden() &&
           frame.recordListView()->model().rowCount() == kServers * kRecords;
}

// Ticks while the grouping is turned on (or off) from the event loop, until
// the list shown lists every record.
Lateness toggle(CMainFrame& frame, GuiDocument& g, bool on) {
    QTimer::singleShot(0, [&frame] { frame.action(QStringLiteral("Group Copies"))->trigger(); });
    GroupedListsAll groupedListsAll(frame, g);
    return tickUntil(on ? std::function<bool()>(std::ref(groupedListsAll))
                        : std::function<bool()>([&] { return flatListsAll(frame, g); }),
                     600000);
}

void runStreaming(benchmark::State& state, Mode mode) {
    initializeZoom();
    CollectedMessages quiet;
    TempDir dir;
    const std::string file = dir.file("records.mrc");
    writeCorpusFile(file, kRecords, 13);
    const std::vector<std::unique_ptr<ZebraServer>> servers =
        ZebraServer::severalOnOneRegister(file, kServers);
    Lateness streaming, idle, off;
    double seconds = 0;
    for (auto _ : state) {
        GuiDocument g(guiSettings(kRecords, kServers * kRecords));
        for (int s = 0; s < kServers; ++s)
            g.addTarget("Zebra " + std::to_string(s), servers[s]->zurl("Default"));
        CMainFrame frame(g.doc());
        frame.resize(1000, 800);
        frame.show();
        if (mode == Mode::Grouped) frame.action(QStringLiteral("Group Copies"))->trigger();
        QApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        g.start(kEveryRecord);
        // Until the list shows every record, which it may build after the search.
        GroupedListsAll groupedListsAll(frame, g);
        const auto listed = [&] {
            return mode == Mode::Grouped ? groupedListsAll() : flatListsAll(frame, g);
        };
        streaming = tickUntil(listed, 600000);
        seconds = clock.elapsed() / 1000.0;
        if (g.core().store.count() != static_cast<size_t>(kServers * kRecords))
            throw std::runtime_error("stored " + std::to_string(g.core().store.count()) +
                                     " records");
        if (mode == Mode::Toggle) {
            clock.restart();
            streaming = toggle(frame, g, true);
            seconds = clock.elapsed() / 1000.0;
            off = toggle(frame, g, false);
        }
        state.SetIterationTime(seconds);
        QElapsedTimer idleClock;
        idleClock.start();
        const qint64 span = std::min<qint64>(static_cast<qint64>(seconds * 1000), 5000);
        idle = tickUntil([&] { return idleClock.elapsed() >= span; }, 600000);
    }
    state.counters["longest_stall_ms"] = streaming.longestMs;
    state.counters["p99_ms"] = streaming.p99Ms;
    state.counters["longest_busy_ms"] = streaming.longestBusyMs;
    state.counters["idle_longest_ms"] = idle.longestMs;
    state.counters["idle_p99_ms"] = idle.p99Ms;
    if (mode == Mode::Toggle) {
        state.counters["off_longest_stall_ms"] = off.longestMs;
        state.counters["off_p99_ms"] = off.p99Ms;
    }
}

void runMode(benchmark::State& state, Mode mode) {
    runOrSkip(state, [mode](benchmark::State& s) { runStreaming(s, mode); });
}

void BM_WindowWhileStreaming(benchmark::State& state) { runMode(state, Mode::Flat); }
// The grouped list shown while the records arrive.
void BM_GroupedWindowWhileStreaming(benchmark::State& state) { runMode(state, Mode::Grouped); }
// Group Copies turned on over the records listed (the time and the stall of
// turning it on; off_*: of turning it off again).
void BM_GroupCopiesToggled(benchmark::State& state) { runMode(state, Mode::Toggle); }

}  // namespace

BENCHMARK(BM_WindowWhileStreaming)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_GroupedWindowWhileStreaming)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_GroupCopiesToggled)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
