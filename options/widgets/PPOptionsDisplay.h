// "Record Display": the empty page that heads the record display pages of
// the Options sheet. UI thread only.
#pragma once

#include "options/widgets/PPOptionsPage.h"

class PPOptionsDisplay : public PPOptionsPage {
    Q_OBJECT
public:
    explicit PPOptionsDisplay(QWidget* parent = nullptr);

    void store(SettingsData&) const override {}
};
