// "Record Display::SUTRS": the regular expressions that find the title, the
// author and the date in a text record. UI thread only.
#pragma once

#include <memory>

#include "options/widgets/PPOptionsPage.h"

namespace Ui {
class PPOptionsDisplaySUTRS;
}

class PPOptionsDisplaySUTRS : public PPOptionsPage {
    Q_OBJECT
public:
    explicit PPOptionsDisplaySUTRS(const SettingsData& settings, QWidget* parent = nullptr);
    ~PPOptionsDisplaySUTRS() override;

    void store(SettingsData& settings) const override;

private:
    std::unique_ptr<Ui::PPOptionsDisplaySUTRS> ui_;
};
