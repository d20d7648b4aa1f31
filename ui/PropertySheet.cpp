#include "ui/PropertySheet.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSizeGrip>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/AccessibleNames.h"
#include "ui/WindowPlacement.h"

namespace {

constexpr int kPageRole = Qt::UserRole;
const QString kNest = QStringLiteral("::");

// The first field of page that takes the keyboard, so a sheet opens ready to type.
void focusFirstField(QWidget* page) {
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(page) &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace

PropertySheet::PropertySheet(const QString& title, Mode mode, QWidget* parent)
    : QDialog(parent), mode_(mode) {
    setWindowTitle(title);
    setSizeGripEnabled(false);

    title_ = new QLabel(this);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title_->setFont(bold);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    stack_ = new QStackedWidget(this);

    auto* pageColumn = new QVBoxLayout;
    pageColumn->addWidget(title_);
    pageColumn->addWidget(rule);
    pageColumn->addWidget(stack_, 1);

    auto* body = new QHBoxLayout;
    if (mode_ == Mode::Tree) {
        tree_ = new QTreeWidget(this);
        tree_->setAccessibleName(tr("Pages"));
        tree_->setHeaderHidden(true);
        tree_->setColumnCount(1);
        tree_->setSelectionMode(QAbstractItemView::SingleSelection);
        tree_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Every page stays in sight: no branch arrows, nothing to fold.
        tree_->setRootIsDecorated(false);
        tree_->setItemsExpandable(false);
        connect(tree_, &QTreeWidget::currentItemChanged, this,
                [this](QTreeWidgetItem* item) { onTreeItemChanged(item); });
        body->addWidget(tree_);
    }
    body->addLayout(pageColumn, 1);

    auto* buttons = new QDialogButtonBox(this);
    if (mode_ == Mode::Tree) {
        ok_ = buttons->addButton(QDialogButtonBox::Ok);
        // Ctrl+PgDown/PgUp walk the pages as they walk the tabs of a tab widget.
        auto* nextPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
        connect(nextPage, &QShortcut::activated, this, [this] { step(1); });
        auto* previousPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
        connect(previousPage, &QShortcut::activated, this, [this] { step(-1); });
    } else {
        // One role for all four keeps them in the wizard's order: Back, Next,
        // Finish, Cancel (the box would put Finish first by its role).
        back_ = buttons->addButton(tr("< &Back"), QDialogButtonBox::ActionRole);
        next_ = buttons->addButton(tr("&Next >"), QDialogButtonBox::ActionRole);
        ok_ = buttons->addButton(tr("&Finish"), QDialogButtonBox::ActionRole);
        connect(back_, &QPushButton::clicked, this, [this] { step(-1); });
        connect(next_, &QPushButton::clicked, this, [this] { step(1); });
        connect(ok_, &QPushButton::clicked, this, &PropertySheet::accept);
        setWizardButtons({});
    }
    if (mode_ == Mode::Tree) {
        cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    } else {
        cancel_ = buttons->addButton(tr("Cancel"), QDialogButtonBox::ActionRole);
        connect(cancel_, &QPushButton::clicked, this, &PropertySheet::reject);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertySheet::reject);
    ok_->setDefault(mode_ == Mode::Tree);
    if (next_) next_->setDefault(true);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(body, 1);
    outer->addWidget(buttons);
}

PropertyPage* PropertySheet::page(int index) const {
    if (index < 0 || index >= pageCount()) return nullptr;
    return pages_[static_cast<size_t>(index)];
}

bool PropertySheet::wasShown(int index) const {
    return index >= 0 && index < pageCount() && shown_[static_cast<size_t>(index)];
}

void PropertySheet::addPage(PropertyPage* page) {
    const int index = pageCount();
    page->sheet_ = this;
    nameControlsAfterTheirLabels(page);
    pages_.push_back(page);
    shown_.push_back(false);
    stack_->addWidget(page);

    QTreeWidgetItem* item = nullptr;
    if (tree_) {
        QTreeWidgetItem* parent = treeParentFor(page->caption());
        // A group made up for a missing parent page becomes that page when it comes.
        for (int i = 0; parent ? i < parent->childCount() : i < tree_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* sibling = parent ? parent->child(i) : tree_->topLevelItem(i);
            if (sibling->text(0) == page->title() && !sibling->data(0, kPageRole).isValid())
                item = sibling;
        }
        if (!item) item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
        item->setText(0, page->title());
        item->setData(0, kPageRole, index);
        tree_->expandAll();
        fitTreeWidth();
    }
    items_.push_back(item);
}

void PropertySheet::fitTreeWidth() {
    int widest = 0;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++depth;
        widest = std::max(widest, tree_->fontMetrics().horizontalAdvance((*it)->text(0)) +
                                      depth * tree_->indentation());
    }
    tree_->setFixedWidth(widest + 2 * tree_->frameWidth() + 16);
}

QTreeWidgetItem* PropertySheet::treeParentFor(const QString& caption) {
    const QStringList names = caption.split(kNest);
    QTreeWidgetItem* parent = nullptr;
    for (int depth = 0; depth + 1 < names.size(); ++depth) {
        QTreeWidgetItem* found = nullptr;
        const int count = parent ? parent->childCount() : tree_->topLevelItemCount();
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem* candidate = parent ? parent->child(i) : tree_->topLevelItem(i);
            if (candidate->text(0) == names[depth]) found = candidate;
        }
        if (!found) {
            found = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
            found->setText(0, names[depth]);
        }
        parent = found;
    }
    return parent;
}

