#include "views/MLimitView.h"

#include "document/ViewDocument.h"
#include "engine/ScreenText.h"
#include "engine/SearchTexts.h"

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
    for (const Target& target : doc_.core().targetList.targets) {
        if (!target.active) continue;
        auto* item = new QTreeWidgetItem(QStringList(onScreen(targetStatusText(target))));
        item->setData(0, Qt::UserRole, target.id);
        root_->addChild(item);
        items_.emplace(target.id, item);
    }
    root_->setExpanded(true);
    setCurrentItem(root_);
}

void MLimitView::refreshTexts() {
    if (!root_) return;
    for (const Target& target : doc_.core().targetList.targets) {
        if (!target.active) continue;
        const auto found = items_.find(target.id);
        if (found == items_.end()) continue;
        found->second->setText(0, onScreen(targetStatusText(target)));
        if (target.id == selectedTarget_ && currentItem() != found->second)
            setCurrentItem(found->second);
    }
    const auto& search = doc_.core().search;
    root_->setText(
        0, QStringLiteral("Databases (%1/%2)").arg(search.totalRetrieved).arg(search.totalHits));
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
