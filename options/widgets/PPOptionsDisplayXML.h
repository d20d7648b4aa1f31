// "Record Display::XML": the stylesheet for XML records of any schema without
// a page of its own. UI thread only.
#pragma once

#include <memory>

#include "options/widgets/PPOptionsPage.h"

namespace Ui {
class PPOptionsDisplayXML;
}

class PPOptionsDisplayXML : public PPOptionsPage {
    Q_OBJECT
public:
    explicit PPOptionsDisplayXML(const SettingsData& settings, QWidget* parent = nullptr);
    ~PPOptionsDisplayXML() override;

    void store(SettingsData& settings) const override;

private:
    std::unique_ptr<Ui::PPOptionsDisplayXML> ui_;
};
