// The probe of a Z39.50 target, on the toolkit's ZOOM: the init, one search
// per common index and a one-record present per syntax.
#pragma once

#include <functional>

#include "protocol/ProbeReport.h"

struct Target;

// Blocks, each step at most about timeoutSeconds; returns at once with what it
// has when cancelled answers true.
ProbeReport probeZ3950(const Target& target, int timeoutSeconds,
                       const std::function<bool()>& cancelled);
