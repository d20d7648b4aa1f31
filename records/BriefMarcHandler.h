// Title, author and date of a MARC 21 record, for the result list.
#pragma once

#include <string>
#include <string_view>

#include "marc/MarcCharset.h"
#include "marc/MarcHandler.h"

// One object per record, used on the thread that reads it.
// Title: text of the last 245. Author: text of the first 100, else subfield a of
// the first 110, 700 or 710 that has a non-empty one. Date: subfield c of the last 260;
// when no 260 has one (records catalogued under RDA), subfield c of the first 264
// with second indicator 1 (publication). The fields hold the record's own bytes.
class BriefMarcHandler : public MarcHandler {
public:
    std::string title;
    std::string author;
    std::string date;

    // Takes what the field gives; never asks for subfields.
    bool onDataField(std::string_view tag, const MarcField& field) override;
    void onRecordEnd() override;

private:
    bool dateFrom260_ = false;
    bool publication264Seen_ = false;
    std::string publication264_;
};

// Any thread. The brief fields of one ISO 2709 record as the list shows them,
// in UTF-8 NFC, read in the charset given or else the one marcCharset finds.
BriefMarcHandler briefMarcFields(std::string_view iso2709);
BriefMarcHandler briefMarcFields(std::string_view iso2709, MarcCharset charset);
