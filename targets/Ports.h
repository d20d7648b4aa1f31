// The TCP ports the targets use, for the "Port Numbers Used" dialog. Pure
// functions; any thread.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "targets/TargetList.h"

// The port of a zurl "host:port/database": the leading number between the first
// ":" and the "/" after it (0 when there are no digits); none without both.
// In an SRU address ("http://host:port/path") the search starts after "//".
std::optional<int> portOfZurl(const std::string& zurl);

// 210, the protocol's own port, and every port of the list's targets.
std::set<int> usedPorts(const TargetList& list);

// Each port followed by a blank and a line break ("%i \r\n").
std::string portNumbersText(const std::set<int>& ports);
