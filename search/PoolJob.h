// A unit of background work for the WorkerPool (a search of one target, in
// practice). The pool runs it once on a worker thread and then deletes it.
#pragma once

#include <cstdint>

class PoolJob {
public:
    virtual ~PoolJob();

    // Worker thread, exactly once, without any pool lock held.
    virtual void run() = 0;

    // Tearing-down thread, while run() is in progress on its worker: asks the
    // job to end soon. Must be thread-safe and must not block on the job.
    virtual void requestStop() {}

    // Larger runs first; equal priorities run in order of arrival.
    int32_t priority = 5;
    // When false the queuing code keeps ownership and must keep the job alive
    // until the pool is done with it.
    bool deleteAfterRun = true;
};
