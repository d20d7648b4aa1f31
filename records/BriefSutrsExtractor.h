// Title, author and date of a SUTRS text record, by the user's patterns.
#pragma once

#include <cstddef>
#include <string>

#include "settings/SettingsData.h"

// One object per record, used on the thread that builds it; settings must
// outlive it.
class BriefSutrsExtractor {
public:
    explicit BriefSutrsExtractor(const SettingsData& settings) : settings_(settings) {}

    // Scans the text with SUTRSTitleRE, SUTRSAuthorRE and SUTRSDateRE, each on its
    // own (see ScanBriefRecord); a bad pattern spoils only its own field.
    void run(const char* text, size_t length);

    std::string title;
    std::string author;
    std::string date;

private:
    const SettingsData& settings_;
};
