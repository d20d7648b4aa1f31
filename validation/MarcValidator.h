// Checks a MARC record against the MARC 21 rules of a schema.
#pragma once

#include <string_view>
#include <vector>

#include "validation/MarcFields.h"
#include "validation/MarcFinding.h"
#include "validation/MarcSchema.h"

// Pure. Tags MARC 21 leaves to local use: 9XX and those with a 9 in the
// second or third place (090, 590...).
bool isLocalMarcTag(std::string_view tag);

// Pure; any thread. The findings in field order: repeated non-repeatable
// fields and subfields, indicator values outside their codes (an undefined
// indicator must be blank), subfields and fields the schema does not define
// (local tags it does not define are not checked), a missing 245, leader and
// 008 positions outside their codes (008 by the material leader/06-07 name).
std::vector<MarcFinding> validateMarc(const MarcFields& record, const MarcSchema& schema);
