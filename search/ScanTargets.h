// Scans one index at many targets at once, and lays their terms side by side
// in index order. Knows targets only through their connections.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "protocol/TargetConnection.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

// One answer per target, in the targets' order, at most connections at a time.
// Any thread but the UI's; blocks. Targets not reached before stopped answers
// true get the failure "Stopped".
std::vector<ScanAnswer> scanTargets(const std::vector<Target>& targets,
                                    const SettingsData& settings, const std::string& pqf,
                                    int32_t number, int32_t position, int connections,
                                    const std::function<bool()>& stopped = {});

// A term and its count at each target, -1 where that target does not list it
// (or listed it without a count: listed tells them apart).
struct ScanRow {
    std::string display;
    std::string raw;
    std::vector<int64_t> counts;
    std::vector<bool> listed;
};

// Pure. The terms of all answers, each once, in index order: the order the
// answers give them, merged (a term's raw form names it).
std::vector<ScanRow> mergeScanAnswers(const std::vector<ScanAnswer>& answers);

// Pure. Each answer's terms as lines "target TAB term TAB count" (count empty
// when the server gave none), target after target; TAB and line breaks in a
// term become blanks.
std::string scanLines(const std::vector<Target>& targets, const std::vector<ScanAnswer>& answers);

struct ScanReport {
    std::string lines;     // as scanLines
    std::string failures;  // "qrn-search: NAME: why" a line each
};

// The active targets scanned from pqf's term, number terms each, within the
// settings' connection limit. Blocks; not on the UI thread.
ScanReport scanActiveTargets(const std::list<Target>& targets, const SettingsData& settings,
                             const std::string& pqf, int32_t number,
                             const std::function<bool()>& stopped);
