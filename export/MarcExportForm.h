// What a MARC record becomes in an export file: as received or converted to
// UTF-8, with the user's clean-up tags left out, as ISO 2709, MARCXML or the
// line form cataloguing editors exchange (.mrk).
#pragma once

#include <string>
#include <string_view>

#include "marc/MarcTagPatterns.h"

struct Record;
struct SettingsData;

struct MarcExportOptions {
    bool asUtf8 = false;
    MarcTagPatterns drop;

    // Nothing to change: MARC files take the received bytes.
    bool asReceived() const { return !asUtf8 && drop.empty(); }
};

// Pure. The Options' export choices.
MarcExportOptions marcExportOptions(const SettingsData& settings);

// Any thread. The ISO 2709 bytes a MARC export writes: the record as it came,
// or with leader position 9 'a', UTF-8 NFC text and new lengths. Empty when
// the record is not MARC or has no leader.
std::string exportIso2709(const Record& record, const MarcExportOptions& options);

// Any thread. The record's MARCXML without the dropped fields (its xmlText
// when there are none; a MARC record's forms must have been completed).
std::string exportMarcXml(const Record& record, const MarcExportOptions& options);

// Any thread. A MARC record's bytes and MARCXML made as the options say (its
// forms completed), for exports that take the record's own fields.
void applyMarcExportOptions(Record& record, const MarcExportOptions& options);

// Any thread. MARC text in UTF-8: "=LDR  ...", "=001  ...", "=245  10$aTitle",
// a blank as "\" in indicators, the leader and control fields (and "\" there
// as "{bsol}"), "$", "{", "}" anywhere as "{dollar}", "{lcub}", "{rcub}", and
// control characters as "{xHH}", so each field is one line; text before a
// field's first delimiter is kept. Every line ends in "\n". Empty when the
// record is not MARC.
std::string exportMarcText(const Record& record, const MarcExportOptions& options);

// Pure; any thread. The same MARC text of a record already in clean UTF-8
// ISO 2709 (as cleanIso2709 writes it).
std::string marcTextFromCleanIso2709(std::string_view iso2709);
