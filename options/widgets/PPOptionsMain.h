// The "Main" page of the Options sheet: the three search limits, the target
// list file and the SRU query mapping file. A limit left empty keeps the page on show. UI thread only.
#pragma once

#include <memory>

#include "options/widgets/PPOptionsPage.h"

namespace Ui {
class PPOptionsMain;
}

class PPOptionsMain : public PPOptionsPage {
    Q_OBJECT
public:
    explicit PPOptionsMain(const SettingsData& settings, QWidget* parent = nullptr);
    ~PPOptionsMain() override;

    bool onLeaving() override;
    void store(SettingsData& settings) const override;

private:
    std::unique_ptr<Ui::PPOptionsMain> ui_;
};
