#include "app/EditRecordCommands.h"

#include <QMenu>

#include "app/CommandKeys.h"
#include "document/DocumentCore.h"
#include "editor/CorrectedRecord.h"
#include "editor/widgets/MarcEditorDialog.h"
#include "export/MarcExportForm.h"
#include "marc/CleanIso2709.h"
#include "records/MarcForms.h"

bool editSelectedRecord(DocumentCore& doc, QWidget* parent) {
    const int32_t number = doc.selection.selectedRecordNumber;
    Record received;
    if (number < 1 || !doc.store.copyRecord(number, received) || received.kind != Marc)
        return false;
    const std::string text =
        marcTextFromCleanIso2709(cleanIso2709(received.rawData, recordCharset(received)));
    MarcEditorDialog dialog(QStringLiteral("Edit Record %1").arg(number), text, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    return doc.store.replaceRecord(number, correctedRecord(received, dialog.correctedIso2709()));
}

bool revertSelectedRecord(DocumentCore& doc) {
    const int32_t number = doc.selection.selectedRecordNumber;
    return number >= 1 && doc.store.revertRecord(number);
}

void addRecordCommands(QMenu& menu, DocumentCore& doc, QWidget* parent,
                       const std::function<void()>& changed) {
    QAction* edit = menu.addAction(QStringLiteral("Edit Record"));
    edit->setShortcut(commandKey(QStringLiteral("Edit Record")));
    edit->setStatusTip(QStringLiteral("Correct the selected record"));
    QObject::connect(edit, &QAction::triggered, parent, [&doc, parent, changed] {
        if (editSelectedRecord(doc, parent)) changed();
    });
    QAction* revert = menu.addAction(QStringLiteral("Revert to Received"));
    revert->setStatusTip(QStringLiteral("Put back the record as the server sent it"));
    QObject::connect(revert, &QAction::triggered, parent, [&doc, changed] {
        if (revertSelectedRecord(doc)) changed();
    });
}
