// Turns a record as a protocol delivered it into a self-contained Record with
// its brief fields. Each protocol hands its records through RecordSource.
#pragma once

#include <string>

#include "records/Record.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

// One record as the toolkit renders it.
class RecordSource {
public:
    virtual ~RecordSource() = default;
    // A form by the toolkit's names: "syntax", "raw", "xml", "opac", "render";
    // empty when the record has none.
    virtual std::string form(const char* type) const = 0;
    // A MARC record's bytes as the server sent them, when it came as plain
    // octets; else empty (and "raw" is asked).
    virtual std::string marcOctets() const = 0;
};

// Worker thread, while source is valid. The record's number is 0; the store
// numbers it. The record is built whatever its brief extraction finds.
Record buildRecord(const RecordSource& source, const Target& target, const SettingsData& settings);

// Makes record a MARC record of iso2709, its character set chosen and its
// brief fields read.
void fillMarcRecord(Record& record, std::string iso2709, const Target& target);
