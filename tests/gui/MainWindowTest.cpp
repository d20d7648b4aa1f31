// The main window on real servers: a search through the document into the
// tree, the list and the record page; Stop, Resume and Retry; the limits; the
// commands' availability; the status texts.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "Marc8Records.h"
#include "Marc8Zebra.h"
#include "TestSupport.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "app/CMainFrame.h"
#include "display/RecordPages.h"
#include "records/ResultStore.h"
#include "ui/PropertySheet.h"
#include "views/GroupedRecordModel.h"
#include "views/MGroupedListView.h"
#include "views/MLimitView.h"
#include "views/MRecordListView.h"
#include "views/MRecordView.h"
#include "views/RecordListModel.h"

namespace {

QStringList treeTexts(const MLimitView* tree) {
    QStringList texts;
    const QTreeWidgetItem* root = tree->topLevelItem(0);
    if (!root) return texts;
    texts << root->text(0);
    for (int i = 0; i < root->childCount(); ++i) texts << root->child(i)->text(0);
    return texts;
}

QTreeWidgetItem* treeItem(MLimitView* tree, int32_t id) {
    QTreeWidgetItem* root = tree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i)
        if (root->child(i)->data(0, Qt::UserRole).toInt() == id) return root->child(i);
    return nullptr;
}

QString outputPath(const QString& name) {
    return QDir(qEnvironmentVariable("QRN_TEST_BINARY_DIR", QDir::tempPath())).filePath(name);
}

}  // namespace

class MainWindowTest : public QObject {
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

    void searchFillsTheViews() {
        GuiDocument g;
        const int32_t demo = g.addTarget("Demo", zebra_->zurl("Default")).id;
        const int32_t broken = g.addTarget("Broken", ztest_->zurl("Nowhere")).id;
        g.addTarget("Ztest", ztest_->zurl("Default"));
        g.addTarget("Unused", ztest_->zurl("Default"), false);
        CMainFrame frame(g.doc());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.messagePane()->text(), QStringLiteral("Ready"));
        QVERIFY(frame.action("Search")->isEnabled());
        QVERIFY(!frame.action("MARC")->isEnabled());

        // The demo catalogue holds 100 lighthouse titles and no title word
        // "15"; yaz-ztest finds as many records as the first number says.
        g.start("@or @attr 1=4 lighthouse @attr 1=4 15");
        QCOMPARE(
            treeTexts(frame.limitView()),
            QStringList({"Databases", "Demo (Pending)", "Broken (Pending)", "Ztest (Pending)"}));
        QVERIFY(!frame.action("Search")->isEnabled());
        QVERIFY(!frame.action("Options")->isEnabled());
        QVERIFY(frame.action("Stop")->isEnabled());
        QVERIFY(g.settle());

        QCOMPARE(treeTexts(frame.limitView()), QStringList({"Databases (20/115)", "Demo (10/100)",
                                                            "Broken (Error)", "Ztest (10/15)"}));
        QCOMPARE(frame.messagePane()->text(),
                 QStringLiteral("Completed. Records: 20/115. Failed: Broken. Raise the time limit "
                                "on the Profile page or check the address."));
        QVERIFY(frame.action("Search")->isEnabled());
        QVERIFY(!frame.action("Stop")->isEnabled());
        QVERIFY(frame.action("Resume")->isEnabled());

