// Copies of one book from two real Zebras with overlapping records: the
// grouped list (View > Group Copies) against qrn-search --format groups, the
// export scope of whole groups, the user's changes to the groups, and the
// Compare window on two copies that differ; the flat list's Marks column.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <map>
#include <set>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "MarcBuilder.h"
#include "TestSupport.h"
#include "ZebraServer.h"
#include "app/CMainFrame.h"
#include "views/GroupedRecordModel.h"
#include "views/MGroupedListView.h"
#include "views/MLimitView.h"
#include "views/MRecordListView.h"
#include "views/MRecordView.h"
#include "views/RecordListModel.h"

namespace {

using Groups = std::set<std::vector<std::string>>;

std::string book(const std::string& id, const std::string& title, const std::string& ind245,
                 const MarcSubfields& numbers, const std::string& numberTag = "020",
                 bool pcc = false) {
    MarcBuilder b("00000nam a2200000 a 4500");
    b.control("001", id);
    if (!numbers.empty()) b.data(numberTag, "  ", numbers);
    if (pcc) b.data("042", "  ", {{'a', "pcc"}});
    b.data("100", "1 ", {{'a', "Ames, Ann."}});
    b.data("245", ind245, {{'a', title}});
    b.data("260", "  ", {{'a', "Oxford :"}, {'c', "1990."}});
    if (pcc) b.data("650", " 0", {{'a', "Lighthouses."}});
    return b.build();
}

// Each group as its copies' "target TAB title" lines, sorted: arrival order
// differs between two searches, what is grouped with what does not.
Groups groupsOfLines(const QString& lines) {
    std::map<std::string, std::vector<std::string>> byNumber;
    for (const QString& line : lines.split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split('\t');
        if (f.size() == 4)
            byNumber[f[0].toStdString()].push_back((f[2] + '\t' + f[3]).toStdString());
    }
    Groups groups;
    for (auto& [number, copies] : byNumber) {
        std::sort(copies.begin(), copies.end());
        groups.insert(copies);
    }
    return groups;
}

}  // namespace

class CopyGroupsTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    TempDir tmp_;
    std::unique_ptr<ZebraServer> alpha_, beta_;
    std::unique_ptr<GuiDocument> g_;
    std::unique_ptr<CMainFrame> frame_;

    MGroupedListView* grouped() { return frame_->groupedListView(); }
    Groups shownGroups() {
        const GroupedRecordModel& m = grouped()->model();
        Groups groups;
        for (int row = 0; row < m.rowCount(); ++row) {
            const QModelIndex group = m.index(row, 0);
            std::vector<std::string> copies;
            const auto line = [&m](const QModelIndex& at) {
                return (at.siblingAtColumn(2).data().toString() + '\t' + at.data().toString())
                    .toStdString();
            };
            for (int c = 0; c < m.rowCount(group); ++c)
                copies.push_back(line(m.index(c, 0, group)));
            if (copies.empty()) copies.push_back(line(group));
            std::sort(copies.begin(), copies.end());
            groups.insert(copies);
        }
        return groups;
    }
    QModelIndex groupWith(const QString& title) {
        const GroupedRecordModel& m = grouped()->model();
        for (int row = 0; row < m.rowCount(); ++row)
            if (m.index(row, 0).data().toString().endsWith(title)) return m.index(row, 0);
        qFatal("no group %s", qPrintable(title));
    }

