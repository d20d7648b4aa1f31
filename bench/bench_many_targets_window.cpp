// How responsive the main window stays while one search runs over the 200
// targets of ManyTargets.h (offscreen, 10 connections): the databases tree
// shows every target's state and counts as its events arrive, and the Search
// sheet's Databases page lists the same 200 targets beside it, scrolled a
// page every 50 ms and filled again every 500 ms. A 10 ms timer on the UI
// thread and how late each of its ticks comes: the longest stall and the 99th
// percentile, beside the same window and page, scrolled and filled alike, for
// 5 s before the search. With an accessibility bridge on (see
// scripts/bench-databases-page), "bridge_events" counts the object events a
// screen reader heard during the search ("idle_bridge_events" before it).
// "p99_own_ms" and "longest_own_ms" leave out the time the UI thread waited
// for a core, which on a loaded machine the search itself keeps it doing.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CollectedMessages.h"
#include "GuiDocument.h"
#include "ManyTargets.h"
#include "ScreenReader.h"
#include "SkipOnError.h"
#include "app/CMainFrame.h"
#include "protocol/z3950/ZoomInit.h"
#include "query/widgets/SearchSheet.h"
#include "targets/widgets/PPTargets.h"
#include "ui/CheckList.h"

namespace {

using namespace many_targets;

constexpr int kTickMs = 10;
constexpr int kScrollMs = 50;
constexpr int kFillMs = 500;
constexpr int kIdleMs = 5000;

ScreenReader* screenReader = nullptr;

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// How long the UI thread has waited for a core so far: on a loaded machine
// the search's own workers and servers keep it waiting.
double runQueueMs() {
    std::ifstream schedstat("/proc/thread-self/schedstat");
    double running = 0, waiting = 0;
    schedstat >> running >> waiting;
    return waiting / 1e6;
}

struct Lateness {
    double longestMs = 0;
    double p99Ms = 0;
    // The UI thread's own CPU between two ticks at most: a stall much longer
    // than that was the machine's load, not the window's work.
    double longestBusyMs = 0;
    // The lateness less the time the UI thread waited for a core meanwhile:
    // what the window's own work and waits cost.
    double longestOwnMs = 0;
    double p99OwnMs = 0;
};

double percentile99(std::vector<double>& values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * 99 / 100)];
}

// Ticks a 10 ms timer in an event loop until done() holds; throws after
// timeoutMs.
Lateness measureLateness(const std::function<bool()>& done, int timeoutMs) {
    std::vector<double> lateMs, ownMs;
    QElapsedTimer clock;
    clock.start();
    qint64 previous = clock.nsecsElapsed();
    double previousCpu = threadCpuMs(), previousWait = runQueueMs();
    Lateness result;
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double late = std::max(0.0, (now - previous) / 1e6 - kTickMs);
        previous = now;
        const double cpu = threadCpuMs(), wait = runQueueMs();
        lateMs.push_back(late);
        ownMs.push_back(std::max(0.0, late - (wait - previousWait)));
        result.longestBusyMs = std::max(result.longestBusyMs, cpu - previousCpu);
        previousCpu = cpu;
        previousWait = wait;
        if (done() || clock.elapsed() > timeoutMs) loop.quit();
    });
    tick.start(kTickMs);
    loop.exec();
    if (clock.elapsed() > timeoutMs) throw std::runtime_error("the search did not end in time");
    result.p99Ms = percentile99(lateMs);
    result.p99OwnMs = percentile99(ownMs);
    if (!lateMs.empty()) result.longestMs = lateMs.back();
    if (!ownMs.empty()) result.longestOwnMs = ownMs.back();
    return result;
}

