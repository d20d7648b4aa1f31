// The Records an SRU record slot holds.
#pragma once

#include <string>
#include <vector>

#include "protocol/sru/SruResponse.h"
#include "records/Record.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

// Any thread. The records an SRU record slot holds: each MARC record of a
// MARCXML record or collection, else the XML record itself.
std::vector<Record> buildSruRecords(const std::string& xml, const Target& target,
                                    const SettingsData& settings);

// Any thread. The same for a record of a searchRetrieve response, whose
// MARCXML may have been read on the way.
std::vector<Record> buildSruRecords(const SruResponseRecord& slot, const Target& target,
                                    const SettingsData& settings);
