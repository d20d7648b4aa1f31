// The Batch Report after a real batch search: offered at the end, a row per
// number, double-click shows that number's records in the list, exports.
#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <fstream>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "Isbn13Catalogue.h"
#include "TestDocument.h"
#include "TestSupport.h"
#include "app/CMainFrame.h"
#include "query/BatchFileReader.h"
#include "query/widgets/BatchReportWindow.h"

class BatchReportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { zebra_ = isbn13Catalogue(); }
    void cleanupTestCase() { zebra_.reset(); }

    void reportShowsEachNumbersRecords() {
        GuiDocument g;
        g.addTarget("Thirteen", zebra_->zurl("Default"));
        CMainFrame frame(g.doc());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(!frame.action("Batch Report")->isEnabled());

        BatchNumberList numbers;
        std::string message;
        for (const char* n : {"0306406152", "9791032300824", "0262033844"})
            QVERIFY(numbers.addBatchNumber(n, message) == BatchNumberList::AddResult::Added);
        startBatchSearch(g.core(), numbers);
        QVERIFY(g.settle());
        QMessageBox* offer = nullptr;
        QTRY_VERIFY((offer = frame.findChild<QMessageBox*>("batchReportOffer")));
        QVERIFY2(offer->text().contains("3 numbers: 2 found, 1 not found, 0 errors"),
                 qPrintable(offer->text()));
        QVERIFY(frame.action("Batch Report")->isEnabled());
        QTest::mouseClick(offer->button(QMessageBox::Yes), Qt::LeftButton);

        BatchReportWindow* report = frame.batchReportWindow();
        QVERIFY(report && report->isVisible());
        QTableWidget* table = report->table();
        QCOMPARE(table->rowCount(), 3);
        int total = 0;
        for (const BatchReportRow& row : report->rows())
            total += static_cast<int>(row.records.size());
        QCOMPARE(total, static_cast<int>(g.core().store.count()));
        // In the order searched, each found number with a title and the
        // suggested record named by title and target.
        QCOMPARE(table->item(0, 0)->text(), QString("0306406152"));
        QCOMPARE(table->item(2, 0)->text(), QString("0262033844"));
        QVERIFY(table->item(0, 4)->text().startsWith("Book isbn-"));
        QCOMPARE(table->item(0, 5)->text(), table->item(0, 4)->text() + " (Thirteen)");
        QCOMPARE(table->item(2, 4)->text(), QString());
        grabToFile(report, "BatchReport");

        const std::vector<int32_t> wanted = report->rows().front().records;
        QCOMPARE(wanted.size(), size_t(2));
        const QList<QTableWidgetItem*> found = table->findItems("0306406152", Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QRect cell = table->visualItemRect(found.front());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        std::vector<int32_t> chosen = g.core().selection.selectedRecordNumbers;
        std::sort(chosen.begin(), chosen.end());
        QCOMPARE(chosen, wanted);
        QCOMPARE(g.core().selection.selectedRecordNumber, wanted.front());
        grabToFile(&frame, "BatchReport-records");

        // The unfound numbers load again as a numbers file.
        TempDir dir;
        QVERIFY(report->exportReport(QString::fromStdString(dir.file("report.tsv"))));
        QCOMPARE(readFileBytes(dir.file("report.tsv")), batchReportLines(report->rows(), true));
        QVERIFY(report->exportUnfoundNumbers(QString::fromStdString(dir.file("again.txt"))));
        std::ifstream again(dir.file("again.txt"));
        BatchNumberList second;
        QVERIFY(addBatchNumbersFrom(again, second).empty());
        QCOMPARE(second.numbers(), std::vector<std::string>({"0262033844"}));
    }

    void theWindowWidensToShowEveryColumnWhole() {
        BatchReportRow row;
        row.number = "0306406152";
        row.state = BatchNumberState::Found;
        row.records = {1};
        row.targets = {"Thirteen"};
        row.title = std::string(22, 'T');
        row.suggested = row.title + " (Thirteen)";
        BatchReportWindow window;
        window.setReport({row});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QHeaderView* header = window.table()->horizontalHeader();
        const int last = header->count() - 1;
        QCOMPARE(window.table()->horizontalHeaderItem(last)->text(),
                 QString("Suggested best record"));
        QVERIFY(header->sectionSize(last) >= header->sectionSizeHint(last));
        QVERIFY(header->sectionViewportPosition(last) + header->sectionSize(last) <=
                header->viewport()->width());
        grabToFile(&window, "BatchReport-wide");
    }

    void summarySaysNumbersAndErrorsInSingularAndPlural() {
        BatchReportRow found;
        found.state = BatchNumberState::Found;
        QCOMPARE(batchReportSummary({found}), QString("1 number: 1 found, 0 not found, 0 errors"));
        BatchReportRow error;
        error.state = BatchNumberState::Error;
        BatchReportRow refused;
        refused.state = BatchNumberState::Refused;
        QCOMPARE(batchReportSummary({found, error, refused}),
                 QString("2 numbers: 1 found, 0 not found, 1 error; 1 line refused"));
        QCOMPARE(batchReportSummary({refused, error, error, refused}),
                 QString("2 numbers: 0 found, 0 not found, 2 errors; 2 lines refused"));
    }

private:
    std::unique_ptr<ZebraServer> zebra_;
};

QTEST_MAIN(BatchReportTest)
#include "BatchReportTest.moc"
