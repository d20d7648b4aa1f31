// What the user (or a probe) knows of how a target behaves: its time limit,
// the indexes it lacks and what to search instead, and a proxy. Empty for a
// target searched as any other.
#pragma once

#include <set>
#include <string>
#include <vector>

// Search the use attribute replacement where use is not supported.
struct IndexFallback {
    int use = 0;
    int replacement = 0;
    bool operator==(const IndexFallback& o) const {
        return use == o.use && replacement == o.replacement;
    }
};

struct TargetProfile {
    // Seconds without an answer before the target gives up; 0: the toolkit's default.
    int timeoutSeconds = 0;
    std::vector<IndexFallback> fallbacks;
    // A Z39.50 or HTTP proxy address.
    std::string proxy;
    // Use attributes the target is known to reject.
    std::set<int> unsupported;

    bool empty() const {
        return timeoutSeconds <= 0 && fallbacks.empty() && proxy.empty() && unsupported.empty();
    }
    // The replacement for use, or 0 when there is none.
    int replacementFor(int use) const {
        for (const IndexFallback& f : fallbacks)
            if (f.use == use) return f.replacement;
        return 0;
    }
};

// A whole positive number (leading and trailing blanks allowed), else 0.
int positiveNumber(const std::string& text);
// The positive numbers of a blank-separated list; other words are skipped.
std::set<int> numberList(const std::string& text);
