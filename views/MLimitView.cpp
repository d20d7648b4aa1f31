#include "views/MLimitView.h"

#include "document/ViewDocument.h"
#include "marc/ScreenText.h"
#include "search/SearchTexts.h"

namespace {
QString onScreen(const std::string& text) { return QString::fromStdString(screenText(text)); }
}  // namespace

MLimitView::MLimitView(ViewDocument& doc, QWidget* parent) : QTreeWidget(parent), doc_(doc) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(QStringLiteral("Databases"));
    connect(this, &QTreeWidget::itemSelectionChanged, this, &MLimitView::selectionChanged);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { doubleClicked(item); });
    doc_.addView(this);
}

MLimitView::~MLimitView() { doc_.removeView(this); }

void MLimitView::onUpdate(DocumentView*, int32_t hint, const SearchEventHint*) {
    switch (hint) {
        case HINT_SEARCH_STARTED:
            items_.clear();
            root_ = nullptr;
            clear();
            break;
        case HINT_SEARCH_QUEUED:
            rebuild();
            break;
        case SS_CONNECTING:
        case SS_SEARCHING:
        case SS_RETRIEVING:
        case SS_FINISHED:
        case SS_ERROR:
            refreshTexts();
            break;
        default:
            break;
    }
}

void MLimitView::rebuild() {
    selectedTarget_ = -1;
    items_.clear();
    root_ = nullptr;
    {
        const QSignalBlocker blocker(this);
        clear();
    }
    root_ = new QTreeWidgetItem(QStringList(QStringLiteral("Databases")));
    root_->setData(0, Qt::UserRole, -1);
    addTopLevelItem(root_);
    QList<QTreeWidgetItem*> children;
    for (const Target& target : doc_.core().targetList.targets) {
        if (!target.active) continue;
        const Status status = statusOf(target);
        auto* item = new QTreeWidgetItem(QStringList(onScreen(targetStatusText(target))));
        item->setData(0, Qt::UserRole, target.id);
        children.append(item);
        items_.emplace(target.id, Item{item, status, target.name});
    }
    // One insertion for the view and a screen reader, not one per target.
    root_->addChildren(children);
    root_->setExpanded(true);
    setCurrentItem(root_);
}

void MLimitView::refreshTexts() {
    if (!root_) return;
    for (const Target& target : doc_.core().targetList.targets) {
        if (!target.active) continue;
        const auto found = items_.find(target.id);
        if (found == items_.end()) continue;
        Item& shown = found->second;
        // Read before the text is made, so a task writing meanwhile leaves
        // the item made again at the next event rather than stale.
        const Status status = statusOf(target);
        if (!(status == shown.shown) || shown.name != target.name) {
            shown.item->setText(0, onScreen(targetStatusText(target)));
            shown.shown = status;
            shown.name = target.name;
        }
        if (target.id == selectedTarget_ && currentItem() != shown.item) setCurrentItem(shown.item);
    }
    const auto& search = doc_.core().search;
    const QString total =
        QStringLiteral("Databases (%1/%2)").arg(search.totalRetrieved).arg(search.totalHits);
    if (root_->text(0) != total) root_->setText(0, total);
}

MLimitView::Status MLimitView::statusOf(const Target& target) {
    const TargetSearch& s = target.search;
    return {s.state, s.abortedFlag, s.errorFlag, s.retrievedCount, s.hitCount};
}

void MLimitView::selectionChanged() {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) return;
    chooseTarget(selected.first()->data(0, Qt::UserRole).toInt(), false);
}

void MLimitView::doubleClicked(QTreeWidgetItem* item) {
    if (!item || selectedItems().isEmpty()) return;
    chooseTarget(selectedItems().first()->data(0, Qt::UserRole).toInt(), true);
}

void MLimitView::chooseTarget(int32_t id, bool evenIfUnchanged) {
    selectedTarget_ = id;
    DocumentSelection& selection = doc_.core().selection;
    if (id == selection.selectedTargetId && !evenIfUnchanged) return;
    selection.selectedTargetId = id;
    selection.selectedRecordNumber = -1;
    doc_.updateAllViews(this, HINT_TARGET_SELECTED);
}
