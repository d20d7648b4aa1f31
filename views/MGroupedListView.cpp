#include "views/MGroupedListView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "display/ColumnFit.h"
#include "display/TabSeparatedRows.h"
#include "document/ViewDocument.h"
#include "views/GroupedRecordModel.h"
#include "views/RefillPacing.h"

MGroupedListView::MGroupedListView(ViewDocument& doc, QWidget* parent)
    : QTreeView(parent),
      doc_(doc),
      model_(new GroupedRecordModel(this)),
      pacing_(new RefillPacing(
          [this] {
              if (!isHidden()) refill();
          },
          this)) {
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
    connect(this, &QTreeView::expanded, this,
            [this](const QModelIndex& at) { groupExpanded(at, true); });
    connect(this, &QTreeView::collapsed, this,
            [this](const QModelIndex& at) { groupExpanded(at, false); });

    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* takeOut = new QAction(QStringLiteral("Take Out of Group"), this);
    connect(takeOut, &QAction::triggered, this, &MGroupedListView::takeSelectedOutOfGroups);
    auto* join = new QAction(QStringLiteral("Join into One Group"), this);
    connect(join, &QAction::triggered, this, &MGroupedListView::joinSelectedIntoOneGroup);
    addActions({takeOut, join});
    doc_.addView(this);
}

MGroupedListView::~MGroupedListView() {
    // The build reads the document's store.
    if (build_.running()) build_.take();
    doc_.removeView(this);
}

void MGroupedListView::onUpdate(DocumentView*, int32_t hint, const SearchEventHint*) {
    if (hint == HINT_SEARCH_STARTED) {
        // The groups and the user's changes to them end with their search.
        ++search_;
        buildAgain_ = false;
        expanded_.clear();
        doc_.core().copies.clear();
        build_.startOver();
        pacing_->reset();
        freeInBackground(model_->setGroups({}, doc_.core().selection.selectedTargetId == -1), {});
        return;
    }
    if (isHidden()) return;
    // Also while the user works in the list, or a new search would list nothing.
    if (hint == SS_FINISHED)
        pacing_->targetFinished(!doc_.core().search.searchMayStart(), doc_.core().store.count());
    if (hint == HINT_TARGET_SELECTED && !isActiveView()) refill();
}

void MGroupedListView::refill() {
    pacing_->refilled();
    if (build_.running()) {
        buildAgain_ = true;
        return;
    }
    const int32_t targetId = doc_.core().selection.selectedTargetId;
    // Shorter lists are grouped at once, too quickly to be felt.
    constexpr size_t kBuildInBackgroundFrom = 10000;
    if (doc_.core().store.count() < kBuildInBackgroundFrom) {
        showGroups(GroupedRecordModel::listedGroups(doc_.core().store, doc_.core().copies, targetId,
                                                    sortColumn_, sortAscending_),
                   targetId == -1);
        return;
    }
    const uint64_t search = search_;
    build_.start(doc_.core().store, {targetId, sortColumn_, sortAscending_}, [this, search] {
        QMetaObject::invokeMethod(
            this, [this, search] { builtInBackground(search); }, Qt::QueuedConnection);
    });
    viewport()->setCursor(Qt::BusyCursor);
    viewport()->update();
}

void MGroupedListView::builtInBackground(uint64_t search) {
    // The worker told us just before handing over; waiting for it here
    // would be a stall whenever the machine is busy.
    if (!build_.finished()) {
        QTimer::singleShot(1, this, [this, search] { builtInBackground(search); });
        return;
    }
    GroupedListBuild::Result built = build_.take();
    viewport()->unsetCursor();
    viewport()->update();
    if (search == search_) {
        // The export of whole groups reads the document's grouping: it must
        // know every record listed, with the changes made meanwhile.
        std::swap(doc_.core().copies, built.grouping);
        build_.applyChangesSince(built.changesMade, doc_.core().copies);
        const int32_t targetId = doc_.core().selection.selectedTargetId;
        if (built.request.targetId == targetId) {
            if (sortColumn_ >= 0 && (built.request.sortColumn != sortColumn_ ||
                                     built.request.ascending != sortAscending_))
                GroupedRecordModel::sortGroupsOf(built.groups, sortColumn_, sortAscending_);
            built.groups = showGroups(std::move(built.groups), targetId == -1);
        } else {
            buildAgain_ = true;
        }
    }
    freeInBackground(std::move(built.groups), std::move(built.grouping));
    if (buildAgain_) {
        buildAgain_ = false;
        refill();
    }
}

