// A MARC record as a list of fields one can check and change: the leader,
// control fields with their data, data fields with indicators and subfields.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

using MarcSubfieldList = std::vector<std::pair<char, std::string>>;

struct MarcFieldData {
    std::string tag;
    // Control fields (tags 00X) hold their data here and nothing else.
    std::string data;
    char indicator1 = ' ';
    char indicator2 = ' ';
    MarcSubfieldList subfields;

    bool isControl() const { return tag.size() == 3 && tag[0] == '0' && tag[1] == '0'; }
};

struct MarcFields {
    std::string leader;
    std::vector<MarcFieldData> fields;

    bool operator==(const MarcFields& other) const;
};

bool operator==(const MarcFieldData& a, const MarcFieldData& b);

// Pure; any thread. The fields MarcReader finds in an ISO 2709 record, bytes
// as they are (no charset conversion). A missing indicator reads as a blank.
MarcFields marcFieldsFromIso2709(std::string_view iso2709);

// Pure; any thread. The record as ISO 2709: leader positions 0-4, 10-11,
// 12-16 and 20-23 computed, the rest of the leader as given (padded with
// blanks to 24). Fields too long for the directory are cut to 9999 bytes.
std::string marcFieldsToIso2709(const MarcFields& record);
