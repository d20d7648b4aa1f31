// Turns a ZOOM record into a self-contained Record with its brief fields.
#pragma once

#include <yaz/zoom.h>

#include <string>
#include <vector>

#include "records/Record.h"
#include "protocol/sru/SruResponse.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

// Worker thread, while zoomRecord is valid. The record's number is 0; the
// store numbers it. The record is built whatever its brief extraction finds.
Record buildRecord(ZOOM_record zoomRecord, const Target& target, const SettingsData& settings);

// Any thread. The records an SRU record slot holds: each MARC record of a
// MARCXML record or collection, else the XML record itself.
std::vector<Record> buildSruRecords(const std::string& xml, const Target& target,
                                    const SettingsData& settings);

// Any thread. The same for a record of a searchRetrieve response, whose
// MARCXML may have been read on the way.
std::vector<Record> buildSruRecords(const SruResponseRecord& slot, const Target& target,
                                    const SettingsData& settings);
