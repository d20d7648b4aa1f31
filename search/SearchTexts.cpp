#include "search/SearchTexts.h"

#include "targets/Target.h"

namespace {
std::string counts(int32_t a, int32_t b) {
    return "(" + std::to_string(a) + "/" + std::to_string(b) + ")";
}
}  // namespace

std::string targetStatusText(const Target& target) {
    const TargetSearch& s = target.search;
    // One read of each value, so a task writing meanwhile cannot make the
    // conditions and the numbers disagree.
    const int32_t state = s.state;
    const bool aborted = s.abortedFlag;
    const bool error = s.errorFlag;
    const int32_t retrieved = s.retrievedCount;
    const int32_t hits = s.hitCount;
    const std::string& n = target.name;
    if (state == Finished) {
        if (aborted) return n + " (Aborted)";
        if (error) return n + " (Error)";
        if (retrieved >= hits) return n + " (" + std::to_string(retrieved) + ")";
        return n + " " + counts(retrieved, hits);
    }
    if (state == Running) {
        if (retrieved != 0) return n + " " + counts(retrieved, hits) + " Searching";
        return n + " (Searching)";
    }
    return n + " (Pending)";
}

std::string progressText(int32_t finishedCount, int32_t activeCount, int32_t totalRetrieved,
                         int32_t totalHits) {
    if (finishedCount < activeCount) {
        return "Searching " + std::to_string(finishedCount) + "/" + std::to_string(activeCount) +
               " Records: " + std::to_string(totalRetrieved) + "/" + std::to_string(totalHits);
    }
    return "Completed. Records: " + std::to_string(totalRetrieved) + "/" +
           std::to_string(totalHits);
}
