#include "export/widgets/RecordExport.h"

#include <QFile>
#include <QMessageBox>

#include "xml/XmlDocument.h"
#include "engine/DocumentCore.h"
#include "engine/Record.h"
#include "export/FileExportText.h"
#include "export/InsertTemplate.h"
#include "export/db/DatabaseExport.h"
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

    std::string text = selectedText(doc, kind);
    // On failure the service has told the user; the untransformed text is written.
    if (kind == FileExportKind::XslTransformation)
        transformXml(text, QFile::encodeName(stylesheet).toStdString(), text);

    QString message, cause;
    if (!saveExportFile(path, text, message, cause)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"), message, QMessageBox::Ok,
                        parent);
        box.setInformativeText(cause);
        box.exec();
    }
}

bool exportRecordToDatabase(DocumentCore& doc, QWidget* parent) {
    DlgExportToDatabase dialog(doc.settings->InsertDBString, doc.settings->InsertSQL, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    doc.settings->InsertDBString = dialog.connectionString();
    doc.settings->InsertSQL = dialog.sqlTemplate();

    Record record;
    doc.store.copyRecord(doc.selection.selectedRecordNumber, record);
    std::string detail;
    if (!executeInsert(doc.settings->InsertDBString,
                       fillInsertTemplate(doc.settings->InsertSQL, record), detail)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"),
                        QStringLiteral("Unable to execute SQL"), QMessageBox::Ok, parent);
        box.setDetailedText(QString::fromStdString(detail));
        box.exec();
    }
    return true;
}
