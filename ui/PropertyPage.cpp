#include "ui/PropertyPage.h"

#include "ui/PropertySheet.h"

PropertyPage::PropertyPage(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {}

QString PropertyPage::title() const { return caption_.section(QStringLiteral("::"), -1); }

void PropertyPage::setOkEnabled(bool enabled) {
    if (sheet_) sheet_->setOkEnabled(enabled);
}

void PropertyPage::setWizardButtons(int buttons) {
    if (sheet_) sheet_->setWizardButtons(PropertySheet::WizardButtons(buttons));
}
