// What the status bar adds once a search has ended with targets that failed:
// which ones, and what the user can do about it.
#pragma once

#include <string>
#include <vector>

// Empty when none failed.
std::string failedTargetsText(const std::vector<std::string>& failedNames);
