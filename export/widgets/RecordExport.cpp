#include "export/widgets/RecordExport.h"

#include <QFile>
#include <QMessageBox>
#include <new>

#include "xml/XmlDocument.h"
#include "engine/DocumentCore.h"
#include "engine/Record.h"
#include "export/FileExportText.h"
#include "export/InsertTemplate.h"
#include "export/db/DatabaseExportJob.h"
#include "export/widgets/DatabaseExportProgress.h"
#include "export/widgets/DlgExportToDatabase.h"
#include "export/widgets/FileChooser.h"
#include "export/widgets/SaveExportFile.h"

namespace {

FileRequest saveRequest(FileExportKind kind) {
    FileRequest request;
    request.caption = QStringLiteral("Save As");
    switch (kind) {
        case FileExportKind::Marc:
            request.filter = QStringLiteral("MARC (*.mrc);;All Files (*)");
            request.defaultSuffix = QStringLiteral("mrc");
            break;
        case FileExportKind::Text:
            request.filter = QStringLiteral("Text (*.txt);;All Files (*)");
            request.defaultSuffix = QStringLiteral("txt");
            break;
        case FileExportKind::Xml:
            request.filter = QStringLiteral("XML (*.xml);;All Files (*)");
            request.defaultSuffix = QStringLiteral("xml");
            break;
        case FileExportKind::XslTransformation:
            request.filter = QStringLiteral("XML (*.xml);;All Files (*)");
            break;
    }
    return request;
}

// The record's text copied out of the store; empty when the record is gone.
std::string selectedText(const DocumentCore& doc, FileExportKind kind) {
    Record record;
    if (!doc.store.copyRecord(doc.selection.selectedRecordNumber, record)) return {};
    return fileExportText(record, kind);
}

}  // namespace

void exportRecordToFile(DocumentCore& doc, FileExportKind kind, QWidget* parent) {
    QString stylesheet;
    if (kind == FileExportKind::XslTransformation) {
        FileRequest open;
        open.mode = FileRequest::Mode::Open;
        open.caption = QStringLiteral("Open");
        open.filter = QStringLiteral("XSL (*.xsl);;All Files (*)");
        stylesheet = chooseFile(parent, open);
        if (stylesheet.isEmpty()) return;
    }
    const QString path = chooseFile(parent, saveRequest(kind));
    if (path.isEmpty()) return;

    QString message, cause;
    try {
        std::string text = selectedText(doc, kind);
        // On failure the service has told the user; the untransformed text is written.
        if (kind == FileExportKind::XslTransformation)
            transformXml(text, QFile::encodeName(stylesheet).toStdString(), text);
        if (saveExportFile(path, text, message, cause)) return;
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("There was not enough memory to export the record.");
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"), message, QMessageBox::Ok, parent);
    box.setInformativeText(cause);
    box.exec();
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
        DatabaseExportJob job(doc.settings->InsertDBString, std::move(parsed),
                              recordNumbers.size(),
                              [&store, &recordNumbers](size_t from, size_t count) {
                                  return store.copyRecords(recordNumbers.data() + from, count);
                              });
        reportDatabaseExport(watchDatabaseExport(job, parent), recordNumbers.size(), parent);
    } catch (const std::bad_alloc&) {
        reportDatabaseExportFailure("There was not enough memory.", parent);
    } catch (const std::exception& e) {
        reportDatabaseExportFailure(e.what(), parent);
    }
    return true;
}
