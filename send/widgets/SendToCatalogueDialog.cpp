#include "send/widgets/SendToCatalogueDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "search/TargetConnections.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

SendToCatalogueDialog::SendToCatalogueDialog(const Target& home, const SettingsData& settings,
                                             std::vector<std::string> records, QWidget* parent)
    : QDialog(parent), home_(home), settings_(settings), records_(std::move(records)) {
    setWindowTitle(QStringLiteral("Send to Catalogue"));
    auto* layout = new QVBoxLayout(this);
    question_ = new QLabel(
        QStringLiteral("Send %1 record(s) to %2?\nEach is first looked for there by its "
                       "identifiers; one found is not sent without asking.")
            .arg(records_.size())
            .arg(qs(home_.name)),
        this);
    question_->setWordWrap(true);
    layout->addWidget(question_);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, int(records_.size()));
    progress_->setValue(0);
    progress_->hide();
    layout->addWidget(progress_);
    report_ = new QPlainTextEdit(this);
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setTabStopDistance(report_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 6);
    report_->hide();
    layout->addWidget(report_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Send"));
    layout->addWidget(buttons_);
    resize(640, 360);
    connect(buttons_, &QDialogButtonBox::accepted, this, &SendToCatalogueDialog::start);
    connect(buttons_, &QDialogButtonBox::rejected, this, &SendToCatalogueDialog::cancel);
    connect(this, &SendToCatalogueDialog::recordDone, this, &SendToCatalogueDialog::showDone,
            Qt::QueuedConnection);
    connect(this, &SendToCatalogueDialog::matchFound, this,
            &SendToCatalogueDialog::askAboutMatch, Qt::QueuedConnection);
    connect(this, &SendToCatalogueDialog::sendingEnded, this, &SendToCatalogueDialog::showFinished,
            Qt::QueuedConnection);
}

SendToCatalogueDialog::~SendToCatalogueDialog() {
    stop_ = true;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        hasChoice_ = true;
        choice_ = MatchChoice::Skip;
    }
    answered_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void SendToCatalogueDialog::start() {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    question_->setText(QStringLiteral("Sending to %1 ...").arg(qs(home_.name)));
    progress_->show();
    report_->show();
    worker_ = std::thread([this] {
        const auto stop = [this] { return stop_.load(); };
        auto connection = connectionFor(home_, settings_, stop);
        CatalogueSender sender(*connection, home_.profile, MarcTagPatterns(settings_.ExportDropTags));
        if (!sender.connect()) {
            emit sendingEnded(stop() ? QString() : qs(sender.failureText()));
            return;
        }
        sendRecords(
            sender, records_,
            [this](size_t index, const CatalogueMatch& match) {
                emit matchFound(int(index), qs(match.title), qs(match.id));
                return waitForChoice();
            },
            [this](size_t index, const SendReport& report) {
                emit recordDone(int(index), QStringLiteral("%1\t%2\t%3")
                                                .arg(index + 1)
                                                .arg(qs(report.title))
                                                .arg(qs(sendResultText(report))));
            },
            stop);
        emit sendingEnded(sender.broken() ? qs(sender.failureText()) : QString());
    });
}

MatchChoice SendToCatalogueDialog::waitForChoice() {
    std::unique_lock<std::mutex> lock(mutex_);
    answered_.wait(lock, [this] { return hasChoice_; });
    hasChoice_ = false;
    return stop_ ? MatchChoice::Skip : choice_;
}

void SendToCatalogueDialog::askAboutMatch(int index, const QString& title, const QString& id) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Already in the Catalogue"),
                    QStringLiteral("Record %1 is in %2 already:\n%3 (%4)")
                        .arg(index + 1)
                        .arg(qs(home_.name), title, id),
                    QMessageBox::NoButton, this);
    QPushButton* skip = box.addButton(QStringLiteral("S&kip"), QMessageBox::RejectRole);
    QPushButton* overlay = box.addButton(QStringLiteral("&Overlay"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("&Add Anyway"), QMessageBox::ActionRole);
    box.setDefaultButton(skip);
    box.exec();
    MatchChoice choice = MatchChoice::AddAnyway;
    if (box.clickedButton() == skip || !box.clickedButton()) choice = MatchChoice::Skip;
    if (box.clickedButton() == overlay) choice = MatchChoice::Overlay;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        choice_ = choice;
        hasChoice_ = true;
    }
    answered_.notify_all();
}

void SendToCatalogueDialog::showDone(int index, const QString& line) {
    lines_ << line;
    report_->appendPlainText(line);
    progress_->setValue(index + 1);
}

void SendToCatalogueDialog::showFinished(const QString& failure) {
    if (worker_.joinable()) worker_.join();
    if (!failure.isEmpty()) report_->appendPlainText(qs(home_.name + ": ") + failure);
    question_->setText(stop_ ? QStringLiteral("Stopped: records not reached were not sent.")
                             : QStringLiteral("Done."));
    // Close has the reject role: cancel() then closes the dialog.
    buttons_->setStandardButtons(QDialogButtonBox::Close);
}

void SendToCatalogueDialog::cancel() {
    if (!worker_.joinable()) {
        reject();
        return;
    }
    // The worker ends after the record it is sending.
    stop_ = true;
    buttons_->button(QDialogButtonBox::Cancel)->setEnabled(false);
}
