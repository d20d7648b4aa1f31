#include "views/MRecordListView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

#include "display/TabSeparatedRows.h"
#include "document/ViewDocument.h"
#include "records/ResultStore.h"
#include "ui/ViewPreferences.h"
#include "views/RefillPacing.h"

namespace {
const QString kMarksPreference = QStringLiteral("QualityMarksColumn");
}  // namespace

MRecordListView::MRecordListView(ViewDocument& doc, QWidget* parent)
    : QTableView(parent),
      doc_(doc),
      model_(new RecordListModel(this)),
      pacing_(new RefillPacing([this] { refillSoon(); }, this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { rowChosen(true); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MRecordListView::publishSelection);
    connect(this, &QTableView::clicked, this, [this] { rowChosen(false); });
    marksAction_ = new QAction(QStringLiteral("Show &Quality Marks Column"), this);
    marksAction_->setStatusTip(QStringLiteral("Show each record's quality marks in the list"));
    marksAction_->setCheckable(true);
    marksAction_->setChecked(ViewPreferences::flag(kMarksPreference, false));
    model_->setMarksShown(marksAction_->isChecked());
    connect(marksAction_, &QAction::toggled, this, &MRecordListView::showMarksColumn);
    horizontalHeader()->setContextMenuPolicy(Qt::ActionsContextMenu);
    horizontalHeader()->addAction(marksAction_);
    model_->setColumns(kInitialColumns);
    applyColumnWidths();
    doc_.addView(this);
}

MRecordListView::~MRecordListView() {
    // The job reads the document's store.
    if (building_.valid()) building_.wait();
    doc_.removeView(this);
}

void MRecordListView::onUpdate(DocumentView*, int32_t hint, const SearchEventHint*) {
    if (hint == HINT_SEARCH_STARTED) {
        ++generation_;
        buildAgain_ = false;
        marks_.restart();
        pacing_->reset();
        model_->setColumns(kInitialColumns);
        applyColumnWidths();
        horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        publishRows();
        publishSelection();
        return;
    }
    // Hidden behind the grouped list, it would only compete with it and tell
    // the document its own order and choice; it is refilled when shown again.
    if (isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide)) return;
    // Also while the user works in the list: a refill keeps the chosen
    // records, and a list left alone would never show a new search's records.
    if (hint == SS_FINISHED)
        pacing_->targetFinished(!doc_.core().search.searchMayStart(), doc_.core().store.count());
    if (hint == HINT_TARGET_SELECTED && !isActiveView()) {
        // Another target's records: nothing of the old choice carries over.
        doc_.core().selection.selectedRecordNumbers.clear();
        refill();
    }
}

void MRecordListView::refill() {
    pacing_->refilled();
    ++generation_;
    buildAgain_ = false;
    const int32_t targetId = doc_.core().selection.selectedTargetId;
    showRows(RecordListModel::listedRows(doc_.core().store, targetId, marksIfShown()),
             targetId == -1);
}

void MRecordListView::showMarksColumn(bool shown) {
    if (marksAction_->isChecked() != shown) {
        marksAction_->setChecked(shown);  // which comes back here
        return;
    }
    if (shown == model_->marksShown()) return;
    model_->setMarksShown(shown);
    applyColumnWidths();
    ViewPreferences::setFlag(kMarksPreference, shown);
    if (!shown || model_->rowCount() == 0) return;
    // A list being built now would come without marks.
    ++generation_;
    refillSoon();
}

void MRecordListView::refillSoon() {
    pacing_->refilled();
    // Shorter lists are built at once, too quickly to be felt.
    constexpr size_t kBuildInBackgroundFrom = 10000;
    if (doc_.core().store.count() < kBuildInBackgroundFrom && !building_.valid()) {
        refill();
        return;
    }
    if (building_.valid()) {
        buildAgain_ = true;
        return;
    }
    const uint64_t generation = ++generation_;
    const ResultStore& store = doc_.core().store;
    const int32_t targetId = doc_.core().selection.selectedTargetId;
    MarksCache* marks = marksIfShown();
    building_ = std::async(std::launch::async, [this, &store, targetId, generation, marks] {
        std::vector<RecordListModel::Row> rows =
            RecordListModel::listedRows(store, targetId, marks);
        QMetaObject::invokeMethod(
            this, [this, generation] { builtInBackground(generation); }, Qt::QueuedConnection);
        return rows;
    });
}

void MRecordListView::builtInBackground(uint64_t generation) {
    std::vector<RecordListModel::Row> rows = building_.get();
    if (generation == generation_)
        showRows(std::move(rows), doc_.core().selection.selectedTargetId == -1, true);
    if (buildAgain_) {
        buildAgain_ = false;
        refillSoon();
    }
}

void MRecordListView::showRows(std::vector<RecordListModel::Row> rows, bool allTargets,
                               bool freeInBackground) {
    const DocumentSelection& selection = doc_.core().selection;
    std::vector<int32_t> chosen = selection.selectedRecordNumbers;
    if (selection.selectedRecordNumber > 0) chosen.push_back(selection.selectedRecordNumber);
    {
        // A refill is not the user choosing a record.
        const QSignalBlocker blocker(selectionModel());
        rows = model_->setRows(std::move(rows), allTargets);
    }
    if (freeInBackground)
        freeing_ = std::async(std::launch::async, [old = std::move(rows)]() mutable { old = {}; });
    applyColumnWidths();
    sortColumn_ = 0;
    sortAscending_ = true;
    horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    selectRecords(chosen, selection.selectedRecordNumber);
    viewport()->update();
}

