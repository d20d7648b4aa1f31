#include "query/widgets/PPISBNBatchSearch.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <fstream>

#include "document/DocumentCore.h"
#include "query/BatchFileReader.h"
#include "ui_PPISBNBatchSearch.h"

namespace {

void showNumber(QListWidget* list, const std::string& number) {
    list->addItem(QString::fromStdString(number));
}

// Greyed and not selectable: it is no number to remove or search.
void showRefusal(QListWidget* list, const BatchRefusal& refused) {
    auto* item = new QListWidgetItem(
        PPISBNBatchSearch::tr("%1 \u2014 %2")
            .arg(QString::fromStdString(refused.given), QString::fromStdString(refused.reason)),
        list);
    item->setFlags(Qt::NoItemFlags);
    item->setToolTip(item->text());  // a long reason is cut at the list's edge
}

void tellUser(QWidget* parent, const QString& text, const QString& detail = QString()) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"), text, QMessageBox::Ok, parent);
    box.setDetailedText(detail);
    box.exec();
}

}  // namespace

PPISBNBatchSearch::PPISBNBatchSearch(DocumentCore& doc, QWidget* parent)
    : SearchPage(QStringLiteral("Search::ISBN/ISSN Batch"), doc, parent),
      ui_(std::make_unique<Ui::PPISBNBatchSearch>()) {
    ui_->setupUi(this);
    ui_->number->installEventFilter(this);
    connect(ui_->add, &QPushButton::clicked, this, &PPISBNBatchSearch::addTyped);
    connect(ui_->remove, &QPushButton::clicked, this, &PPISBNBatchSearch::removeSelected);
    connect(ui_->loadFromFile, &QPushButton::clicked, this, &PPISBNBatchSearch::chooseFile);
}

PPISBNBatchSearch::~PPISBNBatchSearch() = default;

void PPISBNBatchSearch::onConfirmed() {
    if (numbers_.numbers().empty()) return;
    useBatchNumbers(numbers_, doc_.query);
}

void PPISBNBatchSearch::addBatchNumber(const QString& text) {
    std::string message;
    const auto added = numbers_.addBatchNumber(text.toStdString(), message);
    if (added == BatchNumberList::AddResult::Added)
        showNumber(ui_->numberList, numbers_.numbers().back());
    // A refused number stays in the field to be corrected.
    if (added == BatchNumberList::AddResult::Added ||
        added == BatchNumberList::AddResult::Duplicate)
        ui_->number->clear();
    if (!message.empty()) tellUser(this, QString::fromStdString(message));
}

void PPISBNBatchSearch::loadFile(const QString& path) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) return;
    ui_->number->clear();
    const std::vector<RefusedLine> refused = addBatchNumbersFrom(in, numbers_);
    showList();
    // One box for the whole file: a file of hundreds of bad lines must not
    // mean hundreds of boxes.
    if (!refused.empty())
        tellUser(this, QString::fromStdString(refusedLinesSummary(refused)),
                 QString::fromStdString(refusedLinesDetail(refused)));
}

void PPISBNBatchSearch::showList() {
    // In file order, each refused line in its place.
    ui_->numberList->clear();
    visitInFileOrder(
        numbers_.numbers().size(), numbers_.refusals(),
        [this](size_t i) { showNumber(ui_->numberList, numbers_.numbers()[i]); },
        [this](const BatchRefusal& r) { showRefusal(ui_->numberList, r); });
}

void PPISBNBatchSearch::addTyped() {
    ui_->number->setFocus();
    if (!ui_->number->text().isEmpty()) addBatchNumber(ui_->number->text());
}

void PPISBNBatchSearch::removeSelected() {
    QListWidgetItem* item = ui_->numberList->currentItem();
    if (!item || !item->isSelected()) return;
    numbers_.remove(item->text().toStdString());
    delete item;
}

void PPISBNBatchSearch::chooseFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Load From File"), QString(), tr("All Files (*)"));
    if (!path.isEmpty()) loadFile(path);
}

bool PPISBNBatchSearch::eventFilter(QObject* watched, QEvent* event) {
    // Enter adds a typed number instead of confirming the sheet; with the field
    // empty it confirms as usual.
    if (watched == ui_->number && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !ui_->number->text().isEmpty()) {
            addTyped();
            return true;
        }
    }
    return SearchPage::eventFilter(watched, event);
}
