// The pages of the record view: one record, or the summary of one target's
// search, as HTML strings. Every value taken from a record, a target or a
// server is escaped, so it shows as text and can never become markup or a
// link; pages made by a record stylesheet stay as the stylesheet makes them.
// display/ holds only pure functions over records and settings, no widgets.
#pragma once

#include <cstdint>
#include <string>

#include "settings/SettingsData.h"

class ResultStore;
struct Record;
class TargetList;

// Any thread. text with &, <, >, " and ' written as entities, fit
// for element content and for attribute values in either kind of quotes.
std::string escapeHtml(const std::string& text);

// Any thread. A page showing text as preformatted lines, escaped.
std::string preformattedPage(const std::string& text);

// UI thread. True when the store holds a record with this number; html is then
// its page: preformatted text, or its XML through the stylesheet that settings
// name for its kind. html is left as it was when that stylesheet setting is
// empty (MARCXML, MODS, Dublin Core) or the transformation fails (one user
// message). Looks up and transforms under the store's lock.
bool renderRecordHtml(const ResultStore& store, int32_t recordNumber, const SettingsData& settings,
                      std::string& html);

// Any thread. "Character set: MARC-8 (leader says UTF-8; bytes are not UTF-8);
// 2 replacement characters" for a MARC record, empty for others.
std::string charsetLineText(const Record& record);

// UI thread. The summary page of the first target with this id, as its search
// state is at this moment, with Retry and Resume links where they apply; empty
// when there is no such target.
std::string renderTargetSummaryHtml(const TargetList& targets, int32_t targetId);
