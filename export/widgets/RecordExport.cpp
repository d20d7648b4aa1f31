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
#include "export/widgets/ExportFileDialogs.h"
#include "export/widgets/SaveExportFile.h"

namespace {

// The record's text copied out of the store; empty when the record is gone.
std::string recordText(const DocumentCore& doc, int32_t recordNumber, FileExportKind kind) {
    Record record;
    if (!doc.store.copyRecord(recordNumber, record)) return {};
    return fileExportText(record, kind);
}

}  // namespace

void exportRecordToFile(DocumentCore& doc, FileExportKind kind, QWidget* parent) {
    exportRecordToFile(doc, doc.selection.selectedRecordNumber, kind, parent);
}

void exportRecordToFile(DocumentCore& doc, int32_t recordNumber, FileExportKind kind,
                        QWidget* parent) {
    QString stylesheet, path;
    if (!askExportFiles(parent, kind, stylesheet, path)) return;

    std::string text = recordText(doc, recordNumber, kind);
    // On failure the service has told the user; the untransformed text is written.
    if (kind == FileExportKind::XslTransformation)
        transformXml(text, QFile::encodeName(stylesheet).toStdString(), text);

    QString message, cause;
    if (!saveExportFile(path, text, message, cause)) showSaveFailure(parent, message, cause);
}

bool exportRecordToDatabase(DocumentCore& doc, QWidget* parent) {
    return exportRecordToDatabase(doc, {doc.selection.selectedRecordNumber}, parent);
}

bool exportRecordToDatabase(DocumentCore& doc, const std::vector<int32_t>& recordNumbers,
                            QWidget* parent) {
    DlgExportToDatabase dialog(doc.settings->InsertDBString, doc.settings->InsertSQL, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    doc.settings->InsertDBString = dialog.connectionString();
    doc.settings->InsertSQL = dialog.sqlTemplate();

    Record record;
    doc.store.copyRecord(recordNumbers.empty() ? -1 : recordNumbers.front(), record);
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