// The user on the Databases page: scrolls its list a page at a time, round
// and round, and has it filled again now and then (as a location choice does).
class PageUser {
public:
    explicit PageUser(PPTargets& page) : page_(page), list_(*page.findChild<CheckList*>()) {
        QObject::connect(&scroll_, &QTimer::timeout, [this] {
            QScrollBar* bar = list_.verticalScrollBar();
            bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
        });
        QObject::connect(&fill_, &QTimer::timeout, [this] { page_.refreshTargetList(); });
        scroll_.start(kScrollMs);
        fill_.start(kFillMs);
    }
    int entries() const { return list_.entryCount(); }

private:
    PPTargets& page_;
    CheckList& list_;
    QTimer scroll_, fill_;
};

void runWindow(benchmark::State& state) {
    initializeZoom();
    CollectedMessages quiet;
    const Servers servers;
    Lateness searching, idle;
    long bridgeEvents = 0, idleBridgeEvents = 0, searchEvents = 0;
    for (auto _ : state) {
        GuiDocument g(searchSettings(kRecords, kTargets * kRecords, kConnections));
        for (size_t i = 0; i < servers.addresses().size(); ++i) {
            const Address& a = servers.addresses()[i];
            g.addTarget("Catalogue " + std::to_string(i), a.zurl).profile.timeoutSeconds =
                a.timeoutSeconds;
        }
        CMainFrame frame(g.doc());
        frame.resize(1000, 800);
        frame.show();
        SearchSheet sheet(g.core(), &frame);
        sheet.show();
        sheet.setCurrentPage(sheet.pageCount() - 1);
        auto* page = qobject_cast<PPTargets*>(sheet.currentPage());
        if (!page) throw std::runtime_error("the Search sheet's last page is not Databases");
        PageUser user(*page);
        if (user.entries() != kTargets)
            throw std::runtime_error("the Databases page lists " + std::to_string(user.entries()) +
                                     " targets");
        QApplication::processEvents();

        const long heardIdle = screenReader->heard();
        QElapsedTimer idleClock;
        idleClock.start();
        idle = measureLateness([&] { return idleClock.elapsed() >= kIdleMs; }, 600000);

        const long heardBefore = screenReader->heard();
        idleBridgeEvents = heardBefore - heardIdle;
        long events = 0;
        const auto counter = QObject::connect(&g.doc(), &CqrnDoc::progressText, [&] { ++events; });
        QElapsedTimer clock;
        clock.start();
        g.start(kEveryRecord);
        searching = measureLateness([&] { return g.core().searchSettled(); }, 600000);
        state.SetIterationTime(clock.elapsed() / 1000.0);
        QObject::disconnect(counter);
        searchEvents = events;
        bridgeEvents = screenReader->heard() - heardBefore;
        if (g.core().store.count() != static_cast<size_t>(servers.expectedRecords()))
            throw std::runtime_error("stored " + std::to_string(g.core().store.count()) + " of " +
                                     std::to_string(servers.expectedRecords()) + " records");
        // Hidden before it goes, as the sheet's own close does.
        sheet.hide();
    }
    state.counters["longest_stall_ms"] = searching.longestMs;
    state.counters["p99_ms"] = searching.p99Ms;
    state.counters["longest_busy_ms"] = searching.longestBusyMs;
    state.counters["longest_own_ms"] = searching.longestOwnMs;
    state.counters["p99_own_ms"] = searching.p99OwnMs;
    state.counters["idle_longest_ms"] = idle.longestMs;
    state.counters["idle_p99_ms"] = idle.p99Ms;
    state.counters["search_events"] = static_cast<double>(searchEvents);
    if (screenReader->listening()) {
        state.counters["bridge_events"] = static_cast<double>(bridgeEvents);
        state.counters["idle_bridge_events"] = static_cast<double>(idleBridgeEvents);
    }
}

void BM_WindowWithManyTargets(benchmark::State& state) { runOrSkip(state, runWindow); }

}  // namespace

BENCHMARK(BM_WindowWithManyTargets)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    // The accessibility bridge needs a display; without one, offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScreenReader reader;
    screenReader = &reader;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
