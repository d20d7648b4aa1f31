// Reader of ZeeRex (Explain) records, as directories of Z39.50 and SRU
// targets publish them: each record becomes a target or the reason it
// cannot. Any thread; the XML library must be set up (xmlInitParser).
#pragma once

#include <string>
#include <vector>

#include "directory/DirectoryRules.h"
#include "targets/Target.h"

struct ZeeRexEntry {
    // Empty when the record gives a target.
    std::string refusal;
    TargetKey key;
    // Name, address, syntax, element set and profile; unticked, untagged.
    Target target;
};

// Every explain record of the document (the root itself, or those it holds),
// in document order. A document that is no well-formed XML, or holds no
// serverInfo, gives one refused entry.
std::vector<ZeeRexEntry> readZeeRex(const std::string& bytes);
