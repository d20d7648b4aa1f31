#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "CollectedMessages.h"
#include "Waiting.h"
#include "search/PoolJob.h"
#include "search/WorkerPool.h"

namespace {

// Bound on every wait, only so a broken pool fails instead of hanging.
constexpr auto kPatience = std::chrono::seconds(10);

// A latch the test opens to let blocked jobs go on.
class Gate {
public:
    void open() {
        std::lock_guard<std::mutex> lock(m_);
        open_ = true;
        cv_.notify_all();
    }
    void pass() {
        std::unique_lock<std::mutex> lock(m_);
        cv_.wait_for(lock, kPatience, [this] { return open_; });
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool open_ = false;
};

// What the jobs did, under one lock the test can wait on.
struct Probe {
    std::mutex m;
    std::condition_variable cv;
    int running = 0;
    int highWater = 0;
    int finished = 0;
    int deleted = 0;
    std::vector<std::string> started;
    std::set<std::thread::id> threads;

    template <class Pred>
    bool waitUntil(Pred pred) {
        std::unique_lock<std::mutex> lock(m);
        return cv.wait_for(lock, kPatience, [&] { return pred(); });
    }
    void update(const std::function<void()>& change) {
        std::lock_guard<std::mutex> lock(m);
        change();
        cv.notify_all();
    }
};

class TestJob : public PoolJob {
public:
    TestJob(Probe& probe, std::string name, Gate* gate = nullptr, int32_t prio = 5)
        : probe_(probe), name_(std::move(name)), gate_(gate) {
        priority = prio;
    }
    ~TestJob() override {
        probe_.update([this] { ++probe_.deleted; });
    }

    void run() override {
        probe_.update([this] {
            probe_.started.push_back(name_);
            probe_.threads.insert(std::this_thread::get_id());
            probe_.highWater = std::max(probe_.highWater, ++probe_.running);
        });
        if (gate_ != nullptr) gate_->pass();
        runReturned = true;
        probe_.update([this] {
            --probe_.running;
            ++probe_.finished;
        });
    }
    void requestStop() override {
        stopRequested = true;
        if (gate_ != nullptr) gate_->open();
    }

    std::atomic<bool> stopRequested{false};
    std::atomic<bool> runReturned{false};

private:
    Probe& probe_;
    std::string name_;
    Gate* gate_;
};

}  // namespace

TEST(WorkerPoolTest, NeverRunsMoreJobsThanTheLimit) {
    Probe probe;
    Gate gate;
    WorkerPool pool;
    pool.setMaxWorkers(3);
    for (int i = 0; i < 8; ++i) pool.addJob(new TestJob(probe, std::to_string(i), &gate));

    ASSERT_TRUE(probe.waitUntil([&] { return probe.running == 3; }));
    EXPECT_EQ(pool.workerCount(), 3);
    EXPECT_EQ(pool.busyCount(), 3);
    EXPECT_EQ(pool.queuedCount(), 5);

    gate.open();
    ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 8 && probe.deleted == 8; }));
    EXPECT_EQ(probe.highWater, 3);
    EXPECT_LE(pool.workerCount(), 3);
    EXPECT_EQ(pool.queuedCount(), 0);
}

TEST(WorkerPoolTest, StartsJobsByPriorityThenArrival) {
    Probe probe;
    Gate holdA, holdB;
    WorkerPool pool;
    // Both workers blocked, so the queue fills up before anything is taken.
    pool.addJob(new TestJob(probe, "holdA", &holdA));
    pool.addJob(new TestJob(probe, "holdB", &holdB));
    ASSERT_TRUE(probe.waitUntil([&] { return probe.running == 2; }));

    const std::vector<std::pair<std::string, int32_t>> jobs = {
        {"a5", 5}, {"b1", 1}, {"c9", 9}, {"d5", 5}, {"e9", 9}, {"f1", 1}, {"g7", 7}, {"h-3", -3}};
    for (const auto& [name, prio] : jobs) pool.addJob(new TestJob(probe, name, nullptr, prio));
    EXPECT_EQ(pool.queuedCount(), 8);

    // One worker freed: it takes the queue one job at a time, in queue order.
    const std::string firstHolder = probe.started[0];
    (firstHolder == "holdA" ? holdA : holdB).open();
    ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 9; }));
    const std::vector<std::string> order(probe.started.begin() + 2, probe.started.end());
    EXPECT_EQ(order, (std::vector<std::string>{"c9", "e9", "g7", "a5", "d5", "b1", "f1", "h-3"}));

    holdA.open();
    holdB.open();
    ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 10; }));
}

