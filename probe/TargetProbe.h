// What a target supports: does the address answer, what the server says of
// itself, which of the common indexes it searches, which record syntaxes and
// element sets it returns, and how long an answer takes. Z39.50: the init,
// one search per index and a one-record present per syntax; SRU: the Explain
// record, its indexes read back as Bib-1 use attributes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "protocol/ProbeReport.h"

struct Target;
struct TargetProfile;

// Any thread but the UI's: blocks, each step at most about timeoutSeconds.
// cancelled, when given, is asked often; once it answers true the probe
// returns at once with what it has.
ProbeReport probeTarget(const Target& target, int timeoutSeconds,
                        const std::function<bool()>& cancelled = {});

// What a probe teaches a profile: the unsupported indexes, each with a
// replacement the target did support (Identifier--standard: ISBN, else Any;
// the rest: Any) unless the profile names one already. Other fields stay.
void learnFromProbe(TargetProfile& profile, const ProbeReport& report);
