// "Record Display::MARC/OPAC": MARC and OPAC records through a custom
// stylesheet over their MARCXML form, or the toolkit's own rendering. UI
// thread only.
#pragma once

#include <memory>
#include <string>

#include "options/widgets/PPOptionsPage.h"

namespace Ui {
class PPOptionsDisplayMARC;
}

class PPOptionsDisplayMARC : public PPOptionsPage {
    Q_OBJECT
public:
    explicit PPOptionsDisplayMARC(const SettingsData& settings, QWidget* parent = nullptr);
    ~PPOptionsDisplayMARC() override;

    // The display type follows the radio buttons each time the page is left;
    // a page never shown keeps the stored value as it was.
    bool onLeaving() override;
    void store(SettingsData& settings) const override;

private:
    std::string displayType_;
    std::unique_ptr<Ui::PPOptionsDisplayMARC> ui_;
};