TEST(WorkerPoolTest, AcceptsOnlyLimitsFromTwoToTen) {
    WorkerPool pool;
    EXPECT_EQ(pool.maxWorkers(), 2);
    for (int32_t n : {1, 0, -1, 11, INT32_MIN, INT32_MAX}) {
        pool.setMaxWorkers(n);
        EXPECT_EQ(pool.maxWorkers(), 2) << n;
    }
    pool.setMaxWorkers(10);
    EXPECT_EQ(pool.maxWorkers(), 10);
    pool.setMaxWorkers(11);
    EXPECT_EQ(pool.maxWorkers(), 10);
    pool.setMaxWorkers(2);
    EXPECT_EQ(pool.maxWorkers(), 2);
    EXPECT_EQ(pool.workerCount(), 0);  // workers only come with jobs
}

TEST(WorkerPoolTest, RaisingTheLimitStartsWaitingJobs) {
    Probe probe;
    Gate gate;
    WorkerPool pool;
    for (int i = 0; i < 5; ++i) pool.addJob(new TestJob(probe, std::to_string(i), &gate));
    ASSERT_TRUE(probe.waitUntil([&] { return probe.running == 2; }));
    EXPECT_EQ(pool.queuedCount(), 3);

    pool.setMaxWorkers(4);
    ASSERT_TRUE(probe.waitUntil([&] { return probe.running == 4; }));
    EXPECT_EQ(pool.queuedCount(), 1);
    EXPECT_EQ(pool.workerCount(), 4);

    gate.open();
    ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 5; }));
    EXPECT_EQ(probe.highWater, 4);
}

TEST(WorkerPoolTest, LoweringTheLimitRetiresWorkersAsTheyFinish) {
    Probe probe;
    Gate gates[4];
    WorkerPool pool;
    pool.setMaxWorkers(4);
    for (auto& gate : gates) pool.addJob(new TestJob(probe, "busy", &gate));
    ASSERT_TRUE(probe.waitUntil([&] { return probe.running == 4; }));

    pool.setMaxWorkers(2);
    EXPECT_EQ(pool.workerCount(), 4);  // nobody is cut off mid-job
    gates[0].open();
    EXPECT_TRUE(eventually([&] { return pool.workerCount() == 3; }));
    gates[1].open();
    EXPECT_TRUE(eventually([&] { return pool.workerCount() == 2; }));
    gates[2].open();
    gates[3].open();
    ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 4; }));
    EXPECT_TRUE(eventually([&] { return pool.busyCount() == 0; }));
    EXPECT_EQ(pool.workerCount(), 2);

    // The survivors serve the next jobs; no new thread is made.
    std::set<std::thread::id> before = probe.threads;
    for (int i = 0; i < 6; ++i) pool.addJob(new TestJob(probe, "later"));
    ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 10; }));
    EXPECT_EQ(probe.threads, before);
    EXPECT_EQ(pool.workerCount(), 2);
}

TEST(WorkerPoolTest, ReusesWorkerThreads) {
    Probe probe;
    WorkerPool pool;
    for (int round = 1; round <= 3; ++round) {
        for (int i = 0; i < 4; ++i) pool.addJob(new TestJob(probe, "quick"));
        ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 4 * round; }));
    }
    EXPECT_LE(probe.threads.size(), 2u);
    EXPECT_LE(pool.workerCount(), 2);
}

