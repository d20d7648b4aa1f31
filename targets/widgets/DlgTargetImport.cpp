#include "targets/widgets/DlgTargetImport.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QThreadPool>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>

// Shared with the pool thread, which may outlive the box after a Cancel.
struct DlgTargetImport::ReadRun {
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    bool done = false;
    ImportPlan plan;
};

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QTreeWidgetItem* group(QTreeWidget* tree, const QString& caption, const QString& name, int count) {
    auto* item = new QTreeWidgetItem(tree, {caption.arg(count)});
    item->setData(0, Qt::UserRole, name);
    item->setFirstColumnSpanned(true);
    return item;
}

}  // namespace

DlgTargetImport::DlgTargetImport(const QStringList& paths, std::set<TargetKey> known,
                                 QWidget* parent)
    : QDialog(parent), run_(std::make_shared<ReadRun>()) {
    setWindowTitle(QStringLiteral("Import Targets"));
    auto* layout = new QVBoxLayout(this);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("preview"));
    tree_->setAccessibleName(QStringLiteral("Targets to import"));
    tree_->setHeaderLabels({QStringLiteral("Target or file"), QStringLiteral("Address or reason")});
    tree_->setUniformRowHeights(true);
    tree_->header()->setStretchLastSection(true);
    layout->addWidget(tree_);
    status_ = new QLabel(QStringLiteral("Reading..."), this);
    status_->setObjectName(QStringLiteral("status"));
    layout->addWidget(status_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setObjectName(QStringLiteral("buttons"));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons_);
    resize(760, 480);

    std::vector<std::string> files;
    for (const QString& p : paths) files.push_back(p.toStdString());
    QThreadPool::globalInstance()->start([run = run_, files, known = std::move(known)] {
        ImportPlan plan = planImport(files, known, [&run] { return run->cancelled.load(); });
        std::lock_guard<std::mutex> lock(run->mutex);
        run->plan = std::move(plan);
        run->done = true;
    });
    poll_ = new QTimer(this);
    connect(poll_, &QTimer::timeout, this, &DlgTargetImport::takePlan);
    poll_->start(50);
}

DlgTargetImport::~DlgTargetImport() { run_->cancelled = true; }

void DlgTargetImport::done(int result) {
    run_->cancelled = true;
    poll_->stop();
    QDialog::done(result);
}

void DlgTargetImport::takePlan() {
    {
        std::lock_guard<std::mutex> lock(run_->mutex);
        if (!run_->done) return;
        plan_ = std::move(run_->plan);
    }
    poll_->stop();
    finished_ = true;
    showPlan();
}

void DlgTargetImport::showPlan() {
    // Items are built detached and added per group: one layout pass for thousands.
    QList<QTreeWidgetItem*> rows;
    QTreeWidgetItem* add =
        group(tree_, QStringLiteral("To add (%1)"), QStringLiteral("add"), int(plan_.toAdd.size()));
    for (const Target& t : plan_.toAdd) rows << new QTreeWidgetItem({qs(t.name), qs(t.zurl)});
    add->addChildren(rows);
    rows.clear();
    QTreeWidgetItem* there = group(tree_, QStringLiteral("Already there (%1)"),
                                   QStringLiteral("there"), int(plan_.alreadyThere.size()));
    for (const std::string& name : plan_.alreadyThere) rows << new QTreeWidgetItem({qs(name)});
    there->addChildren(rows);
    rows.clear();
    QTreeWidgetItem* refused = group(tree_, QStringLiteral("Refused (%1)"),
                                     QStringLiteral("refused"), int(plan_.refused.size()));
    for (const ImportRefusal& r : plan_.refused)
        rows << new QTreeWidgetItem({qs(r.path), qs(r.reason)});
    refused->addChildren(rows);
    add->setExpanded(true);
    refused->setExpanded(plan_.refused.size() <= 200);
    tree_->resizeColumnToContents(0);
    status_->setText(QStringLiteral("To add: %1, already there: %2, refused: %3")
                         .arg(plan_.toAdd.size())
                         .arg(plan_.alreadyThere.size())
                         .arg(plan_.refused.size()));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!plan_.toAdd.empty());
}
