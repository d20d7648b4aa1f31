// What an ISO 2709 reader reports, one call per event, on the reading thread.
#pragma once

#include <string_view>

#include "marc/MarcField.h"
#include "marc/MarcLeader.h"

// Views handed to these calls point into the record and end with the call.
class MarcHandler {
public:
    virtual ~MarcHandler();
    // First of every record, also of one too short for a whole leader.
    virtual void onLeader(const MarcLeader& leader);
    // Last of every record.
    virtual void onRecordEnd();
    // A field whose tag starts with two zero digits.
    virtual void onControlField(std::string_view tag, const MarcField& field);
    // Any other field; true asks for its subfields and a closing onDataFieldEnd.
    virtual bool onDataField(std::string_view tag, const MarcField& field) = 0;
    // One subfield of the field just announced, in field order.
    virtual void onSubfield(char code, std::string_view content);
    // After the subfields of a field whose onDataField answered true.
    virtual void onDataFieldEnd();
};