TEST(WorkerPoolTest, TeardownDropsQueuedJobsAndStopsRunningOnes) {
    Probe probe;
    Gate never;  // only requestStop opens the running jobs' gates
    Gate never2;
    // Sanitizer runtimes start a helper thread along with the first thread made.
    std::thread([] {}).join();
    const size_t threadsBefore = threadsInProcess();

    auto* runningOwned = new TestJob(probe, "runningOwned", &never);
    auto runningKept = std::make_unique<TestJob>(probe, "runningKept", &never2);
    runningKept->deleteAfterRun = false;
    auto queuedKept = std::make_unique<TestJob>(probe, "queuedKept");
    queuedKept->deleteAfterRun = false;
    {
        WorkerPool pool;
        pool.addJob(runningOwned);
        pool.addJob(runningKept.get());
        ASSERT_TRUE(probe.waitUntil([&] { return probe.running == 2; }));
        for (int i = 0; i < 3; ++i) pool.addJob(new TestJob(probe, "queued"));
        pool.addJob(queuedKept.get());
        EXPECT_EQ(pool.queuedCount(), 4);
    }
    // The pool is gone: the running jobs were stopped and had returned, the
    // owned ones are deleted, and no thread of the pool is left.
    EXPECT_TRUE(runningKept->stopRequested);
    EXPECT_TRUE(runningKept->runReturned);
    EXPECT_FALSE(queuedKept->runReturned);
    EXPECT_EQ(probe.finished, 2);
    EXPECT_EQ(probe.deleted, 4);  // runningOwned and the three queued
    EXPECT_EQ(std::set<std::string>(probe.started.begin(), probe.started.end()),
              (std::set<std::string>{"runningOwned", "runningKept"}));
    // A joined thread may linger in the task list while the kernel reaps it.
    EXPECT_TRUE(eventually([&] { return threadsInProcess() <= threadsBefore; }));
}

TEST(WorkerPoolTest, JobsMayQueueJobs) {
    // A job calling back into the pool, while running and while being stopped.
    struct Spawner : PoolJob {
        Spawner(WorkerPool& p, Probe& pr, Gate* g) : pool(p), probe(pr), gate(g) {}
        void run() override {
            pool.addJob(new TestJob(probe, "child"));
            if (gate != nullptr) gate->pass();
        }
        void requestStop() override {
            pool.addJob(new TestJob(probe, "too late"));
            gate->open();
        }
        WorkerPool& pool;
        Probe& probe;
        Gate* gate;
    };
    Probe probe;
    Gate gate;
    {
        WorkerPool pool;
        pool.addJob(new Spawner(pool, probe, nullptr));
        ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 1; }));
        pool.addJob(new Spawner(pool, probe, &gate));
        ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 2; }));
    }
    EXPECT_EQ(probe.started, (std::vector<std::string>{"child", "child"}));
    EXPECT_EQ(probe.deleted, 3);  // the two children and the one queued too late
}

TEST(WorkerPoolTest, AThrowingJobLeavesTheWorkerInService) {
    struct Thrower : PoolJob {
        void run() override { throw std::runtime_error("boom"); }
    };
    CollectedMessages collected;
    Probe probe;
    {
        WorkerPool pool;
        pool.addJob(new Thrower);
        pool.addJob(new Thrower);
        pool.addJob(new Thrower);
        pool.addJob(new TestJob(probe, "after"));
        ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 1; }));
        EXPECT_TRUE(eventually([&] { return collected.texts().size() == 3; }));
        EXPECT_LE(pool.workerCount(), 2);
    }
    const std::vector<std::string> messages = collected.texts();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[0].find("boom"), std::string::npos);
}

TEST(WorkerPoolTest, ManyJobsUnderChangingLimitsEachRunOnce) {
    Probe probe;
    {
        WorkerPool pool;
        for (int i = 0; i < 120; ++i) {
            pool.addJob(new TestJob(probe, "j", nullptr, i % 7));
            if (i % 15 == 0) pool.setMaxWorkers(2 + (i / 15) % 9);
        }
        ASSERT_TRUE(probe.waitUntil([&] { return probe.finished == 120 && probe.deleted == 120; }));
        EXPECT_LE(probe.highWater, 10);
    }
    EXPECT_EQ(probe.started.size(), 120u);
}
