#include "ui/CheckComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStylePainter>
#include <QStyledItemDelegate>

CheckComboBox::CheckComboBox(QWidget* parent) : QComboBox(parent) {
    setModel(new QStandardItemModel(this));
    // The default delegate of some styles draws no check boxes.
    setItemDelegate(new QStyledItemDelegate(this));
    view()->viewport()->installEventFilter(this);
    view()->installEventFilter(this);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumContentsLength(12);
}

QString CheckComboBox::listSeparator() { return QStringLiteral(";"); }

QString CheckComboBox::joinChecked(const QStringList& entries, const QString& separator) {
    QString trimmed = separator;
    while (trimmed.endsWith(QLatin1Char(' '))) trimmed.chop(1);
    if (trimmed.isEmpty()) trimmed = QStringLiteral(";");
    return entries.join(trimmed);
}

void CheckComboBox::addEntry(const QString& text, bool checked) {
    auto* item = new QStandardItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setData(checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    static_cast<QStandardItemModel*>(model())->appendRow(item);
    // No current entry: a screen reader would read it as the box's value,
    // though the box stands for the ticked ones.
    setCurrentIndex(-1);
    update();
}

void CheckComboBox::clearEntries() {
    clear();
    update();
}

bool CheckComboBox::isChecked(int index) const {
    return itemData(index, Qt::CheckStateRole).toInt() == Qt::Checked;
}

void CheckComboBox::setChecked(int index, bool checked) {
    setItemData(index, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    update();
}

QStringList CheckComboBox::entries() const {
    QStringList texts;
    for (int i = 0; i < count(); ++i) texts << itemText(i);
    return texts;
}

QStringList CheckComboBox::checkedEntries() const {
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        if (isChecked(i)) texts << itemText(i);
    return texts;
}

QString CheckComboBox::closedText() const { return joinChecked(checkedEntries(), listSeparator()); }

void CheckComboBox::toggle(const QModelIndex& index) {
    if (index.isValid()) setChecked(index.row(), !isChecked(index.row()));
}

bool CheckComboBox::eventFilter(QObject* watched, QEvent* event) {
    // A click or Space ticks the entry and keeps the list open for the next one.
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonPress)
        pressedInList_ = true;
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        if (pressedInList_)
            toggle(view()->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        pressedInList_ = false;
        return true;
    }
    if (watched == view() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggle(view()->currentIndex());
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void CheckComboBox::showPopup() {
    pressedInList_ = false;
    QComboBox::showPopup();
}

void CheckComboBox::hidePopup() {
    QComboBox::hidePopup();
    emit closed();
}

void CheckComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = closedText();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
