// Probes many targets at once, at most connections at a time: the check of
// every ticked target. Any thread but the UI's; blocks until done or cancelled.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "probe/TargetProbe.h"
#include "targets/Target.h"

// One report per target, in the targets' order. done, when given, is called
// on a worker thread as each report is ready (with its index into targets),
// never twice at the same time. Targets not reached before cancelled answers true
// get a report with the error "Cancelled".
std::vector<ProbeReport> probeTargets(
    const std::vector<Target>& targets, int connections, int timeoutSeconds,
    const std::function<bool()>& cancelled = {},
    const std::function<void(size_t, const ProbeReport&)>& done = {});

// The report as lines of tab-separated fields: per index "NAME, use, index
// name, support", then "NAME, round trip ("12 ms" or "no answer"), record
// syntaxes blank-separated (or the error where it failed)".
std::string probeLines(const std::string& name, const ProbeReport& report);

// One row of the check's report: name, "reachable" or "unreachable", round
// trip ("12 ms", empty without one), the supported indexes by name, the
// record syntaxes, and the error where it failed; no TAB or line feed inside.
std::vector<std::string> checkReportRow(const std::string& name, const ProbeReport& report);
// The column names of those rows.
const std::vector<std::string>& checkReportColumns();
