// Texts the views show for a search: a target's line in the databases tree
// and the status bar's progress.
#pragma once

#include <cstdint>
#include <string>

struct Target;

// UI thread; reads the target's search status once.
std::string targetStatusText(const Target& target);

std::string progressText(int32_t finishedCount, int32_t activeCount, int32_t totalRetrieved,
                         int32_t totalHits);
