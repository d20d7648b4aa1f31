#include "query/widgets/BatchReportWindow.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "base/SafeFileWrite.h"

namespace {

// The row's index in rows_, which sorting the table does not change.
constexpr int kRowRole = Qt::UserRole;

enum Column {
    NumberColumn,
    StateColumn,
    RecordsColumn,
    TargetsColumn,
    TitleColumn,
    SuggestedColumn,
    ColumnCount
};

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

QString batchReportSummary(const std::vector<BatchReportRow>& rows) {
    int counts[4] = {0, 0, 0, 0};
    for (const BatchReportRow& row : rows) ++counts[static_cast<int>(row.state)];
    const auto count = [&counts](BatchNumberState state) {
        return counts[static_cast<int>(state)];
    };
    const int searched = static_cast<int>(rows.size()) - count(BatchNumberState::Refused);
    const int errors = count(BatchNumberState::Error);
    QString text = (searched == 1 ? BatchReportWindow::tr("%1 number: %2 found, %3 not found, %4")
                                  : BatchReportWindow::tr("%1 numbers: %2 found, %3 not found, %4"))
                       .arg(searched)
                       .arg(count(BatchNumberState::Found))
                       .arg(count(BatchNumberState::NotFound))
                       .arg(errors == 1 ? BatchReportWindow::tr("1 error")
                                        : BatchReportWindow::tr("%1 errors").arg(errors));
    const int refused = count(BatchNumberState::Refused);
    if (refused == 1) text += BatchReportWindow::tr("; 1 line refused");
    if (refused > 1) text += BatchReportWindow::tr("; %1 lines refused").arg(refused);
    return text;
}

BatchReportWindow::BatchReportWindow(QWidget* parent)
    : QDialog(parent), summary_(new QLabel(this)), table_(new QTableWidget(this)) {
    setWindowTitle(tr("Batch Report"));
    setModal(false);
    table_->setColumnCount(ColumnCount);
    table_->setHorizontalHeaderLabels({tr("Number"), tr("State"), tr("Records"), tr("Targets"),
                                       tr("Title"), tr("Suggested best record")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAccessibleName(tr("Batch Report"));
    summary_->setTextFormat(Qt::PlainText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportReport =
        buttons->addButton(tr("&Export Report..."), QDialogButtonBox::ActionRole);
    exportReport->setObjectName(QStringLiteral("exportReport"));
    exportNumbers_ =
        buttons->addButton(tr("Export &Unfound Numbers..."), QDialogButtonBox::ActionRole);
    exportNumbers_->setObjectName(QStringLiteral("exportUnfound"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(exportReport, &QPushButton::clicked, this, &BatchReportWindow::chooseReportFile);
    connect(exportNumbers_, &QPushButton::clicked, this, &BatchReportWindow::chooseNumbersFile);
    connect(table_, &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) {
        const int index = table_->item(item->row(), NumberColumn)->data(kRowRole).toInt();
        const std::vector<int32_t>& records = rows_[static_cast<size_t>(index)].records;
        if (!records.empty()) emit recordsChosen(records);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(640, 400);
}

void BatchReportWindow::setReport(std::vector<BatchReportRow> rows) {
    rows_ = std::move(rows);
    summary_->setText(batchReportSummary(rows_));
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(rows_.size()));
    for (size_t i = 0; i < rows_.size(); ++i) {
        const BatchReportRow& row = rows_[i];
        const int r = static_cast<int>(i);
        QStringList targets;
        for (const std::string& t : row.targets) targets << QString::fromStdString(t);
        QTableWidgetItem* number = cell(QString::fromStdString(row.number));
        number->setData(kRowRole, r);
        table_->setItem(r, NumberColumn, number);
        table_->setItem(r, StateColumn, cell(QString::fromStdString(batchStateLabel(row))));
        auto* count = cell(QString());
        count->setData(Qt::DisplayRole, static_cast<int>(row.records.size()));
        table_->setItem(r, RecordsColumn, count);
        table_->setItem(r, TargetsColumn, cell(targets.join(QStringLiteral("; "))));
        table_->setItem(r, TitleColumn, cell(QString::fromStdString(row.title)));
        table_->setItem(r, SuggestedColumn, cell(QString::fromStdString(row.suggested)));
    }
    table_->setSortingEnabled(true);
    table_->resizeColumnsToContents();
    // Wide enough for every header, within what the screen allows.
    const QMargins margins = layout()->contentsMargins();
    int wanted = margins.left() + margins.right() + table_->frameWidth() * 2 +
                 table_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < ColumnCount; ++c) wanted += table_->horizontalHeader()->sectionSize(c);
    const int room = screen() ? screen()->availableGeometry().width() : wanted;
    resize(std::max(width(), std::min(wanted, room)), height());
    exportNumbers_->setEnabled(!unfoundNumbersFile(rows_).empty());
}

bool BatchReportWindow::writeFile(const QString& path, const std::string& bytes) {
    const int error =
        writeFileSafely(QFile::encodeName(path).toStdString(), bytes, FileWriteRules{true, false});
    if (error == 0) return true;
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("qrn"),
        tr("Cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error))),
        QMessageBox::Ok, this);
    box.exec();
    return false;
}

bool BatchReportWindow::exportReport(const QString& path) {
    return writeFile(path, batchReportLines(rows_, true));
}

bool BatchReportWindow::exportUnfoundNumbers(const QString& path) {
    return writeFile(path, unfoundNumbersFile(rows_));
}

void BatchReportWindow::chooseReportFile() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Export Report"), QString(),
                                     tr("Tab-separated text (*.tsv *.txt);;All Files (*)"));
    if (!path.isEmpty()) exportReport(path);
}

void BatchReportWindow::chooseNumbersFile() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Unfound Numbers"), QString(),
                                                      tr("Text files (*.txt);;All Files (*)"));
    if (!path.isEmpty()) exportUnfoundNumbers(path);
}
