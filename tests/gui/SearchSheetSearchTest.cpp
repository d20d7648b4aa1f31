// A search composed on each page of the Search sheet, run through the document
// on a real Zebra serving the demo catalogue, finds the same records as the
// toolkit's own search of the same PQF.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>

#include "GuiSupport.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "ZoomSearch.h"
#include "query/BatchNumbers.h"
#include "query/widgets/PPAdvSearch.h"
#include "query/widgets/PPBasicSearch.h"
#include "query/widgets/PPISBNBatchSearch.h"
#include "query/widgets/PPPQFSearch.h"
#include "query/widgets/SearchSheet.h"

namespace {

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

class SearchSheetSearchTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    std::unique_ptr<ZebraServer> zebra_;
    std::string zurl_;

    // Fills the sheet with fill, confirms it, runs the search through the
    // document and returns the 001 of every record found; the PQF strings the
    // search ran go to *queries.
    std::vector<std::string> searchThroughSheet(const std::function<void(SearchSheet&)>& fill,
                                                std::vector<std::string>* queries) {
        SearchHarness harness(searchSettings(200, 2000, 2));
        harness.addTarget("Demo", zurl_, "USMARC", "F");
        DocumentCore& doc = *harness.doc;
        doc.query.batchList.clear();
        doc.query.batch = false;
        SearchSheet sheet(doc);
        sheet.show();
        fill(sheet);
        if (sheet.isVisible()) QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
        if (sheet.result() != QDialog::Accepted) return {};
        *queries =
            doc.query.batch ? doc.query.batchList : std::vector<std::string>{doc.query.pqf()};
        doc.search.startSearch();
        if (!harness.drain(60000)) return {"search did not end"};
        std::vector<std::string> found;
        for (const Record& r : doc.store.copyAll()) found.push_back(controlNumberOf(r.rawData));
        return sorted(found);
    }

    std::vector<std::string> searchedDirectly(const std::vector<std::string>& queries) {
        std::vector<std::string> found;
        for (const std::string& pqf : queries) {
            const ZoomSearchResult result = zoomSearch(
                zurl_, pqf, {{"preferredRecordSyntax", "USMARC"}, {"elementSetName", "F"}}, 200);
            for (const ZoomRecordForms& r : result.records) found.push_back(controlNumberOf(r.raw));
        }
        return sorted(found);
    }

    void compare(const std::function<void(SearchSheet&)>& fill, const std::string& expectedPqf,
                 size_t atLeast) {
        std::vector<std::string> queries;
        const std::vector<std::string> found = searchThroughSheet(fill, &queries);
        QVERIFY(!queries.empty());
        if (!expectedPqf.empty()) QCOMPARE(queries.front(), expectedPqf);
        QCOMPARE(found, searchedDirectly(queries));
        QVERIFY2(found.size() >= atLeast, std::to_string(found.size()).c_str());
    }

private slots:
    void initTestCase() {
        try {
            zebra_ = ZebraServer::withDemoCorpus();
        } catch (const std::exception& e) {
            QFAIL(e.what());
        }
        zurl_ = zebra_->zurl("Default");
    }
    void cleanupTestCase() { zebra_.reset(); }

    void basicPage() {
        compare([](SearchSheet& s) { typeInto(s.basicPage(), "titleTerm", "lighthouse"); },
                "@attr 1=4 \"lighthouse\" ", 100);
    }

    void basicPageWithQuotesInTheTerm() {
        compare([](SearchSheet& s) { typeInto(s.basicPage(), "titleTerm", "\"lighthouse\""); },
                "@attr 1=4 \"\\\"lighthouse\\\"\" ", 100);
    }

    void advancedPage() {
        compare(
            [](SearchSheet& s) {
                QVERIFY(s.setCurrentPage(1));
                typeInto(s.advancedPage(), "term1", "lighthouse");
                typeInto(s.advancedPage(), "term2", "kowalczyk");
                s.advancedPage()->operatorList(1)->setCurrentText("OR");
            },
            "@or @attr 1=4 \"lighthouse\" @attr 1=1003 \"kowalczyk\"", 101);
    }

    void pqfPage() {
        compare(
            [](SearchSheet& s) {
                QVERIFY(s.setCurrentPage(3));
                typeInto(s.pqfPage(), "query", "@attr 1=4 compass");
            },
            "@attr 1=4 compass", 20);
    }

    void batchPage() {
        std::vector<std::string> isbns;
        for (const CorpusRecord& r : demoCorpus().records())
            for (const std::string& isbn : r.isbns)
                if (isbn.size() == 10 && isbns.size() < 3) isbns.push_back(isbn);
        QCOMPARE(isbns.size(), size_t(3));
        compare(
            [&](SearchSheet& s) {
                QVERIFY(s.setCurrentPage(2));
                for (const std::string& n : isbns) {
                    typeInto(s.batchPage(), "number", QString::fromStdString(n));
                    QTest::keyClick(s.batchPage()->findChild<QWidget*>("number"), Qt::Key_Return);
                }
            },
            batchQueryFor(isbns[0]), 3);
    }
};

QTEST_MAIN(SearchSheetSearchTest)
#include "SearchSheetSearchTest.moc"
