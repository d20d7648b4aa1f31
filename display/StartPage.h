// The page the window shows until the first search: how to begin. Pure.
#pragma once

#include <string>

class TargetList;

// HTML naming the ticked targets (or saying that none is), the Search command
// and the demo catalogue; target names are escaped.
std::string startPageHtml(const TargetList& targets);