std::vector<GroupedRecordModel::Group> MGroupedListView::showGroups(
    std::vector<GroupedRecordModel::Group> groups, bool allTargets) {
    const DocumentSelection& selection = doc_.core().selection;
    const std::vector<int32_t> chosen = selection.selectedRecordNumbers;
    const int32_t current = selection.selectedRecordNumber;
    const std::set<int32_t> expanded = expanded_;
    {
        const QSignalBlocker blocker(selectionModel());
        groups = model_->setGroups(std::move(groups), allTargets);
        fitColumns();
        for (int32_t number : expanded) {
            const QModelIndex at = model_->indexOfRecord(number);
            const QModelIndex group = at.parent().isValid() ? at.parent() : at;
            if (model_->rowCount(group) > 0) expand(group);
        }
        // Neighbouring group rows as one range: a choice of thousands of rows
        // is then a handful of ranges.
        std::vector<int> groupRows;
        QItemSelection ranges;
        const int lastColumn = model_->columnCount() - 1;
        for (int32_t number : chosen) {
            const QModelIndex at = model_->indexOfRecord(number);
            if (!at.isValid()) continue;
            if (at.parent().isValid())
                ranges.select(at, at.siblingAtColumn(lastColumn));
            else
                groupRows.push_back(at.row());
        }
        std::sort(groupRows.begin(), groupRows.end());
        for (size_t i = 0; i < groupRows.size();) {
            size_t j = i;
            while (j + 1 < groupRows.size() && groupRows[j + 1] <= groupRows[j] + 1) ++j;
            ranges.select(model_->index(groupRows[i], 0), model_->index(groupRows[j], lastColumn));
            i = j + 1;
        }
        selectionModel()->select(ranges, QItemSelectionModel::ClearAndSelect);
        const QModelIndex currentAt = model_->indexOfRecord(current);
        if (currentAt.isValid())
            selectionModel()->setCurrentIndex(currentAt, QItemSelectionModel::NoUpdate);
    }
    doc_.core().selection.listedRecordNumbers = model_->listedRecords();
    publishSelection();
    return groups;
}

void MGroupedListView::freeInBackground(std::vector<GroupedRecordModel::Group> groups,
                                        CopyGrouping grouping) {
    freeing_ = std::async(std::launch::async,
                          [groups = std::move(groups), grouping = std::move(grouping)]() mutable {
                              groups = {};
                              grouping = {};
                          });
}

void MGroupedListView::groupExpanded(const QModelIndex& group, bool expanded) {
    if (expanded) {
        expanded_.insert(model_->recordNumber(group));
        return;
    }
    for (int row = 0; row < model_->rowCount(group); ++row)
        expanded_.erase(model_->recordNumber(model_->index(row, 0, group)));
}

void MGroupedListView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (!build_.running()) return;
    QPainter painter(viewport());
    const QString text = QStringLiteral("Grouping copies\u2026");
    if (model_->rowCount() == 0) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(viewport()->rect(), Qt::AlignCenter, text);
        return;
    }
    // Over the groups still shown, which the new ones will replace.
    QRect box = fontMetrics().boundingRect(text).adjusted(-8, -4, 8, 4);
    box.moveBottomRight(viewport()->rect().bottomRight() - QPoint(8, 8));
    painter.fillRect(box, palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawText(box, Qt::AlignCenter, text);
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
    for (int32_t number : selectedRecords()) {
        doc_.core().copies.takeOut(number);
        build_.takeOut(number);
    }
    refill();
}

void MGroupedListView::joinSelectedIntoOneGroup() {
    const std::vector<int32_t> numbers = selectedRecords();
    doc_.core().copies.join(numbers);
    build_.join(numbers);
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

void MGroupedListView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    fitColumns();
}

void MGroupedListView::fitColumns() {
    const auto& columns = model_->columns();
    std::vector<int> content;
    for (size_t i = 0; i < columns.size(); ++i) {
        const int c = static_cast<int>(i);
        // An empty list keeps the widths it was given.
        content.push_back(model_->rowCount() == 0
                              ? columns[i].width
                              : std::max(header()->sectionSizeHint(c), sizeHintForColumn(c)));
    }
    constexpr int kLeastTitle = 80;
    constexpr int kMostOther = 320;
    const std::vector<int> widths =
        ::fitColumns(content, 0, viewport()->width(), kLeastTitle, kMostOther);
    for (size_t i = 0; i < widths.size(); ++i) setColumnWidth(static_cast<int>(i), widths[i]);
}
