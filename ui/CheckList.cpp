#include "ui/CheckList.h"

#include <QHeaderView>
#include <algorithm>

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kTextRole = Qt::UserRole + 1;

bool entryTextLess(const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

class CheckListItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        return entryTextLess(data(0, kTextRole).toString(), other.data(0, kTextRole).toString());
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

QTreeWidgetItem* CheckList::makeItem(const QString& text, qint64 id, bool checked) {
    const QStringList columns = text.split(QLatin1Char('\t'));
    if (columns.size() > columnCount()) setColumnCount(static_cast<int>(columns.size()));
    auto* item = new CheckListItem;
    for (int c = 0; c < columns.size(); ++c) item->setText(c, columns[c]);
    item->setData(0, kIdRole, id);
    item->setData(0, kTextRole, text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

void CheckList::addEntry(const QString& text, qint64 id, bool checked) {
    // Columns are not fitted here: measuring every row after every entry made
    // a list of thousands take seconds. The owner fits them once it is full.
    addTopLevelItem(makeItem(text, id, checked));
}

void CheckList::setEntries(const std::vector<Entry>& entries) {
    std::vector<const Entry*> sorted;
    sorted.reserve(entries.size());
    for (const Entry& entry : entries) sorted.push_back(&entry);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Entry* a, const Entry* b) {
        return entryTextLess(a->text, b->text);
    });
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(sorted.size()));
    for (const Entry* entry : sorted)
        items.append(makeItem(entry->text, entry->id, entry->checked));
    // With sorting on, the tree inserts a list one item at a time; in order
    // already, the items go in as one block.
    setSortingEnabled(false);
    clear();
    addTopLevelItems(items);
    setSortingEnabled(true);
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
