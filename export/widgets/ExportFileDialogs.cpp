#include "export/widgets/ExportFileDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "export/widgets/FileChooser.h"
#include "ui/ViewPreferences.h"

namespace {

const QString kFolderPreference = QStringLiteral("ExportFolder");

// The folder of the last file saved, in this run or an earlier one.
QString& lastFolder() {
    static QString folder = ViewPreferences::text(kFolderPreference, QDir::homePath());
    return folder;
}

QString chooseSaveFile(QWidget* parent, const FileRequest& request) {
    const QString path = chooseFile(parent, request);
    if (!path.isEmpty()) {
        lastFolder() = QFileInfo(path).absolutePath();
        ViewPreferences::setText(kFolderPreference, lastFolder());
    }
    return path;
}

FileRequest saveRequest(FileExportKind kind) {
    FileRequest request;
    request.caption = QStringLiteral("Save As");
    request.directory = lastFolder();
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
        case FileExportKind::MarcText:
            request.filter = QStringLiteral("MARC text (*.mrk);;All Files (*)");
            request.defaultSuffix = QStringLiteral("mrk");
            break;
    }
    return request;
}

bool askStylesheet(QWidget* parent, FileExportKind kind, QString& stylesheet) {
    if (kind == FileExportKind::XslTransformation) {
        FileRequest open;
        open.mode = FileRequest::Mode::Open;
        open.caption = QStringLiteral("Open");
        open.filter = QStringLiteral("XSL (*.xsl);;All Files (*)");
        stylesheet = chooseFile(parent, open);
        if (stylesheet.isEmpty()) return false;
    }
    return true;
}

}  // namespace

bool askExportFiles(QWidget* parent, FileExportKind kind, QString& stylesheet, QString& path) {
    return askStylesheet(parent, kind, stylesheet) &&
           !(path = chooseSaveFile(parent, saveRequest(kind))).isEmpty();
}

bool askExportFiles(QWidget* parent, FileExportKind kind, QString& stylesheet, QString& path,
                    bool& asUtf8, const QString& fileName) {
    if (kind != FileExportKind::Marc) {
        if (!askStylesheet(parent, kind, stylesheet)) return false;
        FileRequest request = saveRequest(kind);
        request.fileName = fileName;
        return !(path = chooseSaveFile(parent, request)).isEmpty();
    }
    const QString received = QStringLiteral("MARC as received (*.mrc)");
    const QString utf8 = QStringLiteral("MARC as UTF-8 (*.mrc)");
    FileRequest request = saveRequest(kind);
    request.filter = received + QStringLiteral(";;") + utf8 + QStringLiteral(";;All Files (*)");
    QString chosen = asUtf8 ? utf8 : received;
    request.selectedFilter = &chosen;
    request.fileName = fileName;
    path = chooseSaveFile(parent, request);
    if (chosen == utf8 || chosen == received) asUtf8 = chosen == utf8;
    return !path.isEmpty();
}

QString askFileToAddTo(QWidget* parent) {
    FileRequest request = saveRequest(FileExportKind::Marc);
    request.caption = QStringLiteral("Add to File");
    request.filter =
        QStringLiteral("MARC (*.mrc);;MARC text (*.mrk);;MARCXML (*.xml);;All Files (*)");
    request.confirmOverwrite = false;
    return chooseSaveFile(parent, request);
}

void showSaveFailure(QWidget* parent, const QString& message, const QString& cause) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"), message, QMessageBox::Ok, parent);
    box.setInformativeText(cause);
    box.exec();
}
