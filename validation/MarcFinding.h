// One thing the validator found wrong with a record.
#pragma once

#include <cstddef>
#include <string>

enum class MarcFindingKind {
    FieldNotRepeatable,
    SubfieldNotRepeatable,
    Indicator1,
    Indicator2,
    SubfieldUndefined,
    FieldUndefined,
    FieldMissing,
    Leader,
    FixedField,
};

struct MarcFinding {
    // Which field of the record (index into MarcFields::fields); kNoField for
    // the leader and for a missing field.
    static constexpr size_t kNoField = static_cast<size_t>(-1);
    size_t field = kNoField;
    std::string tag;
    MarcFindingKind kind = MarcFindingKind::FieldUndefined;
    std::string message;
};

// Pure. "field-not-repeatable", "indicator1"...: the names the tools print.
const char* marcFindingKindName(MarcFindingKind kind);

// Pure. A repeated non-repeatable field or subfield and a missing 245 are
// errors, to be confirmed before saving; the rest are warnings.
bool isMarcError(MarcFindingKind kind);
