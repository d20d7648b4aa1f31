#include "targets/widgets/PPTargetEditTags.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "targets/TargetFilter.h"
#include "ui/KnownValuesBox.h"
#include "ui_PPTargetEditTags.h"

PPTargetEditTags::PPTargetEditTags(TargetList& list, std::set<std::string> tags, QWidget* parent)
    : PropertyPage(QStringLiteral("Tags"), parent),
      list_(list),
      tags_(std::move(tags)),
      ui_(std::make_unique<Ui::PPTargetEditTags>()) {
    ui_->setupUi(this);
    QStringList known;
    for (const auto& entry : list_.tagTable) known << QString::fromStdString(entry.first);
    offerKnownValues(ui_->tagField, known);
    ui_->tagField->setCurrentIndex(-1);
    showTags();
    connect(ui_->add, &QPushButton::clicked, this, &PPTargetEditTags::addTag);
    connect(ui_->remove, &QPushButton::clicked, this, &PPTargetEditTags::deleteTag);
    ui_->tagField->installEventFilter(this);
    ui_->tagField->lineEdit()->installEventFilter(this);
}

PPTargetEditTags::~PPTargetEditTags() = default;

bool PPTargetEditTags::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the field adds the tag rather than closing the sheet.
    const bool inField = watched == ui_->tagField || watched == ui_->tagField->lineEdit();
    if (inField && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addTag();
            return true;
        }
    }
    return PropertyPage::eventFilter(watched, event);
}

void PPTargetEditTags::showTags() {
    ui_->tagList->clear();
    for (const std::string& tag : tags_) ui_->tagList->addItem(QString::fromStdString(tag));
}

void PPTargetEditTags::addTag() {
    const std::string tag = ui_->tagField->currentText().toStdString();
    if (tag.empty()) return;
    if (tags_.insert(tag).second) showTags();
    if (rememberTag(list_, tag)) {
        const QString text = QString::fromStdString(tag);
        ui_->tagField->insertItem(knownValueRow(ui_->tagField, text), text);
    }
}

void PPTargetEditTags::deleteTag() {
    const QListWidgetItem* item = ui_->tagList->currentItem();
    if (!item || !item->isSelected()) return;
    tags_.erase(item->text().toStdString());
    showTags();
}
