#include "export/widgets/DatabaseExportProgress.h"

#include <QMessageBox>

#include "marc/ScreenText.h"
#include "export/widgets/ExportRunner.h"

namespace {

std::string cancelledTooLateText(size_t count) {
    if (count == 1) return "The export could not be cancelled any more: the record was written.";
    return "The export could not be cancelled any more: all " + std::to_string(count) +
           " records were written.";
}

}  // namespace

const DatabaseExportJob::Result& watchDatabaseExport(DatabaseExportJob& job, QWidget* parent) {
    ExportWatch watch;
    watch.finished = [&job] { return job.finished(); };
    watch.label = [&job] {
        if (job.count() <= 1) return QStringLiteral("Exporting to the database…");
        return exportingRecordText(job.done(), job.count());
    };
    watch.done = [&job] { return job.done(); };
    watch.total = job.count();
    watch.cancel = [&job] { job.cancel(); };
    watchExport(parent, watch);
    return job.wait();
}

void reportDatabaseExportFailure(const std::string& detail, QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"),
                    QStringLiteral("Unable to execute SQL"), QMessageBox::Ok, parent);
    box.setDetailedText(QString::fromStdString(detail));
    box.exec();
}

void reportDatabaseExport(const DatabaseExportJob::Result& result, size_t count, QWidget* parent) {
    if (result.cancelledTooLate) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("qrn"),
                        QString::fromStdString(cancelledTooLateText(count)), QMessageBox::Ok,
                        parent);
        box.exec();
        return;
    }
    if (result.outcome != DatabaseExportJob::Result::Failed) return;
    std::string detail = result.detail;
    if (count > 1 && result.recordFailed)
        detail = "Record " + std::to_string(result.failedIndex + 1) + " of " +
                 std::to_string(count) + ", \"" + screenText(result.failedTitle) +
                 "\": " + result.detail + "\nNothing was written.";
    reportDatabaseExportFailure(detail, parent);
}