        // Every record is listed, with its database, sorted by title.
        RecordListModel& list = frame.recordListView()->model();
        QCOMPARE(list.rowCount(), 20);
        QCOMPARE(list.columnCount(), 4);
        QCOMPARE(list.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Database"));
        for (int row = 1; row < list.rowCount(); ++row)
            QVERIFY(list.index(row - 1, 0).data().toString().toUtf8() <=
                    list.index(row, 0).data().toString().toUtf8());

        // Choosing a row in the list shows the record and allows the export.
        frame.recordListView()->setFocus();
        QTRY_COMPARE(frame.activePane(), ActivePane::RecordList);
        QTest::mouseClick(frame.recordListView()->viewport(), Qt::LeftButton, {},
                          frame.recordListView()->visualRect(list.index(0, 0)).center());
        QVERIFY(g.core().selection.selectedRecordNumber > 0);
        QVERIFY(!frame.recordView()->shownHtml().empty());
        QVERIFY(frame.action("MARC")->isEnabled());
        frame.grab().save(outputPath("main-window.png"));

        // Choosing a target in the tree lists its records and shows its summary.
        frame.limitView()->setFocus();
        QTRY_COMPARE(frame.activePane(), ActivePane::Databases);
        frame.limitView()->setCurrentItem(treeItem(frame.limitView(), demo));
        QCOMPARE(g.core().selection.selectedTargetId, demo);
        QCOMPARE(g.core().selection.selectedRecordNumber, -1);
        QCOMPARE(list.rowCount(), 10);
        QCOMPARE(list.columnCount(), 3);
        QVERIFY(!frame.action("MARC")->isEnabled());
        const QString summary = frame.recordView()->toPlainText();
        QVERIFY2(summary.contains("Result Count: 100"), qPrintable(summary));
        QVERIFY(summary.contains("Resume"));

        // The summary's Resume link fetches the next records of that target.
        frame.recordView()->setFocus();
        emit frame.recordView()->anchorClicked(QUrl(QStringLiteral("resume:%1").arg(demo)));
        QVERIFY(g.settle());
        QCOMPARE(treeItem(frame.limitView(), demo)->text(0), QStringLiteral("Demo (20/100)"));

        // The failed target's Retry link runs it again; it fails again.
        emit frame.recordView()->anchorClicked(QUrl(QStringLiteral("retry:%1").arg(broken)));
        QCOMPARE(g.core().selection.selectedTargetId, broken);
        QVERIFY(g.settle());
        QVERIFY(g.target(broken).search.errorFlag);
        QVERIFY(g.messages.isEmpty());
    }

    void stopAbortsAtOnceAndResumeGoesOn() {
        GuiDocument g(guiSettings(10));
        // Stop ends the wait at once, so a long delay costs nothing; it must
        // outlast every wait below, or Slow could finish before Stop.
        const int32_t slow = g.addTarget("Slow", ztest_->zurl("Default?search-delay=60")).id;
        const int32_t demo = g.addTarget("Demo", zebra_->zurl("Default")).id;
        CMainFrame frame(g.doc());
        g.start("@attr 1=4 lighthouse");
        QTRY_VERIFY(frame.messagePane()->text().startsWith(QStringLiteral("Searching ")));
        // Demo ends long before Slow answers its search.
        QTRY_COMPARE(treeItem(frame.limitView(), demo)->text(0), QStringLiteral("Demo (10/100)"));
        QVERIFY(g.target(slow).search.state != Finished);
        frame.action("Stop")->trigger();
        QVERIFY(frame.action("Search")->isEnabled());
        QVERIFY(g.target(slow).search.abortedFlag);
        QVERIFY(g.settle());
        QCOMPARE(treeItem(frame.limitView(), slow)->text(0), QStringLiteral("Slow (Aborted)"));
        // A target that had finished keeps its records and its status.
        QVERIFY(!g.target(demo).search.abortedFlag);
        QCOMPARE(treeItem(frame.limitView(), demo)->text(0), QStringLiteral("Demo (10/100)"));
        QCOMPARE(g.core().store.count(), size_t(10));

        // The per-search limit stops the rest once exceeded.
        GuiDocument limited(guiSettings(10, 5));
        const int32_t first = limited.addTarget("Demo", zebra_->zurl("Default")).id;
        limited.addTarget("Slow", ztest_->zurl("Default?search-delay=2"));
        CMainFrame limitedFrame(limited.doc());
        limited.start("@attr 1=4 lighthouse");
        QVERIFY(limited.settle());
        // Demo's records trip the limit when it finishes, or, on a slow
        // machine, at an event of Slow's while it still fetches.
        const int kept = limited.target(first).search.retrievedCount;
        QVERIFY(kept > 5);
        QCOMPARE(treeTexts(limitedFrame.limitView()).at(2), QStringLiteral("Slow (Aborted)"));
        QVERIFY(limitedFrame.action("Resume")->isEnabled());
        limitedFrame.action("Resume")->trigger();
        QVERIFY(limited.core().search.resumeMode);
        QVERIFY(limited.settle());
        QCOMPARE(treeTexts(limitedFrame.limitView()).at(1),
                 QStringLiteral("Demo (%1/100)").arg(kept + 10));
    }

