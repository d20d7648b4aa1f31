#include "options/widgets/PPRecordDisplay_XML.h"

#include "options/widgets/PPOptionsBrowse.h"
#include "ui_PPRecordDisplay_XML.h"

PPRecordDisplay_XML::PPRecordDisplay_XML(const QString& caption, const QString& label,
                                         const Fields& fields, const SettingsData& s,
                                         QWidget* parent)
    : PPOptionsPage(caption, parent),
      fields_(fields),
      ui_(std::make_unique<Ui::PPRecordDisplay_XML>()) {
    ui_->setupUi(this);
    ui_->stylesheetLabel->setText(label);
    ui_->stylesheet->setText(QString::fromStdString(s.*fields.stylesheet));
    ui_->titleXPath->setText(QString::fromStdString(s.*fields.titleXPath));
    ui_->authorXPath->setText(QString::fromStdString(s.*fields.authorXPath));
    ui_->dateXPath->setText(QString::fromStdString(s.*fields.dateXPath));
    // Long expressions show their start.
    ui_->stylesheet->setCursorPosition(0);
    ui_->titleXPath->setCursorPosition(0);
    ui_->authorXPath->setCursorPosition(0);
    ui_->dateXPath->setCursorPosition(0);
    connectBrowse(ui_->browseStylesheet, ui_->stylesheet, kStylesheetFilter);
}

PPRecordDisplay_XML::~PPRecordDisplay_XML() = default;

void PPRecordDisplay_XML::store(SettingsData& s) const {
    s.*fields_.stylesheet = ui_->stylesheet->text().toStdString();
    s.*fields_.titleXPath = ui_->titleXPath->text().toStdString();
    s.*fields_.authorXPath = ui_->authorXPath->text().toStdString();
    s.*fields_.dateXPath = ui_->dateXPath->text().toStdString();
}
