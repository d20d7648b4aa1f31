#include "export/widgets/DatabaseExportProgress.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>

#include "engine/ScreenText.h"

namespace {

// Long enough that a quick insert shows no dialog at all.
constexpr int kProgressDelayMs = 500;

QString progressLabel(const DatabaseExportJob& job) {
    if (job.count() <= 1) return QStringLiteral("Exporting to the database…");
    return QStringLiteral("Exporting record %1 of %2")
        .arg(std::min(job.done() + 1, job.count()))
        .arg(job.count());
}

}  // namespace

const DatabaseExportJob::Result& watchDatabaseExport(DatabaseExportJob& job, QWidget* parent) {
    QProgressDialog progress(progressLabel(job), QStringLiteral("Cancel"), 0,
                             job.count() <= 1 ? 0 : static_cast<int>(job.count()), parent);
    progress.setWindowTitle(QStringLiteral("qrn"));
    progress.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QObject::connect(&progress, &QProgressDialog::canceled, [&job] { job.cancel(); });
    progress.setValue(0);  // starts the delay after which it shows

    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (job.finished()) {
            loop.quit();
            return;
        }
        // Again and again: a cancel request reaches only the statement running then.
        if (progress.wasCanceled()) {
            job.cancel();
            return;
        }
        if (job.count() > 1) progress.setValue(static_cast<int>(job.done()));
        progress.setLabelText(progressLabel(job));
    });
    poll.start(20);
    if (!job.finished()) loop.exec();
    return job.wait();
}

void reportDatabaseExportFailure(const std::string& detail, QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"),
                    QStringLiteral("Unable to execute SQL"), QMessageBox::Ok, parent);
    box.setDetailedText(QString::fromStdString(detail));
    box.exec();
}

void reportDatabaseExport(const DatabaseExportJob::Result& result, size_t count, QWidget* parent) {
    if (result.outcome != DatabaseExportJob::Result::Failed) return;
    std::string detail = result.detail;
    if (count > 1 && result.recordFailed)
        detail = "Record " + std::to_string(result.failedIndex + 1) + " of " +
                 std::to_string(count) + ", \"" + screenText(result.failedTitle) +
                 "\": " + result.detail + "\nNothing was written.";
    reportDatabaseExportFailure(detail, parent);
}
