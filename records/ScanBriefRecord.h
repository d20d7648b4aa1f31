// One brief field of a text record, by regular expression.
#pragma once

#include <string>

// Any thread. Searches text for the first match of pattern (Perl syntax, default
// flags, so "." also matches line ends) and sets field to capture group 1, or
// empty when the group is missing or did not take part; true on a match. No match
// leaves field alone. A pattern that does not compile puts the library's error
// text in field and shows it to the user; any other failure does the same with
// "ScanBriefRecord Error".
bool ScanBriefRecord(const std::string& text, const std::string& pattern, std::string& field);
