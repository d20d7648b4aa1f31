#include "browse/MBrowseWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>

#include "browse/BrowseTermsModel.h"
#include "document/DocumentCore.h"
#include "protocol/UseAttributes.h"
#include "query/QueryComposer.h"
#include "search/ScanJob.h"
#include "search/WorkerPool.h"

// Where the pool's workers hand answers: cleared when the window goes, so a
// late answer finds nobody instead of a deleted window.
struct BrowseInbox {
    std::mutex lock;
    MBrowseWindow* window = nullptr;
    std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
};

namespace {

std::vector<std::string> namesOf(const std::vector<Target>& targets) {
    std::vector<std::string> names;
    for (const Target& t : targets) names.push_back(t.name);
    return names;
}

}  // namespace

MBrowseWindow::MBrowseWindow(std::vector<Target> targets, const SettingsData& settings,
                             WorkerPool& pool, QWidget* parent)
    : QDialog(parent),
      targets_(std::move(targets)),
      settings_(settings),
      pool_(pool),
      inbox_(std::make_shared<BrowseInbox>()),
      index_(new QComboBox),
      start_(new QLineEdit),
      view_(new QTableView),
      status_(new QLabel),
      model_(new BrowseTermsModel(namesOf(targets_), this)) {
    inbox_->window = this;
    setWindowTitle(QStringLiteral("Browse Index"));
    for (int use : commonUseAttributes())
        index_->addItem(QString::fromStdString(useAttributeName(use)), use);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Index:"), index_);
    form->addRow(QStringLiteral("&Start term:"), start_);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    view_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(view_, 1);
    layout->addWidget(status_);
    connect(start_, &QLineEdit::returnPressed, this,
            [this] { scanFrom(start_->text().toStdString(), 1); });
    connect(view_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { searchRow(index.row()); });
    resize(640, 480);
}

MBrowseWindow::~MBrowseWindow() {
    std::lock_guard<std::mutex> hold(inbox_->lock);
    inbox_->window = nullptr;
    inbox_->stop->store(true);
}

MBrowseWindow* MBrowseWindow::openFor(const DocumentCore& core, QWidget* parent) {
    std::vector<Target> ticked;
    for (const Target& t : core.targetList.targets)
        if (t.active) ticked.push_back(t);
    auto* window = new MBrowseWindow(std::move(ticked), *core.settings, *core.pool, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

QString MBrowseWindow::termQuery(const std::string& term) const {
    return QStringLiteral("@attr 1=%1 ").arg(index_->currentData().toInt()) +
           QString::fromStdString(quotePqfTerm(term));
}

void MBrowseWindow::scanFrom(const std::string& term, int32_t position) {
    if (targets_.empty()) {
        status_->setText(QStringLiteral("No target is ticked"));
        return;
    }
    // A scan still running for an earlier list is of no more use.
    {
        std::lock_guard<std::mutex> hold(inbox_->lock);
        inbox_->stop->store(true);
        inbox_->stop = std::make_shared<std::atomic<bool>>(false);
    }
    const int generation = ++generation_;
    answers_.assign(targets_.size(), ScanAnswer());
    pending_ = targets_.size();
    status_->setText(QStringLiteral("Scanning..."));
    const std::string pqf = termQuery(term).toStdString();
    for (size_t i = 0; i < targets_.size(); ++i) {
        const std::shared_ptr<BrowseInbox> inbox = inbox_;
        pool_.addJob(new ScanJob(targets_[i], settings_, pqf, kTerms, position, inbox_->stop,
                                 [inbox, generation, i](ScanAnswer&& answer) {
                                     std::lock_guard<std::mutex> hold(inbox->lock);
                                     MBrowseWindow* window = inbox->window;
                                     if (!window) return;
                                     QMetaObject::invokeMethod(
                                         window,
                                         [window, generation, i, a = std::move(answer)]() mutable {
                                             window->take(generation, i, std::move(a));
                                         },
                                         Qt::QueuedConnection);
                                 }));
    }
}

void MBrowseWindow::take(int generation, size_t target, ScanAnswer answer) {
    if (generation != generation_ || target >= answers_.size() || pending_ == 0) return;
    answers_[target] = std::move(answer);
    if (--pending_ > 0) return;
    model_->setAnswers(answers_);
    status_->clear();
    if (model_->rowCount() > 0) {
        const int row = selectLast_ ? model_->rowCount() - 1 : 0;
        view_->setCurrentIndex(model_->index(row, 0));
    }
    selectLast_ = false;
    emit scanned();
}

void MBrowseWindow::searchRow(int row) {
    if (const ScanRow* r = model_->row(row)) emit searchRequested(termQuery(r->display));
}

bool MBrowseWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int current = view_->currentIndex().row();
    const int rows = model_->rowCount();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        searchRow(current);
        return true;
    }
    if (rows == 0 || pending_ > 0) return false;
    // Past the end of the list, or a page: the terms from the last one on,
    // or up to the first one.
    const bool next = key == Qt::Key_PageDown || (key == Qt::Key_Down && current == rows - 1);
    const bool previous = key == Qt::Key_PageUp || (key == Qt::Key_Up && current == 0);
    if (next) {
        scanFrom(model_->row(rows - 1)->raw, 1);
        return true;
    }
    if (previous) {
        selectLast_ = true;
        scanFrom(model_->row(0)->raw, kTerms);
        return true;
    }
    return false;
}
