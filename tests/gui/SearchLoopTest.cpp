// The cataloguer's loop in the window, driven by clicks and keys on real
// servers: search from the sheet, choose a row, search again; the commands'
// keys.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <functional>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "app/CMainFrame.h"
#include "export/widgets/FileChooser.h"
#include "ui/PropertySheet.h"
#include "views/MLimitView.h"
#include "views/MRecordListView.h"
#include "views/MRecordView.h"
#include "views/RecordListModel.h"

namespace {

// Types term into the Basic page's title of the sheet that the Search
// command opens and confirms it with Enter; true when it was typed.
bool searchTitle(CMainFrame& frame, const QString& term) {
    bool typed = false;
    whenModal([&typed, term](QDialog* dialog) {
        auto* sheet = qobject_cast<PropertySheet*>(dialog);
        auto* title = sheet ? sheet->findChild<QLineEdit*>(QStringLiteral("titleTerm")) : nullptr;
        if (!title) return dialog->reject();
        title->clear();
        typeInto(title, term);
        typed = true;
        QTest::keyClick(title, Qt::Key_Return);
        if (sheet->isVisible()) sheet->reject();
    });
    frame.action("Search")->trigger();
    return typed;
}

bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace

class SearchLoopTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        zebra_ = ZebraServer::withDemoCorpus();
        ztest_ = std::make_unique<YazZtestServer>();
    }
    void cleanupTestCase() {
        zebra_.reset();
        ztest_.reset();
    }

    void searchFromTheSheet() {
        GuiDocument g;
        g.addTarget("Demo", zebra_->zurl("Default"));
        g.addTarget("Unused", ztest_->zurl("Default"), false);
        CMainFrame frame(g.doc());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        // Until the first search a start page says how to begin.
        grabToFile(&frame, QStringLiteral("start-page"));
        const QString start = frame.recordView()->toPlainText();
        QVERIFY2(start.contains("Start here") && start.contains("The search goes to Demo."),
                 qPrintable(start));
        QVERIFY(searchTitle(frame, QStringLiteral("compass")));
        QCOMPARE(g.core().query.pqf(), std::string("@attr 1=4 \"compass\" "));
        QVERIFY(g.settle());
        QCOMPARE(frame.limitView()->topLevelItem(0)->child(0)->text(0),
                 QStringLiteral("Demo (10/20)"));
        QCOMPARE(frame.recordListView()->model().rowCount(), 10);
        QVERIFY(!frame.recordView()->toPlainText().contains("Start here"));
    }

    // A row clicked, then another search from the sheet: the list the user
    // works in lists the new search's records of every target.
    void newSearchAfterAClickedRowListsItsRecords() {
        GuiDocument g;
        g.addTarget("Demo", zebra_->zurl("Default"));
        g.addTarget("Ztest", ztest_->zurl("Default"));
        CMainFrame frame(g.doc());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        g.start("@attr 1=4 compass");
        QVERIFY(g.settle());
        RecordListModel& list = frame.recordListView()->model();
        QCOMPARE(list.rowCount(), 20);
        QTest::mouseClick(frame.recordListView()->viewport(), Qt::LeftButton, {},
                          frame.recordListView()->visualRect(list.index(2, 0)).center());
        QCOMPARE(frame.activePane(), ActivePane::RecordList);
        QVERIFY(g.core().selection.selectedRecordNumber > 0);

        QVERIFY(searchTitle(frame, QStringLiteral("lighthouse")));
        QVERIFY(g.settle());
        QCOMPARE(frame.messagePane()->text(), QStringLiteral("Completed. Records: 18/108"));
        QCOMPARE(list.rowCount(), 18);
        QStringList headers;
        for (int column = 0; column < list.columnCount(); ++column)
            headers << list.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(headers, QStringList({"Title", "Author", "Database", "Date"}));
        QSet<QString> databases;
        for (int row = 0; row < list.rowCount(); ++row)
            databases << list.index(row, 2).data().toString();
        QCOMPARE(databases, QSet<QString>({"Demo", "Ztest"}));

        // The Databases root lists them all again.
        const QPoint root =
            frame.limitView()->visualItemRect(frame.limitView()->topLevelItem(0)).center();
        // Qt Test's double click needs the press that a real one starts with.
        QTest::mouseClick(frame.limitView()->viewport(), Qt::LeftButton, {}, root);
        QTest::mouseDClick(frame.limitView()->viewport(), Qt::LeftButton, {}, root);
        QCOMPARE(frame.activePane(), ActivePane::Databases);
        QCOMPARE(list.rowCount(), 18);
    }

    // Every menu command's key is its own (Qt fires none of two alike), the
    // loop's commands have one, and Ctrl+F opens the search sheet.
    void commandKeysAreShownAndWork() {
        GuiDocument g;
        g.addTarget("Demo", zebra_->zurl("Default"));
        CMainFrame frame(g.doc());
        QVERIFY(showActive(frame));
        QMap<QString, QString> owner;
        std::function<void(const QList<QAction*>&)> visit = [&](const QList<QAction*>& actions) {
            for (QAction* action : actions) {
                if (action->menu()) visit(action->menu()->actions());
                const QString key = action->shortcut().toString();
                if (key.isEmpty()) continue;
                QVERIFY2(!owner.contains(key) || owner[key] == action->text(),
                         qPrintable(key + ": " + owner[key] + ", " + action->text()));
                owner[key] = action->text();
            }
        };
        visit(frame.menuBar()->actions());
        visit(frame.actions());
        for (const char* command : {"Search", "Resume", "Stop", "MARC", "MARC Text", "Options"})
            QVERIFY2(!frame.action(command)->shortcut().isEmpty(), command);

        bool opened = false;
        whenModal([&opened](QDialog* dialog) {
            opened = qobject_cast<PropertySheet*>(dialog) != nullptr;
            dialog->reject();
        });
        QTest::keyClick(&frame, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(opened);
    }

    // Ctrl+D adds the chosen record to a file asked for once; the status bar
    // counts the file's records. Another file is asked for on request.
    void addToFileAppendsAndCounts() {
        GuiDocument g;
        g.addTarget("Demo", zebra_->zurl("Default"));
        CMainFrame frame(g.doc());
        QVERIFY(showActive(frame));
        g.start("@attr 1=4 lighthouse");
        QVERIFY(g.settle());
        TempDir tmp;
        QStringList answers = {QString::fromStdString(tmp.file("today.mrc")),
                               QString::fromStdString(tmp.file("day.xml"))};
        int asked = 0;
        setFileChooser([&](QWidget*, const FileRequest& request) {
            ++asked;
            return request.confirmOverwrite ? QString() : answers.takeFirst();
        });
        MRecordListView* list = frame.recordListView();
        const auto addRow = [&](int row, Qt::KeyboardModifiers keys) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model().index(row, 0)).center());
            QTest::keyClick(list, Qt::Key_D, keys);
        };
        addRow(0, Qt::ControlModifier);
        QCOMPARE(frame.messagePane()->text(),
                 QStringLiteral("Added 1 record to today.mrc, 1 in the file"));
        addRow(1, Qt::ControlModifier);
        QCOMPARE(frame.messagePane()->text(),
                 QStringLiteral("Added 1 record to today.mrc, 2 in the file"));
        QCOMPARE(asked, 1);
        const std::string marc = readFileBytes(tmp.file("today.mrc"));
        QCOMPARE(std::count(marc.begin(), marc.end(), '\x1D'), 2);

        grabToFile(&frame, QStringLiteral("added-to-file"));
        frame.action("Add to Other File...")->trigger();
        addRow(2, Qt::ControlModifier);
        setFileChooser({});
        QCOMPARE(asked, 2);
        QCOMPARE(frame.messagePane()->text(),
                 QStringLiteral("Added 1 record to day.xml, 2 in the file"));
        const std::string xml = readFileBytes(tmp.file("day.xml"));
        QCOMPARE(xml.find("<collection"), xml.rfind("<collection"));
    }

private:
    IsolatedUserDirs dirs_;
    std::unique_ptr<ZebraServer> zebra_;
    std::unique_ptr<YazZtestServer> ztest_;
};

QTEST_MAIN(SearchLoopTest)
#include "SearchLoopTest.moc"
