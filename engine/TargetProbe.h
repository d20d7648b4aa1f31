// The target editor's "Test": does the address answer, and what does the
// server say of itself. Z39.50: the init, the implementation name and version,
// and a one-word search; SRU: the Explain record.
#pragma once

#include <string>
#include <vector>

struct Target;

struct ProbeReport {
    // The server answered as a server of its kind.
    bool ok = false;
    // Lines for the user, each ending with a line feed.
    std::string text;
    // SRU: the schemas Explain lists, to pick from.
    std::vector<std::string> schemas;
};

// Any thread but the UI's: blocks, at most about timeoutSeconds per step.
ProbeReport probeTarget(const Target& target, int timeoutSeconds);

// The word the Z39.50 test searches for in titles.
extern const char* const kProbeWord;
