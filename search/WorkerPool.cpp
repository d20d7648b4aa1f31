#include "search/WorkerPool.h"

#include <algorithm>

#include "search/PoolJob.h"
#include "search/PoolWorker.h"

WorkerPool::WorkerPool() : dispatcher_([this] { dispatch(); }) {}

WorkerPool::~WorkerPool() {
    std::vector<PoolJob*> unrun;
    {
        std::lock_guard<std::mutex> lock(lock_);
        stopping_ = true;
        unrun.assign(queue_.begin(), queue_.end());
        queue_.clear();
        dispatcherWake_.notify_one();
    }
    dispatcher_.join();

    // The dispatcher is gone, so the worker list only shrinks from here.
    std::vector<PoolJob*> running;
    {
        std::lock_guard<std::mutex> lock(lock_);
        for (const auto& worker : workers_) {
            worker->exitRequest_ = true;
            if (worker->job_ != nullptr && !worker->running_) {
                // Handed over but not yet begun: as good as queued.
                unrun.push_back(worker->job_);
                worker->job_ = nullptr;
            } else if (worker->job_ != nullptr) {
                worker->pinned_ = true;
                running.push_back(worker->job_);
            }
            worker->wake_.notify_one();
        }
    }
    for (PoolJob* job : running) job->requestStop();
    discard(unrun);

    std::vector<std::unique_ptr<PoolWorker>> ended;
    {
        std::unique_lock<std::mutex> lock(lock_);
        for (const auto& worker : workers_) {
            worker->pinned_ = false;
            worker->wake_.notify_one();
        }
        workerRetired_.wait(lock, [this] { return workers_.empty(); });
        ended.swap(retired_);
    }
    ended.clear();  // joins the last threads
}

void WorkerPool::addJob(PoolJob* job) {
    if (job == nullptr) return;
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (!stopping_) {
            const int32_t priority = job->priority;
            auto lower = std::find_if(queue_.begin(), queue_.end(), [priority](const PoolJob* q) {
                return q->priority < priority;
            });
            queue_.insert(lower, job);
            wakeDispatcher();
            return;
        }
    }
    // Queued by a job while the pool is being torn down: it would never run.
    discard({job});
}

void WorkerPool::setMaxWorkers(int32_t n) {
    if (n < 2 || n > 10) return;
    std::lock_guard<std::mutex> lock(lock_);
    maxWorkers_ = n;
    wakeDispatcher();
}

int32_t WorkerPool::maxWorkers() const {
    std::lock_guard<std::mutex> lock(lock_);
    return maxWorkers_;
}

int32_t WorkerPool::workerCount() const {
    std::lock_guard<std::mutex> lock(lock_);
    return workerCount_;
}

int32_t WorkerPool::busyCount() const {
    std::lock_guard<std::mutex> lock(lock_);
    return static_cast<int32_t>(std::count_if(workers_.begin(), workers_.end(),
                                              [](const auto& w) { return w->job_ != nullptr; }));
}

int32_t WorkerPool::queuedCount() const {
    std::lock_guard<std::mutex> lock(lock_);
    return static_cast<int32_t>(queue_.size());
}

void WorkerPool::dispatch() {
    std::unique_lock<std::mutex> lock(lock_);
    for (;;) {
        // Every pass starts 100 ms after the wake-up that caused it.
        if (dispatcherWake_.wait_for(lock, kPassDelay, [this] { return stopping_; })) return;

        if (!retired_.empty()) {
            std::vector<std::unique_ptr<PoolWorker>> ended;
            ended.swap(retired_);
            lock.unlock();
            ended.clear();  // joins threads that have already left the pool
            lock.lock();
        }

        while (!queue_.empty()) {
            PoolWorker* worker = takeWorker();
            if (worker == nullptr) break;
            worker->job_ = queue_.front();
            queue_.pop_front();
            worker->wake_.notify_one();
        }

        // A wake-up during the wait or the pass left wakePending_ set, so it
        // is answered by another pass rather than lost.
        dispatcherWake_.wait(lock, [this] { return wakePending_ || stopping_; });
        if (stopping_) return;
        wakePending_ = false;
    }
}

PoolWorker* WorkerPool::takeWorker() {
    // Idle workers first: a lowered limit only retires workers after a job.
    if (!idle_.empty()) {
        PoolWorker* worker = idle_.back();
        idle_.pop_back();
        return worker;
    }
    if (workerCount_ >= maxWorkers_) return nullptr;
    try {
        // Room first: once its thread runs, a worker must not be dropped here.
        workers_.reserve(workers_.size() + 1);
        workers_.push_back(std::make_unique<PoolWorker>(*this));
    } catch (const std::exception&) {
        // No thread to be had now; the job waits for the next pass.
        return nullptr;
    }
    ++workerCount_;
    return workers_.back().get();
}

void WorkerPool::wakeDispatcher() {
    wakePending_ = true;
    dispatcherWake_.notify_one();
}

void WorkerPool::retire(PoolWorker* worker) {
    idle_.erase(std::remove(idle_.begin(), idle_.end(), worker), idle_.end());
    auto it = std::find_if(workers_.begin(), workers_.end(),
                           [worker](const auto& w) { return w.get() == worker; });
    if (it != workers_.end()) {
        retired_.push_back(std::move(*it));
        workers_.erase(it);
    }
    --workerCount_;
    workerRetired_.notify_all();
}

void WorkerPool::discard(const std::vector<PoolJob*>& jobs) {
    for (PoolJob* job : jobs) {
        if (job->deleteAfterRun) delete job;
    }
}
