#include "options/widgets/PPOptionsDisplayXML.h"

#include "settings/SettingsData.h"
#include "options/widgets/PPOptionsBrowse.h"
#include "ui_PPOptionsDisplayXML.h"

PPOptionsDisplayXML::PPOptionsDisplayXML(const SettingsData& s, QWidget* parent)
    : PPOptionsPage(QStringLiteral("Record Display::XML"), parent),
      ui_(std::make_unique<Ui::PPOptionsDisplayXML>()) {
    ui_->setupUi(this);
    ui_->defaultXsl->setText(QString::fromStdString(s.DefaultXMLXSL));
    connectBrowse(ui_->browseDefaultXsl, ui_->defaultXsl, kStylesheetFilter);
}

PPOptionsDisplayXML::~PPOptionsDisplayXML() = default;

void PPOptionsDisplayXML::store(SettingsData& s) const {
    s.DefaultXMLXSL = ui_->defaultXsl->text().toStdString();
}
