#include "export/widgets/RecordsExport.h"

#include <QFile>
#include <QMessageBox>
#include <exception>

#include "document/DocumentCore.h"
#include "export/AssembleRecords.h"
#include "export/FileExportText.h"
#include "export/ManyRecordFile.h"
#include "export/widgets/ExportFileDialogs.h"
#include "export/widgets/ExportRunner.h"
#include "export/widgets/SaveExportFile.h"

void exportRecordsToFile(DocumentCore& doc, const std::vector<int32_t>& recordNumbers,
                         FileExportKind kind, QWidget* parent) {
    QString stylesheet, path;
    MarcExportOptions options = marcExportOptions(*doc.settings);
    if (!askExportFiles(parent, kind, stylesheet, path, options.asUtf8)) return;

    const ResultStore& store = doc.store;
    const std::string stylesheetPath = QFile::encodeName(stylesheet).toStdString();
    ExportProgress progress;
    AssembledFile file;
    bool saveFailed = false;
    QString message, cause;
    runExport(parent, recordNumbers.size(), progress, [&] {
        try {
            file = assembleRecords(store, recordNumbers, kind, stylesheetPath, progress, options);
            // Nothing to write leaves any old file as it is.
            if (file.cancelled || progress.cancel || file.written == 0) return;
            saveFailed = !saveExportFile(path, file.bytes, message, cause);
        } catch (const std::exception& failure) {
            // Most likely memory for a file of this size; the old file is untouched.
            file = AssembledFile();
            saveFailed = true;
            message = QString::fromStdString(fileErrorText(0, path.toStdString()));
            cause = QString::fromLocal8Bit(failure.what());
        }
    });
    if (file.cancelled || progress.cancel) return;
    if (saveFailed) {
        showSaveFailure(parent, message, cause);
    } else if (file.skipped > 0) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("qrn"),
                        QString::fromStdString(recordsWrittenText(kind, file.written, file.skipped,
                                                                  file.tooLongForMarc)),
                        QMessageBox::Ok, parent);
        box.exec();
    }
}
