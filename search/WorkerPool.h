// The pool of worker threads that runs searches in the background: a queue of
// jobs by priority, a dispatcher thread, and up to maxWorkers() workers made
// on demand and reused. Every operation may be called from any thread,
// including from inside a running job.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class PoolJob;
class PoolWorker;

class WorkerPool {
public:
    // Starts the dispatcher; no workers yet, limit 2.
    WorkerPool();
    // Deletes queued jobs unrun, asks running ones to stop, and returns only
    // once every worker and the dispatcher has ended.
    ~WorkerPool();

    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Queues job behind every job of its priority or higher and takes ownership
    // (see PoolJob::deleteAfterRun). It starts at the earliest 100 ms later.
    void addJob(PoolJob* job);
    // Accepts 2 to 10 workers and ignores anything else. A lower limit takes
    // effect as busy workers finish their jobs.
    void setMaxWorkers(int32_t n);

    int32_t maxWorkers() const;
    // Worker threads alive, idle or busy.
    int32_t workerCount() const;
    // Workers holding a job.
    int32_t busyCount() const;
    // Jobs waiting for a worker.
    int32_t queuedCount() const;

private:
    friend class PoolWorker;

    static constexpr std::chrono::milliseconds kPassDelay{100};

    void dispatch();
    PoolWorker* takeWorker();
    void wakeDispatcher();
    void retire(PoolWorker* worker);
    static void discard(const std::vector<PoolJob*>& jobs);

    // A plain mutex: nothing called under it calls back into the pool, since
    // jobs run, stop and are deleted with it released.
    mutable std::mutex lock_;
    std::list<PoolJob*> queue_;
    int32_t maxWorkers_ = 2;
    int32_t workerCount_ = 0;
    std::vector<PoolWorker*> idle_;  // top is back()
    std::vector<std::unique_ptr<PoolWorker>> workers_;
    std::vector<std::unique_ptr<PoolWorker>> retired_;  // ended, waiting to be joined
    bool wakePending_ = false;
    bool stopping_ = false;
    std::condition_variable dispatcherWake_;
    std::condition_variable workerRetired_;
    std::thread dispatcher_;  // last, so it starts with every field set up
};
