// Writer of the target list file: the text is built here, the file is
// replaced elsewhere. Pure functions, any thread (on data it owns).
#pragma once

#include <string>

#include "targets/Target.h"

class TargetList;

// text with &, <, >, " and ' replaced by their five entities (& first).
std::string escapeXml(const std::string& text);

// The <target> element of one target; an empty recsyntax becomes "marc21"
// in the target itself.
std::string targetToXml(Target& target);

// The whole file: header, limits with the selected location and selected
// tags, then every target in list order.
std::string targetListToXml(TargetList& list);