bool PropertySheet::setCurrentPage(int index) {
    if (index < 0 || index >= pageCount()) return false;
    if (index == current_) return true;
    if (PropertyPage* leaving = currentPage(); leaving && !leaving->onLeaving()) {
        selectTreeItemOf(current_);
        return false;
    }
    current_ = index;
    shown_[static_cast<size_t>(index)] = true;
    PropertyPage* shown = pages_[static_cast<size_t>(index)];
    stack_->setCurrentWidget(shown);
    title_->setText(shown->title());
    selectTreeItemOf(index);
    shown->onShown();
    return true;
}

void PropertySheet::selectTreeItemOf(int index) {
    if (!tree_ || index < 0) return;
    QSignalBlocker block(tree_);
    tree_->setCurrentItem(items_[static_cast<size_t>(index)]);
}

void PropertySheet::onTreeItemChanged(QTreeWidgetItem* item) {
    // A group without a page of its own stands for its first page.
    while (item && !item->data(0, kPageRole).isValid() && item->childCount() > 0)
        item = item->child(0);
    if (item && item->data(0, kPageRole).isValid())
        setCurrentPage(item->data(0, kPageRole).toInt());
    else
        selectTreeItemOf(current_);
}

void PropertySheet::step(int delta) {
    const int target = current_ + delta;
    if (target >= 0 && target < pageCount() && setCurrentPage(target))
        focusFirstField(currentPage());
}

void PropertySheet::setOkEnabled(bool enabled) { ok_->setEnabled(enabled); }

bool PropertySheet::okEnabled() const { return ok_->isEnabled(); }

void PropertySheet::setWizardButtons(WizardButtons buttons) {
    if (mode_ != Mode::Wizard) return;
    back_->setEnabled(buttons & Back);
    next_->setEnabled(buttons & Next);
    ok_->setEnabled(buttons & Finish);
    // Enter goes to whichever of Next and Finish may be pressed.
    next_->setDefault(buttons & Next);
    ok_->setDefault(!(buttons & Next) && (buttons & Finish));
}

void PropertySheet::keepPlacement(const QString& key) {
    placementKey_ = key;
    setSizeGripEnabled(true);
    WindowPlacement::restore(this, key);
}

void PropertySheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (current_ < 0 && pageCount() > 0) {
        setCurrentPage(0);
        focusFirstField(currentPage());
    }
}

void PropertySheet::accept() {
    if (closing_) return;
    if (PropertyPage* leaving = currentPage(); leaving && !leaving->onLeaving()) return;
    closing_ = true;
    for (int i = 0; i < pageCount(); ++i)
        if (shown_[static_cast<size_t>(i)]) pages_[static_cast<size_t>(i)]->onConfirmed();
    QDialog::accept();
}

void PropertySheet::done(int result) {
    if (!placementKey_.isEmpty()) WindowPlacement::save(this, placementKey_);
    QDialog::done(result);
}
