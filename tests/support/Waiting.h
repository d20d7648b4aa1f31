// Bounded waits for conditions that announce nothing (pool counts, a store
// filling up), and the thread count they are often about.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <thread>

// Polls condition every pollMs until it holds; false once timeoutMs passed.
template <typename Condition>
bool waitFor(Condition condition, int timeoutMs, int pollMs = 10) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
    return true;
}

// waitFor with a 10 s bound, there only so a broken build fails instead of hanging.
inline bool eventually(const std::function<bool()>& condition) {
    return waitFor(condition, 10000, 2);
}

// Threads of this process, alive now.
size_t threadsInProcess();
