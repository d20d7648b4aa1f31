#include "views/MGroupedListView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

#include "display/TabSeparatedRows.h"
#include "document/ViewDocument.h"
#include "views/GroupedRecordModel.h"

MGroupedListView::MGroupedListView(ViewDocument& doc, QWidget* parent)
    : QTreeView(parent), doc_(doc), model_(new GroupedRecordModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setAllColumnsShowFocus(true);
    setAccessibleName(QStringLiteral("Grouped records"));
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setStretchLastSection(true);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header(), &QHeaderView::sectionClicked, this, &MGroupedListView::headerClicked);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &MGroupedListView::currentChosen);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MGroupedListView::publishSelection);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* takeOut = new QAction(QStringLiteral("Take Out of Group"), this);
    connect(takeOut, &QAction::triggered, this, &MGroupedListView::takeSelectedOutOfGroups);
    auto* join = new QAction(QStringLiteral("Join into One Group"), this);
    connect(join, &QAction::triggered, this, &MGroupedListView::joinSelectedIntoOneGroup);
    addActions({takeOut, join});
    doc_.addView(this);
}

MGroupedListView::~MGroupedListView() { doc_.removeView(this); }

void MGroupedListView::onUpdate(DocumentView*, int32_t hint, const SearchEventHint*) {
    if (hint == HINT_SEARCH_STARTED) {
        // The groups and the user's changes to them end with their search.
        doc_.core().copies.clear();
        model_->clear();
        return;
    }
    if (!isHidden() && (hint == SS_FINISHED || hint == HINT_TARGET_SELECTED) && !isActiveView())
        refill();
}

void MGroupedListView::refill() {
    const DocumentSelection& selection = doc_.core().selection;
    std::vector<int32_t> chosen = selection.selectedRecordNumbers;
    const int32_t current = selection.selectedRecordNumber;
    {
        const QSignalBlocker blocker(selectionModel());
        model_->refill(doc_.core().store, doc_.core().copies, selection.selectedTargetId);
        if (sortColumn_ >= 0) model_->sortGroups(sortColumn_, sortAscending_);
        const auto& columns = model_->columns();
        for (size_t i = 0; i < columns.size(); ++i)
            setColumnWidth(static_cast<int>(i), columns[i].width);
        QItemSelection ranges;
        for (int32_t number : chosen) {
            const QModelIndex at = model_->indexOfRecord(number);
            if (at.isValid()) ranges.select(at, at.siblingAtColumn(model_->columnCount() - 1));
        }
        selectionModel()->select(ranges, QItemSelectionModel::ClearAndSelect);
        const QModelIndex currentAt = model_->indexOfRecord(current);
        if (currentAt.isValid())
            selectionModel()->setCurrentIndex(currentAt, QItemSelectionModel::NoUpdate);
    }
    doc_.core().selection.listedRecordNumbers = model_->listedRecords();
    publishSelection();
}

void MGroupedListView::headerClicked(int column) {
    sortAscending_ = column != sortColumn_ || !sortAscending_;
    sortColumn_ = column;
    {
        const QSignalBlocker blocker(selectionModel());
        model_->sortGroups(column, sortAscending_);
    }
    header()->setSortIndicator(column, sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    doc_.core().selection.listedRecordNumbers = model_->listedRecords();
}

QModelIndexList MGroupedListView::selectedRowsInOrder() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    // Group by group, a group's row before its copies.
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) {
        const auto path = [](const QModelIndex& i) {
            return i.parent().isValid() ? std::make_pair(i.parent().row(), i.row() + 1)
                                        : std::make_pair(i.row(), 0);
        };
        return path(a) < path(b);
    });
    return rows;
}

std::vector<int32_t> MGroupedListView::selectedRecords() const {
    std::vector<int32_t> numbers;
    for (const QModelIndex& row : selectedRowsInOrder()) {
        const int32_t number = model_->recordNumber(row);
        if (number > 0 && std::find(numbers.begin(), numbers.end(), number) == numbers.end())
            numbers.push_back(number);
    }
    return numbers;
}

void MGroupedListView::publishSelection() {
    doc_.core().selection.selectedRecordNumbers = selectedRecords();
    doc_.recordChoiceChanged();
}

void MGroupedListView::currentChosen() {
    const int32_t number = model_->recordNumber(currentIndex());
    if (number <= 0) return;
    doc_.core().selection.selectedRecordNumber = number;
    doc_.updateAllViews(this, HINT_RECORD_SELECTED);
}

void MGroupedListView::copySelectedRows() {
    const QModelIndexList rows = selectedRowsInOrder();
    if (rows.empty()) return;
    std::vector<std::string> header;
    for (int c = 0; c < model_->columnCount(); ++c)
        header.push_back(
            model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString());
    std::vector<std::vector<std::string>> cells;
    for (const QModelIndex& row : rows) {
        std::vector<std::string>& line = cells.emplace_back();
        for (int c = 0; c < model_->columnCount(); ++c)
            line.push_back(row.siblingAtColumn(c).data().toString().toStdString());
    }
    QApplication::clipboard()->setText(QString::fromStdString(tabSeparatedRows(header, cells)));
}

void MGroupedListView::takeSelectedOutOfGroups() {
    for (int32_t number : selectedRecords()) doc_.core().copies.takeOut(number);
    refill();
}

void MGroupedListView::joinSelectedIntoOneGroup() {
    doc_.core().copies.join(selectedRecords());
    refill();
}

void MGroupedListView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelectedRows();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}