void MRecordListView::showRecords(const std::vector<int32_t>& numbers) {
    if (numbers.empty()) return;
    DocumentSelection& selection = doc_.core().selection;
    // Another target's list would hide records of the other targets.
    const bool allTargets = selection.selectedTargetId == -1;
    selection.selectedTargetId = -1;
    selection.selectedRecordNumbers = numbers;
    selection.selectedRecordNumber = numbers.front();
    if (!allTargets || model_->rowOfRecord(numbers.front()) < 0) {
        refill();
    } else {
        selectRecords(numbers, numbers.front());
    }
    const int row = model_->rowOfRecord(numbers.front());
    if (row >= 0) scrollTo(model_->index(row, 0));
    doc_.updateAllViews(this, HINT_RECORD_SELECTED);
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
    const std::vector<int32_t> chosen = doc_.core().selection.selectedRecordNumbers;
    {
        const QSignalBlocker blocker(selectionModel());
        model_->sortRows(column, sortAscending_);
    }
    selectRecords(chosen, current);
    horizontalHeader()->setSortIndicator(column,
                                         sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void MRecordListView::selectRecords(const std::vector<int32_t>& numbers, int32_t current) {
    // Numbers count from 1 in arrival order, so a vector indexed by number
    // finds each row at once, even with tens of thousands selected.
    std::vector<int> rowOf;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const int32_t number = model_->recordNumber(row);
        if (number <= 0) continue;
        if (rowOf.size() <= static_cast<size_t>(number)) rowOf.resize(number + 1, -1);
        rowOf[number] = row;
    }
    const auto rowOfRecord = [&rowOf](int32_t number) {
        return number > 0 && static_cast<size_t>(number) < rowOf.size() ? rowOf[number] : -1;
    };
    std::vector<int> rows;
    for (int32_t number : numbers)
        if (rowOfRecord(number) >= 0) rows.push_back(rowOfRecord(number));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QItemSelection ranges;
    const int lastColumn = std::max(0, model_->columnCount() - 1);
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        ranges.select(model_->index(rows[i], 0), model_->index(rows[j], lastColumn));
        i = j + 1;
    }
    {
        // Restoring the choice is not the user choosing a record.
        const QSignalBlocker blocker(selectionModel());
        selectionModel()->select(ranges, QItemSelectionModel::ClearAndSelect);
        const int currentRow = rowOfRecord(current);
        if (currentRow >= 0)
            selectionModel()->setCurrentIndex(model_->index(currentRow, 0),
                                              QItemSelectionModel::NoUpdate);
    }
    publishRows();
    publishSelection();
}

std::vector<int> MRecordListView::selectedRowsInOrder() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void MRecordListView::publishRows() {
    std::vector<int32_t>& listed = doc_.core().selection.listedRecordNumbers;
    listed.clear();
    listed.reserve(static_cast<size_t>(model_->rowCount()));
    for (int row = 0; row < model_->rowCount(); ++row) listed.push_back(model_->recordNumber(row));
}

void MRecordListView::publishSelection() {
    std::vector<int32_t>& chosen = doc_.core().selection.selectedRecordNumbers;
    chosen.clear();
    for (int row : selectedRowsInOrder()) chosen.push_back(model_->recordNumber(row));
    doc_.recordChoiceChanged();
}

void MRecordListView::copySelectedRows() {
    const std::vector<int> rows = selectedRowsInOrder();
    if (rows.empty()) return;
    const int columns = model_->columnCount();
    std::vector<std::string> header;
    for (int column = 0; column < columns; ++column)
        header.push_back(
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().toStdString());
    std::vector<std::vector<std::string>> cells;
    cells.reserve(rows.size());
    for (int row : rows) {
        std::vector<std::string>& line = cells.emplace_back();
        for (int column = 0; column < columns; ++column)
            line.push_back(model_->index(row, column).data().toString().toStdString());
    }
    QApplication::clipboard()->setText(QString::fromStdString(tabSeparatedRows(header, cells)));
}

void MRecordListView::keyPressEvent(QKeyEvent* event) {
    // The rows, not the current cell, which is what the table would copy.
    if (event->matches(QKeySequence::Copy)) {
        copySelectedRows();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void MRecordListView::mousePressEvent(QMouseEvent* event) {
    chosenByCurrent_ = -1;
    QTableView::mousePressEvent(event);
}

void MRecordListView::rowChosen(bool currentChanged) {
    if (!isActiveView()) return;
    const int row = currentIndex().row();
    if (row < 0) return;
    const int32_t number = model_->recordNumber(row);
    // A click that moved the current row was told already; a click on the
    // current row shows its record again.
    if (currentChanged) {
        chosenByCurrent_ = number;
    } else if (number == chosenByCurrent_) {
        return;
    }
    doc_.core().selection.selectedRecordNumber = number;
    doc_.updateAllViews(this, HINT_RECORD_SELECTED);
}
