// Targets and target list bytes for tests that build them by hand.
#pragma once

#include <set>
#include <string>

#include "targets/Target.h"

// How every target list file begins, and its limits with nothing chosen.
inline const std::string kTargetListHeader = "<?xml version=\"1.0\" ?> \n <ztargets>";
inline const std::string kEmptyLimits =
    "<limits><selectedlocation>All</selectedlocation><selectedtags></selectedtags></limits>";

// A target at a port where nothing listens ("127.0.0.1:1/<name>"); id 0.
Target makeTarget(const std::string& name, const std::string& location,
                  std::set<std::string> tags = {}, bool active = false);
