// The record the list keeps once the editor has saved a correction.
#pragma once

#include <string>

#include "records/Record.h"

// Any thread. A MARC record made of the corrected UTF-8 ISO 2709 bytes, with
// its brief fields read from them; its other forms are made when first looked
// at, as a received record's are. Syntax, target and batch query stay those
// of the received record.
Record correctedRecord(const Record& received, std::string iso2709);
