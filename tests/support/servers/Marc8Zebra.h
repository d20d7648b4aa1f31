// A Zebra that keeps to MARC-8, as catalogues do that never moved to Unicode.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ZebraServer.h"

// The demo configuration, except that the ISO 2709 files are read as MARC-8 and
// USMARC records go out in MARC-8 with leader position 9 blank (the toolkit's
// encoder), or leader9 where a mislabelling server is wanted. Throws
// std::runtime_error when the demo configuration no longer has the lines it
// changes, or as ZebraServer does.
std::unique_ptr<ZebraServer> marc8Zebra(const std::vector<std::string>& iso2709Files,
                                        char leader9 = ' ');