private slots:
    void initTestCase() {
        // Alpha and Beta share 'Harbour lights' (ISBN-10 and -13), 'Tide tables'
        // (an OCLC number) and 'Fog signals' (no numbers: title, author, date);
        // their 'Reef charts' carry different ISBNs and stay apart.
        writeFileBytes(tmp_.file("alpha.mrc"),
                       book("a1", "Harbour lights /", "10", {{'a', "0-306-40615-2 (pbk.)"}}) +
                           book("a2", "Tide tables.", "10", {{'a', "(OCoLC)ocm00000100"}}, "035") +
                           book("a3", "The fog signals.", "14", {}) +
                           book("a4", "Reef charts.", "10", {{'a', "0198534531"}}));
        writeFileBytes(
            tmp_.file("beta.mrc"),
            book("b1", "Harbour lights /", "00", {{'a', "978-0-306-40615-7"}}, "020", true) +
                book("b2", "Tide tables.", "10", {{'a', "(OCoLC)100"}}, "035") +
                book("b3", "Fog signals.", "10", {}) +
                book("b4", "Reef charts.", "10", {{'a', "0-19-852663-6"}}));
        alpha_ = std::make_unique<ZebraServer>(std::vector<std::string>{tmp_.file("alpha.mrc")});
        beta_ = std::make_unique<ZebraServer>(std::vector<std::string>{tmp_.file("beta.mrc")});
        g_ = std::make_unique<GuiDocument>();
        g_->addTarget("Alpha", alpha_->zurl("Default"));
        g_->addTarget("Beta", beta_->zurl("Default"));
        frame_ = std::make_unique<CMainFrame>(g_->doc());
        frame_->show();
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        g_->start("@attr 1=_ALLRECORDS @attr 2=103 \"\"");
        QVERIFY(g_->settle());
        QCOMPARE(frame_->recordListView()->model().rowCount(), 8);
    }
    void cleanupTestCase() {
        frame_.reset();
        g_.reset();
    }

    void groupedListAgreesWithTheTool() {
        QTest::keyClick(frame_.get(), Qt::Key_G, Qt::ControlModifier);
        QTRY_VERIFY(!grouped()->isHidden());
        QVERIFY(frame_->recordListView()->isHidden());
        QCOMPARE(grouped()->model().rowCount(), 5);
        grabToFile(frame_.get(), QStringLiteral("grouped-list"));

        const QModelIndex harbour = groupWith(QStringLiteral("Harbour lights /"));
        QCOMPARE(harbour.siblingAtColumn(4).data().toString(),
                 QStringLiteral("2 copies, 2 targets"));
        QCOMPARE(harbour.siblingAtColumn(5).data().toString(),
                 QStringLiteral("ISBN 9780306406157"));
        // Beta's copy has PCC and a subject: the best copy, shown on the group's row,
        // which names both targets, the best copy's first.
        QCOMPARE(harbour.siblingAtColumn(2).data().toString(), QStringLiteral("Beta, Alpha"));
        QCOMPARE(grouped()->model().index(0, 2, harbour).data().toString(), QStringLiteral("Beta"));
        QCOMPARE(groupWith(QStringLiteral("og signals.")).siblingAtColumn(5).data().toString(),
                 QStringLiteral("title, author, date"));

        const std::string targets =
            "<?xml version=\"1.0\" ?>\n<ztargets>"
            "<target><name>Alpha</name><zurl>" +
            alpha_->zurl("Default") +
            "</zurl><recsyntax>usmarc</recsyntax><elementsetname>F</elementsetname>"
            "<active>yes</active></target>"
            "<target><name>Beta</name><zurl>" +
            beta_->zurl("Default") +
            "</zurl><recsyntax>usmarc</recsyntax><elementsetname>F</elementsetname>"
            "<active>yes</active></target></ztargets>\n";
        writeFileBytes(tmp_.file("targets.xml"), targets);
        QProcess tool;
        tool.start(QStringLiteral(QRN_BINARY_DIR "/qrn-search"),
                   {QStringLiteral("--targets"), QString::fromStdString(tmp_.file("targets.xml")),
                    QStringLiteral("--quiet"), QStringLiteral("--format"), QStringLiteral("groups"),
                    QStringLiteral("@attr 1=_ALLRECORDS @attr 2=103 \"\"")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        const QString lines = QString::fromUtf8(tool.readAllStandardOutput());
        QCOMPARE(groupsOfLines(lines), shownGroups());
        QVERIFY2(lines.contains(QStringLiteral("\tisbn:9780306406157\tBeta\tHarbour lights /\n")),
                 qPrintable(lines));
    }

    void copiesSayWhichIsBestWithoutRepeatingTheGroup() {
        const QModelIndex harbour = groupWith(QStringLiteral("Harbour lights /"));
        grouped()->expand(harbour);
        const QModelIndex best = grouped()->model().index(0, 4, harbour);
        const QModelIndex other = grouped()->model().index(1, 4, harbour);
        QCOMPARE(best.data().toString(), QStringLiteral("best copy"));
        QCOMPARE(best.siblingAtColumn(5).data().toString(), QString());
        QCOMPARE(other.data().toString(), QString());
        grouped()->collapse(harbour);
    }

    void columnsFitTheWindowWithTitleTakingTheRest() {
        QHeaderView* header = grouped()->header();
        const int columns = header->count();
        const auto widestText = [&](int c) {
            int widest = 0;
            const GroupedRecordModel& m = grouped()->model();
            for (int row = 0; row < m.rowCount(); ++row)
                widest = std::max(widest, grouped()->fontMetrics().horizontalAdvance(
                                              m.index(row, c).data().toString()));
            return widest;
        };
        for (int c = 1; c < columns; ++c) {
            // Each column shows its header and its cells whole.
            QVERIFY2(header->sectionSize(c) >= std::max(header->sectionSizeHint(c), widestText(c)),
                     qPrintable(QString::number(c)));
        }
        // Marks is read whole, and Title takes what is left, no more.
        const int width = grouped()->viewport()->width();
        QVERIFY(header->sectionViewportPosition(columns - 1) +
                    widestText(columns - 1) <= width);
        QCOMPARE(header->length(), width);
        // A wider window gives Title the room.
        const int title = header->sectionSize(0);
        const QSize before = frame_->size();
        frame_->resize(before.width() + 200, before.height());
        QTRY_VERIFY(grouped()->viewport()->width() > width);
        QTRY_COMPARE(header->length(), grouped()->viewport()->width());
        QVERIFY(header->sectionSize(0) > title);
        frame_->resize(before);
    }

    void groupRowsStandForTheirBestCopy() {
        const QModelIndex harbour = groupWith(QStringLiteral("Harbour lights /"));
        grouped()->setFocus();
        grouped()->selectionModel()->setCurrentIndex(
            harbour, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QVERIFY2(frame_->recordView()->toPlainText().startsWith(
                     QStringLiteral("Marks: full · PCC · 7 fields · subjects")),
                 qPrintable(frame_->recordView()->toPlainText().left(200)));
        const std::vector<int32_t> chosen = g_->core().selection.selectedRecordNumbers;
        QCOMPARE(chosen.size(), size_t(1));
        Record best;
        QVERIFY(g_->core().store.copyRecord(chosen[0], best));
        QCOMPARE(best.targetName, std::string("Beta"));
        QCOMPARE(g_->core().recordNumbers(RecordScope::Groups).size(), size_t(2));
        QVERIFY(frame_->groupsExportMenu()->menuAction()->isEnabled());
    }

    void compareTwoCopies() {
        const QModelIndex harbour = groupWith(QStringLiteral("Harbour lights /"));
        grouped()->expand(harbour);
        QItemSelection both(grouped()->model().index(0, 0, harbour),
                            grouped()->model().index(1, 0, harbour));
        grouped()->selectionModel()->select(
            both, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QVERIFY(frame_->action("Compare Records")->isEnabled());
        QDialog* window = frame_->compareSelectedRecords();
        QVERIFY(window);
        auto* table = window->findChild<QTableWidget*>();
        QCOMPARE(table->accessibleName(), QStringLiteral("Compared records"));
        std::map<QString, QString> difference;
        for (int row = 0; row < table->rowCount(); ++row)
            difference[table->item(row, 0)->text()] = table->item(row, 1)->text();
        // Column 1 is the best copy (Beta's), column 2 Alpha's.
        QCOMPARE(difference[QStringLiteral("042")], QStringLiteral("only in 1"));
        QCOMPARE(difference[QStringLiteral("650")], QStringLiteral("only in 1"));
        QCOMPARE(difference[QStringLiteral("245")], QStringLiteral("indicators differ"));
        QCOMPARE(difference[QStringLiteral("020")], QStringLiteral("subfields differ"));
        QCOMPARE(difference[QStringLiteral("100")], QString());
        QVERIFY(table->item(0, 2)->text().startsWith(QStringLiteral("full · PCC")));
        const QRegularExpression beta(QStringLiteral("^1: Beta, row \\d+, 001 b1$"));
        const QRegularExpression alpha(QStringLiteral("^2: Alpha, row \\d+, 001 a1$"));
        QVERIFY2(beta.match(table->horizontalHeaderItem(2)->text()).hasMatch(),
                 qPrintable(table->horizontalHeaderItem(2)->text()));
        QVERIFY2(alpha.match(table->horizontalHeaderItem(3)->text()).hasMatch(),
                 qPrintable(table->horizontalHeaderItem(3)->text()));
        QVERIFY(window->frameGeometry().width() <= window->screen()->availableGeometry().width());
        // Scrolled sideways to the last record, each row still says its field.
        table->setColumnWidth(2, 600);  // as a user widens a long record
        QTRY_VERIFY(table->horizontalScrollBar()->maximum() > 0);
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        QVERIFY(table->columnViewportPosition(1) < 0);
        QVERIFY(table->verticalHeader()->isVisible());
        int row245 = -1;
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 0)->text() == QStringLiteral("245")) row245 = row;
        QCOMPARE(table->model()->headerData(row245, Qt::Vertical).toString(),
                 QStringLiteral("245"));
        grabToFile(window, QStringLiteral("compare-records"));
        window->close();
    }

    void refillKeepsExpandedGroupsAndTheChoice() {
        grouped()->collapse(groupWith(QStringLiteral("Harbour lights /")));
        grouped()->expand(groupWith(QStringLiteral("Tide tables.")));
        grouped()->selectionModel()->select(
            groupWith(QStringLiteral("og signals.")),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        grouped()->refill();
        QVERIFY(grouped()->isExpanded(groupWith(QStringLiteral("Tide tables."))));
        QVERIFY(!grouped()->isExpanded(groupWith(QStringLiteral("Harbour lights /"))));
        const QModelIndexList chosen = grouped()->selectionModel()->selectedRows();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.front(), groupWith(QStringLiteral("og signals.")));
    }

    void takeOutAndJoinHoldUntilTheNextSearch() {
        const QModelIndex harbour = groupWith(QStringLiteral("Harbour lights /"));
        grouped()->expand(harbour);
        grouped()->selectionModel()->select(
            grouped()->model().index(1, 0, harbour),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        grouped()->takeSelectedOutOfGroups();
        QCOMPARE(grouped()->model().rowCount(), 6);
        QItemSelection both;
        both.select(groupWith(QStringLiteral("Harbour lights /")),
                    groupWith(QStringLiteral("Harbour lights /")));
        both.select(groupWith(QStringLiteral("Reef charts.")),
                    groupWith(QStringLiteral("Reef charts.")));
        grouped()->selectionModel()->select(
            both, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        grouped()->joinSelectedIntoOneGroup();
        QCOMPARE(grouped()->model().rowCount(), 5);

        frame_->limitView()->setFocus();
        g_->start("@attr 1=_ALLRECORDS @attr 2=103 \"\"");
        QVERIFY(g_->settle());
        QTRY_COMPARE(grouped()->model().rowCount(), 5);
        QCOMPARE(groupWith(QStringLiteral("Harbour lights /")).siblingAtColumn(4).data().toString(),
                 QStringLiteral("2 copies, 2 targets"));
    }

    void newSearchAfterAClickedGroupListsItsGroups() {
        QTest::mouseClick(grouped()->viewport(), Qt::LeftButton, {},
                          grouped()->visualRect(grouped()->model().index(0, 0)).center());
        QCOMPARE(frame_->activePane(), ActivePane::RecordList);
        g_->start("@attr 1=_ALLRECORDS @attr 2=103 \"\"");
        QVERIFY(g_->settle());
        QTRY_COMPARE(grouped()->model().rowCount(), 5);
    }

    void flatListAgainWithoutGroups() {
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        QTest::keyClick(frame_.get(), Qt::Key_G, Qt::ControlModifier);
        QTRY_VERIFY(!frame_->recordListView()->isHidden());
        QVERIFY(grouped()->isHidden());
        QCOMPARE(frame_->recordListView()->model().rowCount(), 8);
        QCOMPARE(g_->core().selection.listedRecordNumbers.size(), size_t(8));
    }

    void marksColumnSortsTheBestCopyFirstAndIsKept() {
        QFile store(dirs_.settingsFile());  // made by the installer
        QDir().mkpath(QFileInfo(store).path());
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.close();
        MRecordListView* list = frame_->recordListView();
        const RecordListModel& m = list->model();
        QCOMPARE(m.columnCount(), 4);
        QHeaderView* header = list->horizontalHeader();
        QStringList offered;
        QTimer::singleShot(0, this, [&offered] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* action : menu->actions()) offered << action->text();
            menu->close();
        });
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(10, 5),
                                     header->viewport()->mapToGlobal(QPoint(10, 5)));
        QApplication::sendEvent(header->viewport(), &rightClick);
        QCOMPARE(offered, QStringList{QStringLiteral("Show &Quality Marks Column")});
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));

        QTest::keyClick(frame_.get(), Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Q);
        QTRY_COMPARE(m.columnCount(), 5);
        QCOMPARE(m.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Marks"));
        QTRY_VERIFY(!m.index(0, 4).data().toString().isEmpty());

        const QPoint marks(header->sectionViewportPosition(4) + 20, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, marks);
        const auto row = [&m](int at) {
            return m.index(at, 2).data().toString() + ' ' + m.index(at, 0).data().toString();
        };
        QCOMPARE(row(0), QStringLiteral("Beta Harbour lights /"));
        QCOMPARE(m.index(0, 4).data().toString(),
                 QStringLiteral("full · PCC · 7 fields · subjects"));
        const QString words = QStringLiteral("Encoding level: full; PCC; 7 fields; subjects");
        QCOMPARE(m.index(0, 4).data(Qt::ToolTipRole).toString(), words);
        QCOMPARE(m.index(0, 4).data(Qt::AccessibleTextRole).toString(), words);
        list->setFocus();
        list->selectionModel()->setCurrentIndex(
            m.index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTextCursor onPage(frame_->recordView()->document());
        onPage.setPosition(QStringLiteral("Marks: f").size());
        QCOMPARE(onPage.charFormat().toolTip(), words);
        QCOMPARE(groupWith(QStringLiteral("Harbour lights /"))
                     .siblingAtColumn(6)
                     .data(Qt::ToolTipRole)
                     .toString(),
                 words);
        frame_->resize(1280, 700);  // the whole row in the manual's picture
        grabToFile(frame_.get(), QStringLiteral("marks-column"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, marks);
        QCOMPARE(row(7), QStringLiteral("Beta Harbour lights /"));

        // The choice outlives the window; a list made now starts with it.
        QVERIFY(MRecordListView(g_->doc()).model().marksShown());
        list->marksColumnAction()->trigger();
        QCOMPARE(m.columnCount(), 4);
        QVERIFY(!MRecordListView(g_->doc()).model().marksShown());

        frame_->resize(1400, 700);
        QTest::keyClick(frame_.get(), Qt::Key_G, Qt::ControlModifier);
        QTRY_VERIFY(!grouped()->isHidden());
        grouped()->expand(groupWith(QStringLiteral("Harbour lights /")));
        grabToFile(frame_.get(), QStringLiteral("grouped-list-copies"));

        // Its Marks column sorts by quality too: the group of the PCC copy first.
        QHeaderView* groupHeader = grouped()->header();
        QTest::mouseClick(
            groupHeader->viewport(), Qt::LeftButton, {},
            QPoint(groupHeader->sectionViewportPosition(6) + 20, groupHeader->height() / 2));
        QCOMPARE(grouped()->model().index(0, 0).data().toString(),
                 QStringLiteral("Harbour lights /"));
    }
};

QTEST_MAIN(CopyGroupsTest)
#include "CopyGroupsTest.moc"
