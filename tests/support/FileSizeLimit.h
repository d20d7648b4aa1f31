// Lets the files of this process grow no further than a size while it lives,
// with SIGXFSZ ignored: a write past it fails as on a full disk, also for root.
#pragma once

#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // False when the limit could not be set.
    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
    bool active_ = false;
};
