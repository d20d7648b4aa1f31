#include "query/widgets/PPAttribEditBib1.h"

#include "query/Bib1Attributes.h"
#include "ui_PPAttribEditBib1.h"

PPAttribEditBib1::PPAttribEditBib1(bool titleEditable, SearchAttribute& result, QWidget* parent)
    : PropertyPage(QStringLiteral("Bib-1"), parent),
      ui_(std::make_unique<Ui::PPAttribEditBib1>()),
      result_(result) {
    ui_->setupUi(this);
    ui_->title->setEnabled(titleEditable);
    lists_ = {ui_->use,       ui_->relation,   ui_->position,
              ui_->structure, ui_->truncation, ui_->completeness};
    for (int type = 1; type <= 6; ++type) {
        QComboBox* combo = list(type);
        for (const std::string& entry : bib1DisplayEntries(bib1List(type)))
            combo->addItem(QString::fromStdString(entry));
        combo->setCurrentIndex(0);
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    }
}

PPAttribEditBib1::~PPAttribEditBib1() = default;

QComboBox* PPAttribEditBib1::list(int type) const {
    return lists_.at(static_cast<size_t>(type - 1));
}

void PPAttribEditBib1::recompute() {
    std::vector<std::string> chosen;
    for (const QComboBox* combo : lists_) chosen.push_back(combo->currentText().toStdString());
    ui_->pqf->setText(QString::fromStdString(bib1AttributeString(chosen)));
}

bool PPAttribEditBib1::onLeaving() {
    result_ = {ui_->title->text().toStdString(), ui_->pqf->text().toStdString()};
    return true;
}
