// Many records at once in the main window, on the demo catalogue (Zebra): the
// list's extended selection, Copy of rows, and the export commands on the
// selection, the whole list and one target, with the file dialogs answered
// through the chooser seam; Cancel in the progress dialog.
#include <yaz/marcdisp.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <deque>
#include <thread>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "app/CMainFrame.h"
#include "export/widgets/FileChooser.h"
#include "views/MLimitView.h"
#include "views/MRecordListView.h"
#include "views/RecordListModel.h"

namespace {

int iso2709Count(const std::string& file) {
    yaz_marc_t mt = yaz_marc_create();
    int count = 0;
    for (size_t at = 0; at < file.size(); ++count) {
        const int length =
            yaz_marc_read_iso2709(mt, file.data() + at, static_cast<int>(file.size() - at));
        if (length <= 0) break;
        at += static_cast<size_t>(length);
    }
    yaz_marc_destroy(mt);
    return count;
}

}  // namespace

class ManyRecordsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ZebraServer> zebra_;
    std::unique_ptr<GuiDocument> g_;
    std::unique_ptr<CMainFrame> frame_;
    int32_t sutrs_ = -1;
    TempDir tmp_;
    std::deque<QString> answers_;

    MRecordListView* list() { return frame_->recordListView(); }
    QPoint rowPoint(int row) { return list()->visualRect(list()->model().index(row, 0)).center(); }
    void click(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, rowPoint(row));
    }
    std::vector<int32_t> chosen() { return g_->core().selection.selectedRecordNumbers; }
    std::string exportTo(QAction* action, const std::string& name) {
        answers_.push_back(QString::fromStdString(tmp_.file(name)));
        action->trigger();
        return readFileBytes(tmp_.file(name));
    }
    // The records' texts as a TEXT file of many records holds them.
    std::string joinedTexts(const std::vector<int32_t>& numbers) {
        std::string text;
        for (int32_t number : numbers) {
            Record r;
            g_->core().store.copyRecord(number, r);
            if (!text.empty()) text += text.back() == '\n' ? "\n" : "\n\n";
            text += r.renderedText;
        }
        return text;
    }
    QAction* kindIn(QMenu* menu, const QString& caption) {
        for (QAction* a : menu->actions())
            if (a->text() == caption) return a;
        qFatal("no %s", qPrintable(caption));
    }

