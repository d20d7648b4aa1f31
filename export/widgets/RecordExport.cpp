#include "export/widgets/RecordExport.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <new>

#include "document/DocumentCore.h"
#include "records/Record.h"
#include "export/AddToFile.h"
#include "export/FileExportText.h"
#include "export/InsertTemplate.h"
#include "export/OneRecordFile.h"
#include "export/db/DatabaseExportJob.h"
#include "export/widgets/DatabaseExportProgress.h"
#include "export/widgets/DlgExportToDatabase.h"
#include "export/widgets/ExportFileDialogs.h"
#include "export/widgets/SaveExportFile.h"
#include "ui/ViewPreferences.h"
#include "xml/XmlDocument.h"

namespace {

// Replacement characters stand for text that was lost on the way in; the user
// should know which fields before they go into a catalogue file.
bool confirmReplacements(const Record& record, QWidget* parent) {
    const std::vector<std::string> tags = fieldsWithReplacements(record);
    if (tags.empty()) return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"),
                    QString::fromStdString(replacementWarning(tags)),
                    QMessageBox::Save | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("replacementWarning"));
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Save;
}

}  // namespace

void exportRecordToFile(DocumentCore& doc, FileExportKind kind, QWidget* parent) {
    exportRecordToFile(doc, doc.selection.selectedRecordNumber, kind, parent);
}

void exportRecordToFile(DocumentCore& doc, int32_t recordNumber, FileExportKind kind,
                        QWidget* parent) {
    // A record gone from the store gives an empty file, as a record without the form does.
    Record record;
    const bool found = doc.store.copyRecord(recordNumber, record);
    if (found && !confirmReplacements(record, parent)) return;
    QString stylesheet, path;
    MarcExportOptions options = marcExportOptions(*doc.settings);
    if (!askExportFiles(parent, kind, stylesheet, path, options.asUtf8,
                        QString::fromStdString(suggestedFileName(record))))
        return;

    QString message, cause;
    try {
        std::string text = found ? fileExportBytes(record, kind, options) : std::string();
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

QString addRecordToFile(DocumentCore& doc, bool chooseAnother, QWidget* parent) {
    static const QString kFilePreference = QStringLiteral("AddToFile");
    static QString remembered = ViewPreferences::text(kFilePreference, {});
    Record record;
    if (!doc.store.copyRecord(doc.selection.selectedRecordNumber, record) ||
        !confirmReplacements(record, parent))
        return {};
    QString path = chooseAnother ? QString() : remembered;
    if (path.isEmpty() && (path = askFileToAddTo(parent)).isEmpty()) return {};

    QString message, cause;
    QFile old(path);
    if (old.exists() && !old.open(QIODevice::ReadOnly)) {
        showSaveFailure(parent, QStringLiteral("%1 could not be read.").arg(path),
                        old.errorString());
        return {};
    }
    const QByteArray existing = old.isOpen() ? old.readAll() : QByteArray();
    const AddedFile added = ::addRecordToFile(existing.toStdString(), record,
                                              addToFileKind(QFile::encodeName(path).toStdString()),
                                              marcExportOptions(*doc.settings));
    if (!added.error.empty()) {
        showSaveFailure(parent, QString::fromStdString(added.error), path);
        return {};
    }
    if (!saveExportFile(path, added.bytes, message, cause)) {
        showSaveFailure(parent, message, cause);
        return {};
    }
    remembered = path;
    ViewPreferences::setText(kFilePreference, path);
    return QString::fromStdString(
        addedText(1, QFileInfo(path).fileName().toStdString(), added.records));
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
        DatabaseExportJob job(doc.settings->InsertDBString, std::move(parsed), recordNumbers.size(),
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
