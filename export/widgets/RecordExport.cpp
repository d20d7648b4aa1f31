#include "export/widgets/RecordExport.h"

#include <QFile>
#include <QMessageBox>
#include <new>

#include "document/DocumentCore.h"
#include "records/Record.h"
#include "export/FileExportText.h"
#include "export/InsertTemplate.h"
#include "export/db/DatabaseExportJob.h"
#include "export/widgets/DatabaseExportProgress.h"
#include "export/widgets/DlgExportToDatabase.h"
#include "export/widgets/ExportFileDialogs.h"
#include "export/widgets/SaveExportFile.h"
#include "xml/XmlDocument.h"

namespace {

// The record's text copied out of the store; empty when the record is gone.
std::string recordText(const DocumentCore& doc, int32_t recordNumber, FileExportKind kind) {
    Record record;
    if (!doc.store.copyRecord(recordNumber, record)) return {};
    return fileExportBytes(record, kind, marcExportOptions(*doc.settings));
}

}  // namespace

void exportRecordToFile(DocumentCore& doc, FileExportKind kind, QWidget* parent) {
    exportRecordToFile(doc, doc.selection.selectedRecordNumber, kind, parent);
}

void exportRecordToFile(DocumentCore& doc, int32_t recordNumber, FileExportKind kind,
                        QWidget* parent) {
    QString stylesheet, path;
    if (!askExportFiles(parent, kind, stylesheet, path)) return;

    QString message, cause;
    try {
        std::string text = recordText(doc, recordNumber, kind);
        // On failure the service has told the user; the untransformed text is written.
        if (kind == FileExportKind::XslTransformation)
            transformXml(text, QFile::encodeName(stylesheet).toStdString(), text);
        if (saveExportFile(path, text, message, cause)) return;
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("There was not enough memory to export the record.");
        cause.clear();
    }
    showSaveFailure(parent, message, cause);
}

bool exportRecordToDatabase(DocumentCore& doc, const std::vector<int32_t>& recordNumbers,
                            QWidget* parent) {
    DlgExportToDatabase dialog(doc.settings->InsertDBString, doc.settings->InsertSQL, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    doc.settings->InsertDBString = dialog.connectionString();
    doc.settings->InsertSQL = dialog.sqlTemplate();

    try {
        ParsedTemplate parsed;
        std::string error;
        if (!parseInsertTemplate(doc.settings->InsertSQL, parsed, error)) {
            reportDatabaseExportFailure(error, parent);
            return true;
        }
        const ResultStore& store = doc.store;
        const MarcExportOptions options = marcExportOptions(*doc.settings);
        DatabaseExportJob job(doc.settings->InsertDBString, std::move(parsed),
                              recordNumbers.size(),
                              [&store, &recordNumbers, &options](size_t from, size_t count) {
                                  std::vector<Record> records =
                                      store.copyCompleteRecords(recordNumbers.data() + from, count);
                                  for (Record& r : records) applyMarcExportOptions(r, options);
                                  return records;
                              });
        reportDatabaseExport(watchDatabaseExport(job, parent), recordNumbers.size(), parent);
    } catch (const std::bad_alloc&) {
        reportDatabaseExportFailure("There was not enough memory.", parent);
    } catch (const std::exception& e) {
        reportDatabaseExportFailure(e.what(), parent);
    }
    return true;
}
