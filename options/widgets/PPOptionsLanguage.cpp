#include "options/widgets/PPOptionsLanguage.h"

#include "ui_PPOptionsLanguage.h"

PPOptionsLanguage::PPOptionsLanguage(QWidget* parent)
    : PPOptionsPage(QStringLiteral("Language"), parent),
      ui_(std::make_unique<Ui::PPOptionsLanguage>()) {
    ui_->setupUi(this);
    ui_->language->setCurrentIndex(0);
}

PPOptionsLanguage::~PPOptionsLanguage() = default;
