// Edit Record through the window: the corrected record replaces the received
// one on the page and in the list, and Revert to Received brings it back.
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "MarcBuilder.h"
#include "app/CMainFrame.h"
#include "editor/widgets/MarcEditorDialog.h"
#include "views/MRecordListView.h"
#include "views/MRecordView.h"

namespace {

QString firstRowTip(CMainFrame& frame) {
    const RecordListModel* model = &frame.recordListView()->model();
    return model->rowCount() > 0 ? model->index(0, 0).data(Qt::ToolTipRole).toString() : QString();
}

QAction* menuCommand(CMainFrame& frame, const QString& text) {
    for (QAction* a : frame.menuBar()->findChildren<QAction*>())
        if (a->text() == text) return a;
    return nullptr;
}

// Edits the next editor dialog: edit changes its text, then it is saved.
void editNextDialog(const std::function<void(QPlainTextEdit*)>& edit, bool* seen, int tries = 250) {
    QTimer::singleShot(20, [edit, seen, tries] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<MarcEditorDialog*>(w);
            if (dialog && dialog->isVisible()) {
                *seen = true;
                edit(dialog->textEdit());
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
                return;
            }
        }
        if (tries > 0) editNextDialog(edit, seen, tries - 1);
    });
}

}  // namespace

class EditRecordTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;

private slots:
    void editSaveAndRevert() {
        GuiDocument gui;
        MarcBuilder b("00000nam a2200000 a 4500");
        b.control("001", "ocm123");
        b.data("245", "10", {{'a', "Received title."}});
        Record received;
        received.kind = Marc;
        received.syntax = "usmarc";
        received.rawData = b.build();
        received.formsDeferred = true;
        received.title = "Received title.";
        gui.core().store.add(received);

        CMainFrame frame(gui.doc());
        frame.show();
        gui.core().selection.selectedRecordNumber = 1;
        frame.recordView()->showSelectedRecord();
        QVERIFY(frame.recordView()->toPlainText().contains("Received title."));

        QAction* edit = menuCommand(frame, QStringLiteral("Edit Record"));
        QVERIFY(edit);
        QCOMPARE(edit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
        bool seen = false;
        editNextDialog([](QPlainTextEdit* text) {
            text->setPlainText(text->toPlainText().replace("Received title.", "Corrected title."));
        }, &seen);
        edit->trigger();
        QVERIFY(seen);
        QVERIFY(gui.core().store.isEdited(1));
        QVERIFY(frame.recordView()->toPlainText().contains("Corrected title."));
        Record stored;
        QVERIFY(gui.core().store.copyRecord(1, stored));
        QCOMPARE(QString::fromStdString(stored.title), QStringLiteral("Corrected title."));

        QTRY_VERIFY_WITH_TIMEOUT(firstRowTip(frame).contains("Corrected title."), 5000);
        QVERIFY(firstRowTip(frame).contains("Edited"));

        menuCommand(frame, QStringLiteral("Revert to Received"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(firstRowTip(frame).contains("Received title."), 5000);
        QVERIFY(!firstRowTip(frame).contains("Edited"));
        QVERIFY(!gui.core().store.isEdited(1));
        QVERIFY(frame.recordView()->toPlainText().contains("Received title."));
        QVERIFY(!frame.recordView()->toPlainText().contains("Corrected title."));
    }
};

QTEST_MAIN(EditRecordTest)
#include "EditRecordTest.moc"
