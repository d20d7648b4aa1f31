// The record editor as the cataloguer uses it: findings under the text that
// follow the edits and lead to their line, the field commands on the keyboard,
// undo, and a save that asks first when the record has errors.
#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

#include "TestSupport.h"
#include "editor/widgets/MarcEditorDialog.h"
#include "marc/CleanIso2709.h"
#include "marc/Iso2709Splitter.h"
#include "export/MarcExportForm.h"
#include "validation/MarcFields.h"

namespace {

// The first record of a test file, as the editor gets it.
std::string recordText(const char* name) {
    const std::string bytes =
        readFileBytes(std::string(QRN_SOURCE_DIR) + "/tests/data/marc/" + name);
    return marcTextFromCleanIso2709(cleanIso2709(splitIso2709(bytes).front(), MarcCharset::Utf8));
}

std::string operaText() { return recordText("loc-opera.mrc"); }

QListWidgetItem* findingWith(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().contains(text)) return list->item(i);
    return nullptr;
}

QString currentLine(const MarcEditorDialog& dialog) {
    return dialog.textEdit()->textCursor().block().text();
}

int countOf(const MarcEditorDialog& dialog, const QString& start) {
    int n = 0;
    for (const QString& line : dialog.textEdit()->toPlainText().split(QLatin1Char('\n')))
        n += line.startsWith(start);
    return n;
}

// Answers the next message box with button, looking for it for up to 5 s.
void answerNextBox(QMessageBox::StandardButton button, bool* asked, int tries = 250) {
    QTimer::singleShot(20, [button, asked, tries] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box && box->isVisible() && box->button(button)) {
                *asked = true;
                box->button(button)->click();
                return;
            }
        }
        if (tries > 0) answerNextBox(button, asked, tries - 1);
    });
}

}  // namespace

class MarcEditorTest : public QObject {
    Q_OBJECT
private slots:
    void findingsLeadToTheirLine() {
        MarcEditorDialog dialog(QStringLiteral("Edit Record"), operaText());
        dialog.show();
        QListWidgetItem* item =
            findingWith(dialog.findingsList(), QStringLiteral("035  subfield-undefined"));
        QVERIFY(item);
        QTest::mouseClick(dialog.findingsList()->viewport(), Qt::LeftButton, {},
                          dialog.findingsList()->visualItemRect(item).center());
        QVERIFY(currentLine(dialog).startsWith(QStringLiteral("=035")));
    }

    void keyboardCommandsAndUndo() {
        MarcEditorDialog dialog(QStringLiteral("Edit Record"), operaText());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(dialog.jumpToTag(QStringLiteral("245")));
        QVERIFY(!dialog.jumpToTag(QStringLiteral("246")));
        const int line245 = dialog.textEdit()->textCursor().blockNumber();

        QTest::keyClick(dialog.textEdit(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(countOf(dialog, QStringLiteral("=245")), 2);
        QTRY_VERIFY(findingWith(dialog.findingsList(), QStringLiteral("field-not-repeatable")));
        QTest::keyClick(dialog.textEdit(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(countOf(dialog, QStringLiteral("=245")), 1);
        QTRY_VERIFY(!findingWith(dialog.findingsList(), QStringLiteral("field-not-repeatable")));

        dialog.jumpToTag(QStringLiteral("245"));
        const QString above = dialog.textEdit()->document()->findBlockByNumber(line245 - 1).text();
        QTest::keyClick(dialog.textEdit(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(dialog.textEdit()->textCursor().blockNumber(), line245 - 1);
        QVERIFY(currentLine(dialog).startsWith(QStringLiteral("=245")));
        QCOMPARE(dialog.textEdit()->document()->findBlockByNumber(line245).text(), above);
        QTest::keyClick(dialog.textEdit(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(dialog.textEdit()->document()->findBlockByNumber(line245 - 1).text(), above);

        QTest::keyClick(dialog.textEdit(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(countOf(dialog, QStringLiteral("=245")), 0);
        QTRY_VERIFY(findingWith(dialog.findingsList(), QStringLiteral("field-missing")));

        QTest::keyClick(dialog.textEdit(), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(dialog.textEdit(), QStringLiteral("590  \\\\$aLocal"));
        QCOMPARE(countOf(dialog, QStringLiteral("=590  \\\\$aLocal")), 1);
    }

    void errorsAskBeforeSaving() {
        // Its leader says MARC-8; what is saved is UTF-8 and says so.
        std::string text = recordText("zebra-sample-marc.mrc");
        text[6 + 9] = '\\';
        MarcEditorDialog dialog(QStringLiteral("Edit Record"), text);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.jumpToTag(QStringLiteral("245"));
        QTest::keyClick(dialog.textEdit(), Qt::Key_D, Qt::ControlModifier);

        bool asked = false;
        answerNextBox(QMessageBox::No, &asked);
        dialog.accept();
        QVERIFY(asked);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.correctedIso2709().empty());

        asked = false;
        answerNextBox(QMessageBox::Yes, &asked);
        dialog.accept();
        QVERIFY(asked);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const MarcFields saved = marcFieldsFromIso2709(dialog.correctedIso2709());
        QCOMPARE(saved.leader.at(9), 'a');
        QCOMPARE(std::count_if(saved.fields.begin(), saved.fields.end(),
                               [](const MarcFieldData& f) { return f.tag == "245"; }),
                 2);
    }

    void unreadableLinesAreNotSaved() {
        MarcEditorDialog dialog(QStringLiteral("Edit Record"), operaText());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.jumpToTag(QStringLiteral("245"));
        QTest::keyClick(dialog.textEdit(), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(dialog.textEdit(), QStringLiteral("500  \\\\no subfield"));
        bool asked = false;
        answerNextBox(QMessageBox::Ok, &asked);
        dialog.accept();
        QVERIFY(asked);
        QVERIFY(dialog.isVisible());
        QVERIFY(currentLine(dialog).startsWith(QStringLiteral("=500")));
        if (qEnvironmentVariableIsSet("QRN_EDITOR_PICTURE"))
            dialog.grab().save(qEnvironmentVariable("QRN_EDITOR_PICTURE"));
    }
};

QTEST_MAIN(MarcEditorTest)
#include "MarcEditorTest.moc"
