// One worker thread of a WorkerPool. It runs the jobs the dispatcher hands it,
// one at a time. Every field is guarded by the pool's lock.
#pragma once

#include <condition_variable>
#include <thread>

class PoolJob;
class WorkerPool;

class PoolWorker {
public:
    // Dispatcher thread, pool lock held: starts the thread, which waits for a job.
    explicit PoolWorker(WorkerPool& pool);
    // Any thread but its own, pool lock not held: joins the thread, so only
    // after the worker has ended or been asked to.
    ~PoolWorker();

    PoolWorker(const PoolWorker&) = delete;
    PoolWorker& operator=(const PoolWorker&) = delete;

private:
    friend class WorkerPool;

    void loop();
    void runJob(PoolJob& job);

    WorkerPool& pool_;
    PoolJob* job_ = nullptr;    // handed over by the dispatcher; none while idle
    bool running_ = false;      // job_ has been taken up and run() has begun
    bool pinned_ = false;       // teardown is calling requestStop(): keep job_ alive
    bool exitRequest_ = false;  // end after the current job
    std::condition_variable wake_;
    std::thread thread_;  // last, so it starts with every field set up
};