    // A long list is built off the UI thread: a target finishing while it is
    // built is listed too, and the chosen records stay chosen.
    void longListBuiltInBackground() {
        GuiDocument g;
        CMainFrame frame(g.doc());
        const auto addRecords = [&g](int n) {
            for (int i = 0; i < n; ++i) {
                Record r;
                r.title = "Title " + std::to_string(i);
                r.targetId = 1;
                r.targetName = "Demo";
                g.core().store.add(std::move(r));
            }
        };
        addRecords(12000);
        g.core().selection.selectedRecordNumbers = {5, 11000};
        g.core().selection.selectedRecordNumber = 11000;
        MRecordListView* list = frame.recordListView();
        list->onUpdate(nullptr, SS_FINISHED, nullptr);
        addRecords(500);
        list->onUpdate(nullptr, SS_FINISHED, nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(list->model().rowCount(), 12500, 20000);
        QCOMPARE(list->selectionModel()->selectedRows().size(), qsizetype(2));
        QCOMPARE(list->model().recordNumber(list->currentIndex().row()), 11000);
    }

    // Every kind of record the demo catalogue serves shows a readable page.
    void recordPagesOfEveryKind() {
        GuiDocument g;
        g.addTarget("MARC", zebra_->zurl("Default"));
        g.addTarget("MARCXML", zebra_->zurl("Default"), true, "XML", "marcxml");
        g.addTarget("MODS", zebra_->zurl("Default"), true, "XML", "mods");
        g.addTarget("DC", zebra_->zurl("Default"), true, "XML", "dc");
        g.addTarget("SUTRS", zebra_->zurl("Default"), true, "SUTRS", "F");
        CMainFrame frame(g.doc());
        frame.resize(1000, 800);
        g.start("@attr 1=4 compass");
        QVERIFY(g.settle());
        for (const Target& target : g.core().targetList.targets) {
            int32_t number = -1;
            std::string title;
            for (const Record& record : g.core().store.copyAll())
                if (record.targetId == target.id && number < 0)
                    number = record.number, title = record.title;
            QVERIFY2(number > 0, target.name.c_str());
            g.core().selection.selectedRecordNumber = number;
            g.doc().updateAllViews(frame.recordListView(), HINT_RECORD_SELECTED);
            const QString page = frame.recordView()->toPlainText();
            const QString word = QString::fromStdString(title).section(' ', 0, 0);
            QVERIFY2(page.contains(word, Qt::CaseInsensitive),
                     qPrintable(QString::fromStdString(target.name) + ": " + page.left(300)));
            frame.grab().save(outputPath(QStringLiteral("record-%1.png")
                                             .arg(QString::fromStdString(target.name).toLower())));
        }
        // The MARC target's first record, through the stylesheet this time.
        const int32_t marc = g.core().targetList.targets.front().id;
        Record record;
        for (const Record& r : g.core().store.copyAll())
            if (r.targetId == marc && record.number <= 0) record = r;
        g.core().selection.selectedRecordNumber = record.number;
        g.doc().updateAllViews(frame.recordListView(), HINT_RECORD_SELECTED);
        const QString toolkitPage = frame.recordView()->toPlainText();
        g.core().settings->MARCDisplayType = "XSL";
        g.doc().updateAllViews(frame.recordListView(), HINT_RECORD_SELECTED);
        const QString xslPage = frame.recordView()->toPlainText();
        QVERIFY(xslPage != toolkitPage);
        QVERIFY2(xslPage.contains(QString::fromStdString(record.title).section(' ', 0, 0),
                                  Qt::CaseInsensitive),
                 qPrintable(xslPage.left(300)));
        frame.grab().save(outputPath("record-marc-xsl.png"));
        QVERIFY(g.messages.isEmpty());
    }

    void replacedCharactersAreMarkedInTheListAndOnThePage() {
        TempDir dir;
        std::string file;
        for (const std::string& record : scriptRecordsUtf8()) file += toMarc8(record);
        writeFileBytes(dir.file("scripts.mrc"), file);
        const std::unique_ptr<ZebraServer> mislabelling =
            marc8Zebra({dir.file("scripts.mrc")}, 'a');
        GuiDocument g;
        g.addTarget("Forced UTF-8", mislabelling->zurl("Default")).recordCharset = "UTF-8";
        CMainFrame frame(g.doc());
        frame.resize(1000, 800);
        g.start("@attr 1=_ALLRECORDS @attr 2=103 \"\"");
        QVERIFY(g.settle());
        RecordListModel& list = frame.recordListView()->model();
        QCOMPARE(list.rowCount(), 5);
        int marked = -1;
        for (int row = 0; row < list.rowCount() && marked < 0; ++row)
            if (!list.index(row, 0).data(Qt::DecorationRole).isNull()) marked = row;
        QVERIFY(marked >= 0);
        QVERIFY(list.index(marked, 0).data(Qt::ToolTipRole).toString().contains("replacement"));
        g.core().selection.selectedRecordNumber = list.recordNumber(marked);
        g.doc().updateAllViews(frame.recordListView(), HINT_RECORD_SELECTED);
        QVERIFY(frame.recordView()->toPlainText().contains(
            "Character set: UTF-8 (set for this target); "));
        frame.grab().save(outputPath("record-replacements.png"));

        // The grouped list marks the same record.
        frame.action("Group Copies")->trigger();
        QTRY_VERIFY(!frame.groupedListView()->isHidden());
        const GroupedRecordModel& groups = frame.groupedListView()->model();
        QTRY_VERIFY(groups.rowCount() > 0);
        const QModelIndex row = groups.indexOfRecord(list.recordNumber(marked));
        QVERIFY(!row.data(Qt::DecorationRole).isNull());
        QVERIFY(row.data(Qt::ToolTipRole).toString().contains("replacement"));
        // Each record stands alone here, so as many group rows are marked as records.
        int listMarked = 0;
        for (int r = 0; r < list.rowCount(); ++r)
            listMarked += list.index(r, 0).data(Qt::DecorationRole).isNull() ? 0 : 1;
        int groupsMarked = 0;
        for (int r = 0; r < groups.rowCount(); ++r)
            groupsMarked += groups.index(r, 0).data(Qt::DecorationRole).isNull() ? 0 : 1;
        QCOMPARE(groups.rowCount(), list.rowCount());
        QCOMPARE(groupsMarked, listMarked);
    }

    // Sorting reads each cell once and keeps equal rows in their order. Dates as
    // catalogues write them ("c1999", "[1987?]") are text; dates of the user's
    // locale whose text sorts the other way round compare as dates.
    void recordListSortsByDateAndKeepsTies() {
        const auto sorted = [](const std::vector<std::string>& dates, bool ascending) {
            ResultStore store;
            for (const std::string& date : dates) {
                Record r;
                r.title = date;
                r.date = date;
                r.targetId = 1;
                store.add(std::move(r));
            }
            RecordListModel model;
            model.refill(store, 1);
            model.sortRows(2, ascending);
            QList<int32_t> order;
            for (int row = 0; row < model.rowCount(); ++row) order << model.recordNumber(row);
            return order;
        };
        const std::vector<std::string> dates = {"2001-05-03", "c1999", "1999-12-31", "May 2001",
                                                "2001-05-03", "",      "[1987?]",    "2000-01-01"};
        QCOMPARE(sorted(dates, true), QList<int32_t>({6, 3, 8, 5, 1, 4, 7, 2}));
        QCOMPARE(sorted(dates, false), QList<int32_t>({2, 7, 4, 5, 1, 8, 3, 6}));

        const QLocale locale = QLocale::system();
        const auto text = [&locale](QDate d) { return locale.toString(d, QLocale::LongFormat); };
        QDate early, late;
        for (QDate d(1999, 12, 1); !late.isValid() && d.year() == 1999; d = d.addDays(1))
            for (int k = 1; k < 60 && !late.isValid(); ++k)
                if (text(d.addDays(k)) < text(d)) {
                    early = d;
                    late = d.addDays(k);
                }
        QVERIFY(late.isValid());
        QCOMPARE(sorted({text(late).toStdString(), text(early).toStdString()}, true),
                 QList<int32_t>({2, 1}));
    }

    // Qt's page reader decodes entities only in double-quoted attributes.
    void websiteLinkKeepsItsAddress() {
        TargetList list;
        Target target;
        target.id = 1;
        target.name = "T";
        target.website = "http://a.example/?lang=en&db=main";
        list.targets.push_back(target);
        QTextDocument page;
        page.setHtml(QString::fromStdString(renderTargetSummaryHtml(list, 1)));
        QStringList links;
        for (QTextBlock block = page.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isAnchor())
                    links << it.fragment().charFormat().anchorHref();
        QCOMPARE(links, QStringList{"http://a.example/?lang=en&db=main"});
    }

    // File > Search as a user does it: the sheet, a title typed, Enter.
    void printWritesPdf() {
        GuiDocument g;
        CMainFrame frame(g.doc());
        frame.recordView()->showHtml(
            "<html><body><h1>Printed page</h1><p>Lighthouse keeping, 1887</p></body></html>");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = outputPath("record-page.pdf");
        QFile::remove(path);
        printer.setOutputFileName(path);
        frame.recordView()->printTo(printer);
        // The page as a reader of the file sees it.
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        QVERIFY2(text.waitForFinished(30000), "pdftotext did not finish");
        QCOMPARE(text.exitCode(), 0);
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(printed.contains(QStringLiteral("Printed page")), qPrintable(printed));
        QVERIFY2(printed.contains(QStringLiteral("Lighthouse keeping, 1887")), qPrintable(printed));
    }

private:
    std::unique_ptr<ZebraServer> zebra_;
    std::unique_ptr<YazZtestServer> ztest_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
