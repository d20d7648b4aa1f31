// One target's scan as a job of the worker pool, for windows that browse an
// index: the answer goes to done on the worker thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "protocol/TargetConnection.h"
#include "search/PoolJob.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

class ScanJob : public PoolJob {
public:
    using Done = std::function<void(ScanAnswer&& answer)>;

    // stop, shared with whoever asked, ends the scan early when set; done
    // is still called, with what there is.
    ScanJob(Target target, SettingsData settings, std::string pqf, int32_t number,
            int32_t position, std::shared_ptr<std::atomic<bool>> stop, Done done);

    void run() override;
    void requestStop() override { stop_->store(true); }

private:
    Target target_;
    SettingsData settings_;
    std::string pqf_;
    int32_t number_;
    int32_t position_;
    std::shared_ptr<std::atomic<bool>> stop_;
    Done done_;
};
