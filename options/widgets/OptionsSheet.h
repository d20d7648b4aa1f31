// The "Options" sheet: the settings pages and, last, the Databases page, which
// changes the target list at once. The settings reach the document only on OK.
// UI thread only.
// Opened by the document; it knows the engine's DocumentCore, not the document.
#pragma once

#include <string>
#include <vector>

#include "options/OptionsSheetResult.h"
#include "ui/PropertySheet.h"

class DocumentCore;
class PPOptionsPage;
class PPTargets;
struct SettingsData;

class OptionsSheet : public PropertySheet {
    Q_OBJECT
public:
    // Builds the pages on copies of doc's settings.
    explicit OptionsSheet(DocumentCore& doc, QWidget* parent = nullptr);

    // Every page's copies written into settings.
    void store(SettingsData& settings) const;

    PPTargets* targetsPage() const { return targets_; }

private:
    std::vector<PPOptionsPage*> settingsPages_;
    PPTargets* targets_;
};

// What OK does with the edited settings: the limits and the pool's worker
// limit, the string fields, and a switch of the target list file (the old file
// saved, the new one loaded, the records, selection and totals cleared). The
// caller saves the settings and the target list.
OptionsSheetResult applyOptions(DocumentCore& doc, const SettingsData& edited);

// The Options command's sheet: shows it modally and applies it on OK.
OptionsSheetResult runOptionsSheet(DocumentCore& doc, QWidget* parent);
