#include "Waiting.h"

#include <filesystem>

size_t threadsInProcess() {
    size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        (void)entry;
        ++n;
    }
    return n;
}
