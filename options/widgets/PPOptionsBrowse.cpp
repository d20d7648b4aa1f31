#include "options/widgets/PPOptionsBrowse.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>

void connectBrowse(QAbstractButton* button, QLineEdit* edit, const QString& filter, bool mayBeNew) {
    QObject::connect(button, &QAbstractButton::clicked, edit, [edit, filter, mayBeNew] {
        QFileDialog dialog(edit->window(), QString(), QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(mayBeNew ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!edit->text().isEmpty()) dialog.selectFile(edit->text());
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            edit->setText(dialog.selectedFiles().first());
    });
}
