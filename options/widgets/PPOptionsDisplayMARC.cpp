#include "options/widgets/PPOptionsDisplayMARC.h"

#include "settings/SettingsData.h"
#include "options/widgets/PPOptionsBrowse.h"
#include "ui_PPOptionsDisplayMARC.h"

PPOptionsDisplayMARC::PPOptionsDisplayMARC(const SettingsData& s, QWidget* parent)
    : PPOptionsPage(QStringLiteral("Record Display::MARC/OPAC"), parent),
      displayType_(s.MARCDisplayType),
      ui_(std::make_unique<Ui::PPOptionsDisplayMARC>()) {
    ui_->setupUi(this);
    // Any value but exactly "XSL" means the toolkit's rendering.
    (displayType_ == "XSL" ? ui_->customXsl : ui_->yazRender)->setChecked(true);
    ui_->customXslPath->setText(QString::fromStdString(s.MARCCustomXSL));
    connectBrowse(ui_->browseCustomXsl, ui_->customXslPath, kStylesheetFilter);
}

PPOptionsDisplayMARC::~PPOptionsDisplayMARC() = default;

bool PPOptionsDisplayMARC::onLeaving() {
    displayType_ = ui_->yazRender->isChecked() ? "YAZ" : "XSL";
    return true;
}

void PPOptionsDisplayMARC::store(SettingsData& s) const {
    s.MARCDisplayType = displayType_;
    s.MARCCustomXSL = ui_->customXslPath->text().toStdString();
}
