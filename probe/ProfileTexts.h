// A target profile's index numbers as the user reads them: "Date (30)".
#pragma once

#include <set>
#include <string>
#include <vector>

#include "targets/TargetProfile.h"

// "Date (30)"; the bare number for an index without a name.
std::string namedUseAttribute(int use);
// "Date (30) → Any (1016)", each fallback so, joined by "; ".
std::string fallbacksText(const std::vector<IndexFallback>& fallbacks);
// "Date (30), Any (1016)".
std::string unsupportedText(const std::set<int>& unsupported);
