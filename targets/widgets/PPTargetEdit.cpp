#include "targets/widgets/PPTargetEdit.h"

#include <set>

#include "targets/TargetList.h"
#include "ui/KnownValuesBox.h"
#include "ui_PPTargetEdit.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string ss(const QString& s) { return s.toStdString(); }

// An editable list of known values showing value, with its equal entry selected.
void fillKnown(QComboBox* box, const std::set<std::string>& known, const std::string& value) {
    QStringList entries;
    for (const std::string& entry : known) entries << qs(entry);
    offerKnownValues(box, entries);
    box->setCurrentIndex(box->findText(qs(value), Qt::MatchExactly | Qt::MatchCaseSensitive));
    box->setEditText(qs(value));
}

}  // namespace

PPTargetEdit::PPTargetEdit(const TargetList& list, const Target& target, QWidget* parent)
    : PropertyPage(QStringLiteral("Target"), parent), ui_(std::make_unique<Ui::PPTargetEdit>()) {
    ui_->setupUi(this);
    ui_->name->setText(qs(target.name));
    ui_->zurl->setText(qs(target.zurl));
    // A syntax the list does not offer (usmarc, unimarc...) is offered for this
    // target too, so editing another field does not quietly change it.
    QComboBox* type = ui_->recordType;
    const QString syntax = qs(target.recsyntax);
    if (!syntax.isEmpty() && type->findText(syntax, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        type->addItem(syntax);
    type->setCurrentIndex(type->findText(syntax, Qt::MatchExactly | Qt::MatchCaseSensitive));
    fillKnown(ui_->elementSetName, list.elementSetNames, target.elementsetname);
    fillKnown(ui_->location, list.locations, target.location);
    ui_->website->setText(qs(target.website));
    ui_->catalogue->setText(qs(target.catalogue));
    ui_->userName->setText(qs(target.username));
    ui_->password->setText(qs(target.password));
}

PPTargetEdit::~PPTargetEdit() = default;

void PPTargetEdit::store(Target& target) const {
    target.name = ss(ui_->name->text());
    target.zurl = ss(ui_->zurl->text());
    target.recsyntax =
        ui_->recordType->currentIndex() < 0 ? std::string() : ss(ui_->recordType->currentText());
    target.elementsetname = ss(ui_->elementSetName->currentText());
    target.location = ss(ui_->location->currentText());
    target.website = ss(ui_->website->text());
    target.catalogue = ss(ui_->catalogue->text());
    target.username = ss(ui_->userName->text());
    target.password = ss(ui_->password->text());
}
