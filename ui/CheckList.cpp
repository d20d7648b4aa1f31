#include "ui/CheckList.h"

#include <QHeaderView>

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kTextRole = Qt::UserRole + 1;

class CheckListItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const QString a = data(0, kTextRole).toString();
        const QString b = other.data(0, kTextRole).toString();
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    }
};

}  // namespace

CheckList::CheckList(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnCount(1);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
}

void CheckList::addEntry(const QString& text, qint64 id, bool checked) {
    const QStringList columns = text.split(QLatin1Char('\t'));
    if (columns.size() > columnCount()) setColumnCount(static_cast<int>(columns.size()));
    auto* item = new CheckListItem;
    for (int c = 0; c < columns.size(); ++c) item->setText(c, columns[c]);
    item->setData(0, kIdRole, id);
    item->setData(0, kTextRole, text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    // Columns are not fitted here: measuring every row after every entry made
    // a list of thousands take seconds. The owner fits them once it is full.
    addTopLevelItem(item);
}

void CheckList::fitColumns() {
    for (int c = 0; c + 1 < columnCount(); ++c) resizeColumnToContents(c);
}

QString CheckList::entryText(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kTextRole).toString() : QString();
}

qint64 CheckList::entryId(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kIdRole).toLongLong() : -1;
}

bool CheckList::isChecked(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && item->checkState(0) == Qt::Checked;
}

void CheckList::setChecked(int row, bool checked) {
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void CheckList::setAllChecked(bool checked) {
    for (int row = 0; row < entryCount(); ++row) setChecked(row, checked);
}

std::vector<qint64> CheckList::checkedIds() const {
    std::vector<qint64> ids;
    for (int row = 0; row < entryCount(); ++row)
        if (isChecked(row)) ids.push_back(entryId(row));
    return ids;
}

bool CheckList::selectedId(qint64& id) const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) return false;
    id = selected.first()->data(0, kIdRole).toLongLong();
    return true;
}
