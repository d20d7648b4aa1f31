// The Search sheet driven as a user would: typing into the real fields,
// clicking the real buttons, Enter and the page keys; checked by the PQF text
// that reaches the document's SearchQuery, byte for byte.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "GuiSupport.h"
#include "SearchHarness.h"
#include "query/widgets/AttributeEditor.h"
#include "query/widgets/PPAdvSearch.h"
#include "query/widgets/PPBasicSearch.h"
#include "query/widgets/PPISBNBatchSearch.h"
#include "query/widgets/PPPQFSearch.h"
#include "query/widgets/SearchSheet.h"

namespace {

SettingsData rowSettings() {
    SettingsData s = searchSettings(200, 2000, 2);
    s.BasicSearch_TitlePQF = " @attr 1=4  ";
    return s;
}

template <typename T>
T* field(QWidget* page, const char* name) {
    T* w = page->findChild<T*>(name);
    if (!w) qFatal("no field %s", name);
    return w;
}

QStringList shownNumbers(QWidget* page) {
    QStringList shown;
    auto* list = field<QListWidget>(page, "numberList");
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    return shown;
}

}  // namespace

class SearchSheetTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    std::unique_ptr<SearchHarness> harness_;
    DocumentCore* doc_ = nullptr;

private slots:
    void init() {
        harness_ = std::make_unique<SearchHarness>(rowSettings());
        harness_->addTarget("Local", "127.0.0.1:1/none");
        doc_ = harness_->doc.get();
    }
    void cleanup() { harness_.reset(); }

    void keyboardAloneSearchesTitleAndAuthor() {
        bool sawFocusInTitle = false;
        whenModal([&](QDialog* sheet) {
            QTRY_VERIFY(sheet->isActiveWindow());
            QWidget* first = QApplication::focusWidget();
            sawFocusInTitle = first && first->objectName() == "titleTerm";
            QTest::keyClicks(first, "The \"Best\" of");
            QTest::keyClick(first, Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), "smith");
            grabToFile(sheet, "SearchSheet-basic");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QVERIFY(runSearchSheet(*doc_, nullptr));
        QVERIFY(sawFocusInTitle);
        QCOMPARE(doc_->query.pqf(),
                 std::string("@and @attr 1=4 \"The \\\"Best\\\" of\" @attr 1=1003 \"smith\" "));
        QVERIFY(!doc_->query.batch);
        QCOMPARE(doc_->settings->BasicSearch_TitlePQF, std::string("@attr 1=4"));  // kept trimmed
        QCOMPARE(doc_->settings->AdvSearch_PQF4, std::string("@attr 1=1016"));
    }

    void cancelKeepsTheSettings() {
        whenModal([](QDialog* sheet) {
            QTest::keyClicks(QApplication::focusWidget(), "dogs");
            QTest::keyClick(sheet, Qt::Key_Escape);
        });
        QVERIFY(!runSearchSheet(*doc_, nullptr));
        QCOMPARE(doc_->settings->BasicSearch_TitlePQF, std::string(" @attr 1=4  "));
    }

    void pageLeftLastDecides() {
        SearchSheet sheet(*doc_);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        typeInto(field<QLineEdit>(sheet.basicPage(), "titleTerm"), "dogs");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(sheet.currentPage(), sheet.advancedPage());
        QCOMPARE(doc_->query.pqf(), std::string("@attr 1=4 \"dogs\" "));

        PPAdvSearch* adv = sheet.advancedPage();
        QCOMPARE(QApplication::focusWidget(), adv->term(0));
        QTest::keyClicks(adv->term(0), "x");
        QTest::keyClick(adv->term(0), Qt::Key_Tab);  // to row 2's operator
        QTest::keyClicks(adv->term(1), "y");
        QTest::keyClick(adv->operatorList(2), Qt::Key_Down);  // OR
        QTest::keyClicks(adv->term(2), "z");
        QTest::keyClick(adv->operatorList(3), Qt::Key_End);  // AND NOT, row left empty
        grabToFile(&sheet, "SearchSheet-advanced");
        QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(doc_->query.pqf(), std::string("@or @and @attr 1=4 \"x\" @attr 1=1003 \"y\" "
                                                "@attr 1=21 \"z\""));
    }

    void okFollowsTheActiveTargetsOnEverySearchPage() {
        doc_->targetList.targets.front().active = false;
        doc_->targetList.activeCount = 3;  // stale: the sheet counts again
        SearchSheet sheet(*doc_);
        sheet.show();
        for (int i = 0; i < sheet.pageCount(); ++i) {
            QVERIFY(sheet.setCurrentPage(i));
            QVERIFY(!sheet.okButton()->isEnabled());
        }
        sheet.reject();
        doc_->targetList.targets.front().active = true;
        SearchSheet active(*doc_);
        active.show();
        QVERIFY(active.okButton()->isEnabled());
        QCOMPARE(active.pageTree()->topLevelItem(0)->childCount(), 3);
        QCOMPARE(active.pageTree()->topLevelItem(0)->child(2)->text(0),
                 QString("Prefix Query Format"));
    }

    void everyPageHasUnambiguousMnemonics() {
        SearchSheet sheet(*doc_);
        sheet.show();
        for (int i = 0; i < sheet.pageCount(); ++i) {
            QVERIFY(sheet.setCurrentPage(i));
            QCOMPARE(duplicateMnemonics(&sheet), QStringList());
        }
        sheet.reject();
        AttributeEditor editor({}, {}, AttributeEditor::Mode::Row);
        editor.sheet().show();
        for (int i = 0; i < editor.sheet().pageCount(); ++i) {
            QVERIFY(editor.sheet().setCurrentPage(i));
            QCOMPARE(duplicateMnemonics(&editor.sheet()), QStringList());
        }
    }

    void pqfPageAddsTermsAndSearchesTheFieldAsTyped() {
        SearchSheet sheet(*doc_);
        sheet.show();
        PPPQFSearch* page = sheet.pqfPage();
        sheet.setCurrentPage(3);
        auto* term = field<QLineEdit>(page, "term");
        auto* attributes = field<QLineEdit>(page, "attributes");
        auto* query = field<QPlainTextEdit>(page, "query");
        auto* op = field<QComboBox>(page, "operatorList");
        QCOMPARE(op->currentText(), QString("@and"));
        QCOMPARE(op->itemText(1), QString("@not"));

        typeInto(term, "cat");
        typeInto(attributes, "@attr 1=4");
        QTest::mouseClick(field<QPushButton>(page, "add"), Qt::LeftButton);
        QCOMPARE(query->toPlainText(), QString("@attr 1=4 \"cat\""));
        term->clear();
        typeInto(term, "a\\b");
        op->setCurrentText("@or");
        QTest::mouseClick(field<QPushButton>(page, "add"), Qt::LeftButton);
        QCOMPARE(query->toPlainText(), QString("@or @attr 1=4 \"cat\" @attr 1=4 \"a\\\\b\""));

        // Edit: the Bib-1 page alone, its title fixed; OK puts its string in.
        whenModal([](QDialog* editor) {
            auto* title = editor->findChild<QLineEdit*>("title");
            QVERIFY(title && !title->isEnabled());
            auto* use = editor->findChild<QComboBox*>("use");
            use->setCurrentText("Author: @attr 1=1003");
            grabToFile(editor, "AttributeEditor-attributesOnly");
            QTest::mouseClick(qobject_cast<PropertySheet*>(editor)->okButton(), Qt::LeftButton);
        });
        QTest::mouseClick(field<QPushButton>(page, "edit"), Qt::LeftButton);
        QCOMPARE(attributes->text(), QString("@attr 1=1003 "));

        query->clear();
        typeInto(query, "@attr 1=4 \"un closed");
        QTest::keyClick(query, Qt::Key_Return);  // a line break, not OK
        QTest::keyClicks(query, " x");
        QVERIFY(sheet.isVisible());
        grabToFile(&sheet, "SearchSheet-pqf");
        sheet.accept();
        QCOMPARE(doc_->query.pqf(), std::string("@attr 1=4 \"un closed\n x"));
    }

    void batchPageAddsTypedNumbersAndWinsAtOk() {
        MessageBoxCatcher boxes;
        SearchSheet sheet(*doc_);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.setCurrentPage(2);
        PPISBNBatchSearch* page = sheet.batchPage();
        auto* number = field<QLineEdit>(page, "number");

        typeInto(number, "9780306406157");
        QTest::keyClick(number, Qt::Key_Return);  // adds; the sheet stays open
        QVERIFY(sheet.isVisible());
        QVERIFY(number->text().isEmpty());
        typeInto(number, "03178471");
        QTest::mouseClick(field<QPushButton>(page, "add"), Qt::LeftButton);
        typeInto(number, "0131103628");
        QTest::keyClick(number, Qt::Key_Enter);
        typeInto(number, "0306406152");
        QTest::keyClick(number, Qt::Key_Return);
        typeInto(number, "9791034567890");
        QTest::keyClick(number, Qt::Key_Return);
        QTRY_COMPARE(boxes.texts().size(), 2);
        QCOMPARE(boxes.texts(), QStringList({"ISBN [ 0306406152 ] already in List.",
                                             "9791034567890 has a wrong check digit"}));
        QCOMPARE(boxes.titles().first(), QString("qrn"));
        QCOMPARE(number->text(), QString("9791034567890"));  // kept for correcting
        // In the order they were added.
        QCOMPARE(shownNumbers(page), QStringList({"9780306406157", "03178471", "0131103628"}));

        auto* list = field<QListWidget>(page, "numberList");
        list->setCurrentRow(2);  // 0131103628
        QTest::mouseClick(field<QPushButton>(page, "remove"), Qt::LeftButton);
        QCOMPARE(shownNumbers(page), QStringList({"9780306406157", "03178471"}));
        grabToFile(&sheet, "SearchSheet-batch");

        // The title typed afterwards is not searched: the batch page was shown.
        sheet.setCurrentPage(0);
        auto* title = field<QLineEdit>(sheet.basicPage(), "titleTerm");
        typeInto(title, "dogs");
        QTest::keyClick(title, Qt::Key_Return);
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QVERIFY(doc_->query.batch);
        QCOMPARE(doc_->query.batchList,
                 std::vector<std::string>({"@or @attr 1=7 0306406152 @attr 1=7 9780306406157",
                                           "@or @attr 1=8 03178471 @attr 1=8 0317-8471"}));
    }

    void emptyBatchPageLeavesTheOtherQuery() {
        SearchSheet sheet(*doc_);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.setCurrentPage(2);
        auto* number = field<QLineEdit>(sheet.batchPage(), "number");
        number->setFocus();
        sheet.setCurrentPage(0);
        typeInto(field<QLineEdit>(sheet.basicPage(), "authorTerm"), "smith");
        sheet.setCurrentPage(2);
        QTest::keyClick(number, Qt::Key_Return);  // empty field: Enter confirms
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QVERIFY(!doc_->query.batch);
        QCOMPARE(doc_->query.pqf(), std::string("@attr 1=1003 \"smith\" "));
    }

    void loadedFileTellsItsBadLinesInOneBox() {
        const std::string path = dirs_.home().file("numbers.txt");
        writeFileBytes(path,
                       "0306406152\r\n9780306406157\n\n# supplier\n0-306-40615-3\n03178471\r\n"
                       "9780131103627\nabcdefghij\n");
        MessageBoxCatcher boxes;
        SearchSheet sheet(*doc_);
        sheet.show();
        sheet.setCurrentPage(2);
        whenModal([path](QDialog* dialog) {
            // The dialog may reset its name field while it reads the folder:
            // type the name again until the dialog takes it (bounded).
            QPointer<QDialog> files(dialog);
            for (int attempt = 0; attempt < 100 && files && files->isVisible(); ++attempt) {
                auto* name = files->findChild<QLineEdit*>("fileNameEdit");
                QVERIFY(name);
                name->clear();
                QTest::keyClicks(name, QString::fromStdString(path));
                files->accept();
                if (files && files->isVisible()) QTest::qWait(20);
            }
        });
        QTest::mouseClick(field<QPushButton>(sheet.batchPage(), "loadFromFile"), Qt::LeftButton);
        QTRY_COMPARE(boxes.texts().size(), 1);
        QCOMPARE(boxes.texts().first(), QString("3 lines not loaded: line 2, line 5, line 8\n"
                                                "line 2: ISBN [ 9780306406157 ] already in List.\n"
                                                "line 5: 0306406153 has a wrong check digit\n"
                                                "line 8: abcdefghij is not a valid ISBN or ISSN"));
        QCOMPARE(shownNumbers(sheet.batchPage()),
                 QStringList({"0306406152",
                              "0-306-40615-3 \u2014 0306406153 has a wrong check digit",
                              "03178471", "9780131103627",
                              "abcdefghij \u2014 abcdefghij is not a valid ISBN or ISSN"}));
        QCOMPARE(sheet.batchPage()->numbers().numbers(),
                 std::vector<std::string>({"0306406152", "03178471", "9780131103627"}));

        // A box would be modal: loadFile returns only once the catcher closed it.
        sheet.batchPage()->loadFile(QString::fromStdString(dirs_.home().file("missing.txt")));
        QCOMPARE(boxes.texts().size(), 1);  // an unreadable file says nothing
        QCOMPARE(shownNumbers(sheet.batchPage()).size(), 5);
        sheet.reject();
    }

    void refusedLinesStayListedInFileOrderWithTheirReason() {
        MessageBoxCatcher boxes;
        const std::string path = dirs_.home().file("mixed.txt");
        writeFileBytes(path, "9780306406157\nabc\n0131103628\n0-306-40615-3\n");
        SearchSheet sheet(*doc_);
        sheet.show();
        sheet.setCurrentPage(2);
        PPISBNBatchSearch* page = sheet.batchPage();
        page->loadFile(QString::fromStdString(path));
        QTRY_COMPARE(boxes.texts().size(), 1);
        QCOMPARE(shownNumbers(page),
                 QStringList({"9780306406157", "abc \u2014 abc is not a valid ISBN or ISSN",
                              "0131103628",
                              "0-306-40615-3 \u2014 0306406153 has a wrong check digit"}));
        auto* list = field<QListWidget>(page, "numberList");
        QVERIFY(!(list->item(1)->flags() & Qt::ItemIsSelectable));
        grabToFile(&sheet, "SearchSheet-refused");
        sheet.accept();
        QCOMPARE(doc_->query.batchNumbers.size(), size_t(2));
        QCOMPARE(doc_->query.batchRefused.size(), size_t(2));
        QCOMPARE(doc_->query.batchRefused[1].before, size_t(2));
    }

    void removedNumberLeavesTheSearch() {
        const std::string path = dirs_.home().file("one.txt");
        writeFileBytes(path, "0306406152\n");
        SearchSheet sheet(*doc_);
        sheet.show();
        sheet.setCurrentPage(2);
        PPISBNBatchSearch* page = sheet.batchPage();
        typeInto(field<QLineEdit>(page, "number"), "12");
        page->loadFile(QString::fromStdString(path));
        QCOMPARE(field<QLineEdit>(page, "number")->text(), QString());
        auto* list = field<QListWidget>(page, "numberList");
        QCOMPARE(list->count(), 1);
        list->setCurrentRow(0);
        QTest::mouseClick(field<QPushButton>(page, "remove"), Qt::LeftButton);
        QCOMPARE(list->count(), 0);
        QVERIFY(page->numbers().numbers().empty());
        sheet.reject();
    }
};

QTEST_MAIN(SearchSheetTest)
#include "SearchSheetTest.moc"
