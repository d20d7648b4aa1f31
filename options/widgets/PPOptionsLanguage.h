// "Language": the language of the program; English is the only one, and the
// choice is kept nowhere. UI thread only.
#pragma once

#include <memory>

#include "options/widgets/PPOptionsPage.h"

namespace Ui {
class PPOptionsLanguage;
}

class PPOptionsLanguage : public PPOptionsPage {
    Q_OBJECT
public:
    explicit PPOptionsLanguage(QWidget* parent = nullptr);
    ~PPOptionsLanguage() override;

    void store(SettingsData&) const override {}

private:
    std::unique_ptr<Ui::PPOptionsLanguage> ui_;
};
