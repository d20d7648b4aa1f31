// A page of the Options sheet: edits copies of some settings and, at OK, hands
// them back. UI thread only.
#pragma once

#include "ui/PropertyPage.h"

struct SettingsData;

class PPOptionsPage : public PropertyPage {
    Q_OBJECT
public:
    using PropertyPage::PropertyPage;

    // Writes the page's copies into settings.
    virtual void store(SettingsData& settings) const = 0;
};
