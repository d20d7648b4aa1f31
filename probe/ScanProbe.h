// Whether a target scans its indexes: a one-term scan of its title index.
#pragma once

#include <functional>

struct ProbeReport;
struct Target;

// Sets report.scans and scanNote and adds a "Scan:" line to its text. Any thread but the
// UI's; blocks at most about timeoutSeconds.
void probeScan(const Target& target, int timeoutSeconds, const std::function<bool()>& cancelled,
               ProbeReport& report);
