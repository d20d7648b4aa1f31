#include "views/MCompareWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "display/MarksLegend.h"
#include "display/RecordComparison.h"
#include "copies/QualityMarks.h"
#include "records/ResultStore.h"
#include "marc/ScreenText.h"

namespace {

QTableWidgetItem* cell(const std::string& text, bool marked) {
    auto* item = new QTableWidgetItem(QString::fromStdString(screenText(text)));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (marked) item->setBackground(QColor(255, 226, 160));
    return item;
}

}  // namespace

MCompareWindow::MCompareWindow(const ResultStore& store, const std::vector<int32_t>& numbers,
                               std::function<void(int32_t)> exportRecord, QWidget* parent,
                               const std::vector<int32_t>& listed,
                               std::function<void(int32_t)> sendRecord)
    : QDialog(parent), table_(new QTableWidget(this)), choice_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Compare Records"));
    setAttribute(Qt::WA_DeleteOnClose);
    const std::vector<Record> records = store.copyRecords(numbers.data(), numbers.size());
    const std::vector<ComparedRow> rows = compareRecords(records);
    const auto control = std::find_if(rows.begin(), rows.end(), [](const ComparedRow& row) {
        return row.tag == "001" && row.occurrence == 1;
    });
    QStringList headers{QStringLiteral("Field"), QStringLiteral("Difference")};
    for (size_t i = 0; i < records.size(); ++i) {
        // Copies often come from one target; the row and 001 tell them apart.
        const auto at = std::find(listed.begin(), listed.end(), records[i].number);
        const size_t row = at == listed.end() ? 0 : static_cast<size_t>(at - listed.begin()) + 1;
        const std::string number = control == rows.end() ? std::string() : control->fields[i].text;
        const QString name = QString::fromStdString(
            screenText(comparedRecordName(i, records[i].targetName, row, number)));
        headers << name;
        choice_->addItem(name, records[i].number);
    }

    table_->setColumnCount(headers.size());
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(static_cast<int>(rows.size()) + 1);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(true);
    table_->setAccessibleName(QStringLiteral("Compared records"));
    table_->setItem(0, 0, cell("Marks", false));
    table_->setItem(0, 1, cell("", false));
    for (size_t i = 0; i < records.size(); ++i) {
        const QualityMarks marks =
            qualityMarks(records[i].kind == Marc ? records[i].rawData : std::string());
        QTableWidgetItem* item = cell(qualityMarksText(marks), false);
        const QString words = QString::fromStdString(qualityMarksWords(marks));
        item->setToolTip(words);
        item->setData(Qt::AccessibleTextRole, words);
        table_->setItem(0, static_cast<int>(i) + 2, item);
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        const ComparedRow& row = rows[r];
        const int at = static_cast<int>(r) + 1;
        std::string field = row.tag;
        if (row.occurrence > 1) field += " (" + std::to_string(row.occurrence) + ")";
        table_->setItem(at, 0, cell(field, row.differs()));
        table_->setItem(at, 1, cell(differenceText(row), row.differs()));
        for (size_t i = 0; i < row.fields.size(); ++i) {
            const ComparedField& f = row.fields[i];
            std::string text;
            if (f.present) text = f.indicators.empty() ? f.text : f.indicators + " " + f.text;
            table_->setItem(at, static_cast<int>(i) + 2, cell(text, row.differs()));
        }
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->resizeColumnsToContents();
    for (int c = 2; c < table_->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), 420));
    // The field names as row headers stay in place when the records scroll
    // sideways; the Field column keeps them for reading and copying.
    QStringList fields;
    for (int r = 0; r < table_->rowCount(); ++r) fields << table_->item(r, 0)->text();
    table_->setVerticalHeaderLabels(fields);
    table_->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    table_->setColumnHidden(0, true);
    table_->resizeRowsToContents();

    auto* label = new QLabel(QStringLiteral("&Record to export:"), this);
    label->setBuddy(choice_);
    choice_->setAccessibleName(QStringLiteral("Record to export"));
    auto* exportButton = new QPushButton(QStringLiteral("&Export..."), this);
    exportButton->setAccessibleName(QStringLiteral("Export the chosen record"));
    connect(exportButton, &QPushButton::clicked, this, [this, exportRecord] {
        if (exportRecord) exportRecord(choice_->currentData().toInt());
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label);
    bottom->addWidget(choice_);
    bottom->addWidget(exportButton);
    if (sendRecord) {
        auto* sendButton = new QPushButton(QStringLiteral("Send to Ca&talogue\u2026"), this);
        connect(sendButton, &QPushButton::clicked, this,
                [this, sendRecord] { sendRecord(choice_->currentData().toInt()); });
        bottom->addWidget(sendButton);
    }
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(bottom);
    // Four records side by side would be wider than a laptop's screen.
    const QRect room = screen()->availableGeometry();
    resize(std::min(300 + 330 * static_cast<int>(records.size()), room.width() * 9 / 10),
           std::min(600, room.height() * 9 / 10));
    table_->setFocus();
}
