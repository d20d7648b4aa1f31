// Collects the user messages raised while it lives, from any thread, instead
// of printing them; the previous behaviour (standard error) comes back after.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "base/UserMessage.h"

class CollectedMessages {
public:
    CollectedMessages() {
        setUserMessageSink([this](const std::string& text) {
            std::lock_guard<std::mutex> lock(mutex_);
            texts_.push_back(text);
        });
    }
    ~CollectedMessages() { setUserMessageSink(nullptr); }
    CollectedMessages(const CollectedMessages&) = delete;
    CollectedMessages& operator=(const CollectedMessages&) = delete;

    std::vector<std::string> texts() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
};