private slots:
    void initTestCase() {
        zebra_ = ZebraServer::withDemoCorpus();
        g_ = std::make_unique<GuiDocument>(guiSettings(30));
        g_->addTarget("Demo", zebra_->zurl("Default"));
        sutrs_ = g_->addTarget("SUTRS", zebra_->zurl("Default"), true, "SUTRS", "F").id;
        frame_ = std::make_unique<CMainFrame>(g_->doc());
        frame_->resize(1000, 900);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        g_->start("@attr 1=_ALLRECORDS @attr 2=103 \"\"");
        QVERIFY(g_->settle());
        QCOMPARE(list()->model().rowCount(), 60);
        setFileChooser([this](QWidget*, const FileRequest&) {
            if (answers_.empty()) return QString();
            const QString answer = answers_.front();
            answers_.pop_front();
            return answer;
        });
    }
    void cleanupTestCase() {
        setFileChooser({});
        frame_.reset();
        g_.reset();
    }

    void extendedSelectionAndCopy() {
        RecordListModel& model = list()->model();
        list()->setFocus();
        QTRY_COMPARE(frame_->activePane(), ActivePane::RecordList);
        click(0);
        QVERIFY(frame_->action("Database")->isEnabled());
        click(4, Qt::ShiftModifier);
        QCOMPARE(chosen().size(), size_t(5));
        for (int row = 0; row < 5; ++row) QCOMPARE(chosen()[row], model.recordNumber(row));
        // The record shown is the current row's; every export takes all five.
        QCOMPARE(g_->core().selection.selectedRecordNumber, model.recordNumber(4));
        QVERIFY(frame_->action("MARC")->isEnabled());
        QVERIFY(frame_->action("Database")->isEnabled());
        click(2, Qt::ControlModifier);
        QCOMPARE(chosen().size(), size_t(4));
        QTest::keyClick(list(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(g_->core().selection.selectedRecordNumber, model.recordNumber(3));

        // Sorting keeps the chosen records chosen.
        std::vector<int32_t> before = chosen();
        list()->horizontalHeader()->sectionClicked(3);
        std::vector<int32_t> after = chosen();
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        QCOMPARE(after, before);

        QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(chosen().size(), size_t(60));
        QVERIFY(frame_->action("Copy")->isEnabled());
        QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), qsizetype(61));
        QCOMPARE(lines[0], QString("Title\tAuthor\tDatabase\tDate"));
        // Each row as the list shows it, in the list's (sorted) order.
        for (int row = 0; row < 60; ++row) {
            Record r;
            QVERIFY(g_->core().store.copyRecord(model.recordNumber(row), r));
            const QStringList cells = lines[row + 1].split('\t');
            QCOMPARE(cells.size(), 4);
            for (int column = 0; column < 4; ++column)
                QCOMPARE(cells[column], model.index(row, column).data().toString());
            QCOMPARE(cells[2], QString::fromStdString(r.targetName));
        }

        // Nothing selected: the commands on the selection are unavailable.
        click(0);
        click(0, Qt::ControlModifier);
        QVERIFY(chosen().empty());
        QVERIFY(!frame_->action("MARC")->isEnabled());
        QVERIFY(frame_->listExportMenu()->menuAction()->isEnabled());
    }

    void exportsOfSelectionListAndTarget() {
        list()->setFocus();
        QTRY_COMPARE(frame_->activePane(), ActivePane::RecordList);
        RecordListModel& model = list()->model();
        // One record: its own bytes, as ever.
        click(0);
        Record first;
        QVERIFY(g_->core().store.copyRecord(model.recordNumber(0), first));
        QCOMPARE(exportTo(frame_->action("XML"), "one.xml"), first.xmlText);

        // Twenty rows, some SUTRS among them: the MARC file skips those.
        click(19, Qt::ShiftModifier);
        size_t marc = 0;
        for (int32_t number : chosen()) {
            Record r;
            g_->core().store.copyRecord(number, r);
            marc += r.kind == Marc;
        }
        QVERIFY(marc > 0 && marc < 20);
        MessageBoxCatcher boxes;
        QCOMPARE(size_t(iso2709Count(exportTo(frame_->action("MARC"), "twenty.mrc"))), marc);
        QTRY_COMPARE(boxes.texts().size(), 1);
        QCOMPARE(
            boxes.texts()[0],
            QStringLiteral("%1 records written, %2 skipped: not MARC").arg(marc).arg(20 - marc));
        const QString xml = QString::fromStdString(exportTo(frame_->action("XML"), "twenty.xml"));
        QVERIFY2(xml.section('\n', 1, 1) == "<collection xmlns=\"http://www.loc.gov/MARC21/slim\">",
                 qPrintable(xml.left(200)));
        QCOMPARE(xml.count("<record xmlns"), qsizetype(marc));
        QTRY_COMPARE(boxes.texts().size(), 2);

        // The whole list, in the order it shows, and one target, through their menus.
        std::vector<int32_t> shown;
        for (int row = 0; row < model.rowCount(); ++row) shown.push_back(model.recordNumber(row));
        QCOMPARE(exportTo(kindIn(frame_->listExportMenu(), "TEXT"), "all.txt"), joinedTexts(shown));
        frame_->limitView()->setFocus();
        QTreeWidgetItem* root = frame_->limitView()->topLevelItem(0);
        QTreeWidgetItem* item = root->child(1);
        QCOMPARE(item->data(0, Qt::UserRole).toInt(), sutrs_);
        const QPoint at = frame_->limitView()->visualItemRect(item).center();
        emit frame_->limitView()->customContextMenuRequested(at);
        QTRY_VERIFY(frame_->targetMenu()->isVisible());
        frame_->targetMenu()->hide();
        QMenu* targetExport = frame_->targetMenu()->actions().front()->menu();
        QVERIFY(targetExport->menuAction()->isEnabled());
        std::vector<int32_t> ofTarget;
        for (const Record& r : g_->core().store.copyAll())
            if (r.targetId == sutrs_) ofTarget.push_back(r.number);
        QCOMPARE(ofTarget.size(), size_t(30));
        QCOMPARE(exportTo(kindIn(targetExport, "TEXT"), "sutrs.txt"), joinedTexts(ofTarget));
        QCOMPARE(boxes.texts().size(), 2);
    }

    void cancelLeavesTheOldFileWhole() {
        const std::string path = tmp_.file("keep.mrc");
        writeFileBytes(path, "old");
        const QStringList files = QDir(QString::fromStdString(tmp_.path())).entryList(QDir::Files);
        // The export waits for the store while we hold it, so it outlasts half a second.
        std::atomic<bool> held{false}, release{false};
        std::thread holder([this, &held, &release] {
            std::lock_guard<std::recursive_mutex> hold(g_->core().store.lock());
            held = true;
            for (int i = 0; i < 1000 && !release; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        });
        QTRY_VERIFY(held);
        MessageBoxCatcher boxes;
        QString label;
        whenModal([&](QDialog* dialog) {
            auto* progress = qobject_cast<QProgressDialog*>(dialog);
            QVERIFY(progress);
            label = progress->labelText();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            release = true;
        });
        answers_.push_back(QString::fromStdString(path));
        g_->doc().exportFile(FileExportKind::Marc, frame_.get(), RecordScope::List);
        release = true;
        holder.join();
        QCOMPARE(label, QString("Exporting record 1 of 60"));
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join('\n')));
        QCOMPARE(readFileBytes(path), std::string("old"));
        QCOMPARE(QDir(QString::fromStdString(tmp_.path())).entryList(QDir::Files), files);
    }
};

QTEST_MAIN(ManyRecordsTest)
#include "ManyRecordsTest.moc"
