#include "targets/widgets/DlgTargetCheck.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <mutex>

#include "probe/TargetCheck.h"

namespace {

// Each step of a probe waits at most this long unless the target's profile says otherwise.
constexpr int kCheckSeconds = 10;

}  // namespace

// Shared with the pool thread, which may outlive the box after a Cancel.
struct DlgTargetCheck::CheckRun {
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::vector<ProbeReport> reports;
    std::vector<bool> ready;
};

DlgTargetCheck::DlgTargetCheck(std::vector<Target> targets, int connections, QWidget* parent)
    : QDialog(parent), targets_(std::move(targets)), run_(std::make_shared<CheckRun>()) {
    setWindowTitle(QStringLiteral("Check Ticked Targets"));
    auto* layout = new QVBoxLayout(this);
    const std::vector<std::string>& columns = checkReportColumns();
    table_ =
        new QTableWidget(static_cast<int>(targets_.size()), static_cast<int>(columns.size()), this);
    table_->setObjectName(QStringLiteral("report"));
    table_->setAccessibleName(QStringLiteral("Check report"));
    QStringList labels;
    for (const std::string& c : columns) labels << QString::fromStdString(c);
    table_->setHorizontalHeaderLabels(labels);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->setWordWrap(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (size_t i = 0; i < targets_.size(); ++i) {
        table_->setItem(static_cast<int>(i), 0,
                        new QTableWidgetItem(QString::fromStdString(targets_[i].name)));
        table_->setItem(static_cast<int>(i), 1, new QTableWidgetItem(QStringLiteral("checking")));
    }
    layout->addWidget(table_);
    status_ = new QLabel(this);
    layout->addWidget(status_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* save =
        buttons->addButton(QStringLiteral("&Export..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("export"));
    untick_ = buttons->addButton(QStringLiteral("&Untick Dead"), QDialogButtonBox::AcceptRole);
    untick_->setObjectName(QStringLiteral("untickDead"));
    untick_->setEnabled(false);
    connect(save, &QPushButton::clicked, this, &DlgTargetCheck::exportReport);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 420);

    run_->reports.resize(targets_.size());
    run_->ready.assign(targets_.size(), false);
    shown_.assign(targets_.size(), false);
    QThreadPool::globalInstance()->start([run = run_, targets = targets_, connections] {
        probeTargets(
            targets, connections, kCheckSeconds, [&run] { return run->cancelled.load(); },
            [&run](size_t i, const ProbeReport& report) {
                std::lock_guard<std::mutex> lock(run->mutex);
                run->reports[i] = report;
                run->ready[i] = true;
            });
    });
    poll_ = new QTimer(this);
    connect(poll_, &QTimer::timeout, this, &DlgTargetCheck::takeAnswers);
    poll_->start(100);
    takeAnswers();
}

DlgTargetCheck::~DlgTargetCheck() { run_->cancelled = true; }

void DlgTargetCheck::done(int result) {
    run_->cancelled = true;
    poll_->stop();
    if (result == QDialog::Accepted) {
        takeAnswers();
        for (size_t i = 0; i < targets_.size(); ++i) {
            const QTableWidgetItem* reachable = table_->item(static_cast<int>(i), 1);
            if (reachable && reachable->text() == QLatin1String("unreachable"))
                dead_.push_back(targets_[i].id);
        }
    }
    QDialog::done(result);
}

bool DlgTargetCheck::finished() const {
    for (bool shown : shown_)
        if (!shown) return false;
    return true;
}

void DlgTargetCheck::takeAnswers() {
    int answered = 0;
    bool changed = false;
    {
        std::lock_guard<std::mutex> lock(run_->mutex);
        for (size_t i = 0; i < targets_.size(); ++i) {
            if (run_->ready[i] && !shown_[i]) {
                const std::vector<std::string> row =
                    checkReportRow(targets_[i].name, run_->reports[i]);
                for (size_t c = 0; c < row.size(); ++c) {
                    auto* item = new QTableWidgetItem(QString::fromStdString(row[c]));
                    item->setToolTip(item->text());
                    table_->setItem(static_cast<int>(i), static_cast<int>(c), item);
                }
                shown_[i] = true;
                changed = true;
            }
            answered += shown_[i] ? 1 : 0;
        }
    }
    if (changed) {
        table_->resizeColumnsToContents();
        // A long list of indexes would push the Error column, the reason a
        // target is dead, off screen; the whole list is in the tool tip.
        constexpr int kMostWidth = 200;
        for (int c = 0; c + 1 < table_->columnCount(); ++c)
            table_->setColumnWidth(c, std::min(table_->columnWidth(c), kMostWidth));
    }
    status_->setText(QStringLiteral("%1 of %2 targets checked").arg(answered).arg(targets_.size()));
    if (answered == static_cast<int>(targets_.size())) {
        poll_->stop();
        untick_->setEnabled(true);
    }
}

QString DlgTargetCheck::reportText() const {
    QStringList lines;
    for (int row = -1; row < table_->rowCount(); ++row) {
        QStringList fields;
        for (int c = 0; c < table_->columnCount(); ++c) {
            const QTableWidgetItem* item =
                row < 0 ? table_->horizontalHeaderItem(c) : table_->item(row, c);
            fields << (item ? item->text() : QString());
        }
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void DlgTargetCheck::exportReport() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Report"), QStringLiteral("targets.tsv"),
        QStringLiteral("Tab-separated text (*.tsv *.txt);;All files (*)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(reportText().toUtf8());
}
