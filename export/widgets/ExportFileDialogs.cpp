#include "export/widgets/ExportFileDialogs.h"

#include <QMessageBox>

#include "export/widgets/FileChooser.h"

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

}  // namespace

bool askExportFiles(QWidget* parent, FileExportKind kind, QString& stylesheet, QString& path) {
    if (kind == FileExportKind::XslTransformation) {
        FileRequest open;
        open.mode = FileRequest::Mode::Open;
        open.caption = QStringLiteral("Open");
        open.filter = QStringLiteral("XSL (*.xsl);;All Files (*)");
        stylesheet = chooseFile(parent, open);
        if (stylesheet.isEmpty()) return false;
    }
    path = chooseFile(parent, saveRequest(kind));
    return !path.isEmpty();
}

void showSaveFailure(QWidget* parent, const QString& message, const QString& cause) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"), message, QMessageBox::Ok, parent);
    box.setInformativeText(cause);
    box.exec();
}
