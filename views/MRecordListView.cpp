#include "views/MRecordListView.h"

#include <QHeaderView>

#include "document/ViewDocument.h"
#include "views/RecordListModel.h"

MRecordListView::MRecordListView(ViewDocument& doc, QWidget* parent)
    : QTableView(parent), doc_(doc), model_(new RecordListModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    setAccessibleName(QStringLiteral("Records"));
    verticalHeader()->hide();
    // Fixed row heights keep tens of thousands of rows cheap to scroll.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            &MRecordListView::headerClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { rowChosen(true); });
    connect(this, &QTableView::clicked, this, [this] { rowChosen(false); });
    model_->setColumns(kInitialColumns);
    applyColumnWidths();
    doc_.addView(this);
}

MRecordListView::~MRecordListView() { doc_.removeView(this); }

void MRecordListView::onUpdate(DocumentView*, int32_t hint, const SearchEventHint*) {
    if (hint == HINT_SEARCH_STARTED) {
        model_->setColumns(kInitialColumns);
        applyColumnWidths();
        horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    if ((hint == SS_FINISHED || hint == HINT_TARGET_SELECTED) && !isActiveView()) refill();
}

void MRecordListView::refill() {
    const DocumentSelection& selection = doc_.core().selection;
    {
        // A refill is not the user choosing a record.
        const QSignalBlocker blocker(selectionModel());
        model_->refill(doc_.core().store, selection.selectedTargetId);
        applyColumnWidths();
        sortColumn_ = 0;
        sortAscending_ = true;
        horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        const int row = model_->rowOfRecord(selection.selectedRecordNumber);
        if (row >= 0) selectRow(row);
    }
    viewport()->update();
}

void MRecordListView::applyColumnWidths() {
    const auto& columns = model_->columns();
    for (size_t i = 0; i < columns.size(); ++i)
        setColumnWidth(static_cast<int>(i), columns[i].width);
}

void MRecordListView::headerClicked(int column) {
    sortAscending_ = column != sortColumn_ || !sortAscending_;
    sortColumn_ = column;
    const int32_t current = model_->recordNumber(currentIndex().row());
    {
        const QSignalBlocker blocker(selectionModel());
        model_->sortRows(column, sortAscending_);
        const int row = model_->rowOfRecord(current);
        if (row >= 0) selectRow(row);
    }
    horizontalHeader()->setSortIndicator(column,
                                         sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void MRecordListView::mousePressEvent(QMouseEvent* event) {
    chosenBySelection_ = -1;
    QTableView::mousePressEvent(event);
}

void MRecordListView::rowChosen(bool selectionChanged) {
    if (!isActiveView()) return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    const int32_t number = model_->recordNumber(rows.first().row());
    // A click that changed the selection was told already; a click on the
    // row already chosen shows its record again.
    if (selectionChanged) {
        chosenBySelection_ = number;
    } else if (number == chosenBySelection_) {
        return;
    }
    doc_.core().selection.selectedRecordNumber = number;
    doc_.updateAllViews(this, HINT_RECORD_SELECTED);
}
