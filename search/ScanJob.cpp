#include "search/ScanJob.h"

#include "search/TargetConnections.h"

ScanJob::ScanJob(Target target, SettingsData settings, std::string pqf, int32_t number,
                 int32_t position, std::shared_ptr<std::atomic<bool>> stop, Done done)
    : target_(std::move(target)),
      settings_(std::move(settings)),
      pqf_(std::move(pqf)),
      number_(number),
      position_(position),
      stop_(std::move(stop)),
      done_(std::move(done)) {
    // Scans are short and asked for by a user waiting: before searches.
    priority = 8;
}

void ScanJob::run() {
    ScanAnswer answer;
    if (stop_->load()) {
        answer.failure = "Stopped";
    } else {
        const std::shared_ptr<std::atomic<bool>> stop = stop_;
        answer = connectionFor(target_, settings_, [stop] { return stop->load(); })
                     ->scan(pqf_, number_, position_);
    }
    done_(std::move(answer));
}
