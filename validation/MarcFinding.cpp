#include "validation/MarcFinding.h"

const char* marcFindingKindName(MarcFindingKind kind) {
    switch (kind) {
        case MarcFindingKind::FieldNotRepeatable:
            return "field-not-repeatable";
        case MarcFindingKind::SubfieldNotRepeatable:
            return "subfield-not-repeatable";
        case MarcFindingKind::Indicator1:
            return "indicator1";
        case MarcFindingKind::Indicator2:
            return "indicator2";
        case MarcFindingKind::SubfieldUndefined:
            return "subfield-undefined";
        case MarcFindingKind::FieldUndefined:
            return "field-undefined";
        case MarcFindingKind::FieldMissing:
            return "field-missing";
        case MarcFindingKind::Leader:
            return "leader";
        case MarcFindingKind::FixedField:
            return "fixed-field";
    }
    return "";
}

bool isMarcError(MarcFindingKind kind) {
    return kind == MarcFindingKind::FieldNotRepeatable ||
           kind == MarcFindingKind::SubfieldNotRepeatable || kind == MarcFindingKind::FieldMissing;
}
