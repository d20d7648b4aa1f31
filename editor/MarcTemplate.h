// A clean-up template the cataloguer keeps: local fields to add and the usual
// steps before a copied record is kept.
#pragma once

#include <string>
#include <vector>

#include "marc/MarcTagPatterns.h"
#include "validation/MarcFields.h"

struct MarcTemplate {
    std::string name;
    // MARC text lines of the fields to add ("=590  \\$aLocal note").
    std::string addFields;
    // 001 with 003 become 035 $a(ORG)number.
    bool moveControlNumber = false;
    // Leave out the fields Options > Export drops.
    bool dropExportTags = false;
    // Convert to UTF-8 and set leader/09 'a' (applyMarcTemplate sets the
    // leader; the record's text is converted by whoever reads it in).
    bool toUnicode = false;
};

// Pure; any thread. Applies the template's steps in the order above the
// fields (drop, move, add, leader) and says what each changed, one line per
// change; nothing when the record stayed as it was. Added fields go after
// the last field whose tag is not greater; a field already in the record
// is not added twice. Added text that cannot be read is left out and said.
std::vector<std::string> applyMarcTemplate(MarcFields& record, const MarcTemplate& recipe,
                                           const MarcTagPatterns& exportDrops);
