// "Export": whether MARC records are written as received or as UTF-8, and the
// tags left out of every exported record. UI thread only.
#pragma once

#include "options/widgets/PPOptionsPage.h"

class QComboBox;
class QLineEdit;

class PPOptionsExport : public PPOptionsPage {
    Q_OBJECT
public:
    explicit PPOptionsExport(const SettingsData& settings, QWidget* parent = nullptr);

    void store(SettingsData& settings) const override;

private:
    QComboBox* encoding_;
    QLineEdit* dropTags_;
};
