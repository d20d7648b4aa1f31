#include "search/PoolWorker.h"

#include <exception>
#include <string>

#include "search/PoolJob.h"
#include "base/UserMessage.h"
#include "search/WorkerPool.h"

PoolWorker::PoolWorker(WorkerPool& pool) : pool_(pool), thread_([this] { loop(); }) {}

PoolWorker::~PoolWorker() {
    if (thread_.joinable()) thread_.join();
}

void PoolWorker::loop() {
    std::unique_lock<std::mutex> lock(pool_.lock_);
    for (;;) {
        wake_.wait(lock, [this] { return job_ != nullptr || exitRequest_; });
        if (job_ != nullptr) {
            PoolJob* job = job_;
            running_ = true;
            lock.unlock();
            runJob(*job);
            lock.lock();
            wake_.wait(lock, [this] { return !pinned_; });
            const bool owned = job->deleteAfterRun;
            job_ = nullptr;
            running_ = false;
            lock.unlock();
            if (owned) delete job;
            lock.lock();
        }
        if (exitRequest_) break;
        if (pool_.workerCount_ > pool_.maxWorkers_) {
            exitRequest_ = true;
            break;
        }
        pool_.idle_.push_back(this);
        pool_.wakeDispatcher();
    }
    pool_.retire(this);
}

void PoolWorker::runJob(PoolJob& job) {
    // A job is meant to keep its failures to itself; one that throws anyway
    // must not take the worker, and with it the pool's bookkeeping, down.
    try {
        job.run();
    } catch (const std::exception& e) {
        showUserMessage(std::string("A background task failed: ") + e.what());
    } catch (...) {
        showUserMessage("A background task failed.");
    }
}
