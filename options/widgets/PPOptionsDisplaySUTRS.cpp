#include "options/widgets/PPOptionsDisplaySUTRS.h"

#include "settings/SettingsData.h"
#include "ui_PPOptionsDisplaySUTRS.h"

PPOptionsDisplaySUTRS::PPOptionsDisplaySUTRS(const SettingsData& s, QWidget* parent)
    : PPOptionsPage(QStringLiteral("Record Display::SUTRS"), parent),
      ui_(std::make_unique<Ui::PPOptionsDisplaySUTRS>()) {
    ui_->setupUi(this);
    ui_->titleRe->setText(QString::fromStdString(s.SUTRSTitleRE));
    ui_->authorRe->setText(QString::fromStdString(s.SUTRSAuthorRE));
    ui_->dateRe->setText(QString::fromStdString(s.SUTRSDateRE));
    // Long expressions show their start.
    ui_->titleRe->setCursorPosition(0);
    ui_->authorRe->setCursorPosition(0);
    ui_->dateRe->setCursorPosition(0);
}

PPOptionsDisplaySUTRS::~PPOptionsDisplaySUTRS() = default;

void PPOptionsDisplaySUTRS::store(SettingsData& s) const {
    s.SUTRSTitleRE = ui_->titleRe->text().toStdString();
    s.SUTRSAuthorRE = ui_->authorRe->text().toStdString();
    s.SUTRSDateRE = ui_->dateRe->text().toStdString();
}
