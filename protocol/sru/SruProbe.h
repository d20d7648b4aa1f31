// The probe of an SRU target: its Explain record, the indexes read back as
// Bib-1 use attributes.
#pragma once

#include <functional>

#include "protocol/ProbeReport.h"

struct Target;

// Blocks at most about timeoutSeconds; returns at once when cancelled answers true.
ProbeReport probeSru(const Target& target, int timeoutSeconds,
                     const std::function<bool()>& cancelled);
