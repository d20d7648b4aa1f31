#include "query/widgets/PPAttribEditCustom.h"

#include "ui_PPAttribEditCustom.h"

PPAttribEditCustom::PPAttribEditCustom(const SearchAttribute& shown, SearchAttribute& result,
                                       QWidget* parent)
    : PPAttribEditCustom(QStringLiteral("Custom"), true, shown, result, parent) {}

PPAttribEditCustom::PPAttribEditCustom(const QString& caption, bool editable,
                                       const SearchAttribute& shown, SearchAttribute& result,
                                       QWidget* parent)
    : PropertyPage(caption, parent),
      ui_(std::make_unique<Ui::PPAttribEditCustom>()),
      result_(result) {
    ui_->setupUi(this);
    ui_->title->setText(QString::fromStdString(shown.title));
    ui_->pqf->setText(QString::fromStdString(shown.pqf));
    ui_->title->setEnabled(editable);
    ui_->pqf->setEnabled(editable);
}

PPAttribEditCustom::~PPAttribEditCustom() = default;

bool PPAttribEditCustom::onLeaving() {
    result_ = {ui_->title->text().toStdString(), ui_->pqf->text().toStdString()};
    return true;
}
