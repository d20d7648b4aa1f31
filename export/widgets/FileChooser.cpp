#include "export/widgets/FileChooser.h"

#include <QFileDialog>

namespace {

QString askWithDialog(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent, request.caption, request.directory, request.filter);
    if (request.mode == FileRequest::Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (request.selectedFilter) dialog.selectNameFilter(*request.selectedFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (request.selectedFilter) *request.selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

FileChooser& installedChooser() {
    static FileChooser chooser;
    return chooser;
}

}  // namespace

QString chooseFile(QWidget* parent, const FileRequest& request) {
    const FileChooser& chooser = installedChooser();
    return chooser ? chooser(parent, request) : askWithDialog(parent, request);
}

void setFileChooser(FileChooser chooser) { installedChooser() = std::move(chooser); }
