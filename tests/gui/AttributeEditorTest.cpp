// The Search Attribute Editor: the page left last decides, the Bib-1 lists
// make their string in attribute-type order, and a row's button follows OK.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "GuiSupport.h"
#include "SearchHarness.h"
#include "query/widgets/AttributeEditor.h"
#include "query/widgets/PPAttribEditBib1.h"
#include "query/widgets/PPBasicSearch.h"

namespace {

const SearchAttribute kCurrent{"Words", "@attr 1=1016"};
const SearchAttribute kDefault{"Title", "@attr 1=4"};

QLineEdit* fieldOn(PropertySheet& sheet, int page, const char* name) {
    return sheet.page(page)->findChild<QLineEdit*>(name);
}

void choose(QComboBox* list, const char* entry) {
    const int index = list->findText(entry);
    QVERIFY2(index > 0, entry);
    list->setCurrentIndex(index);
}

}  // namespace

class AttributeEditorTest : public QObject {
    Q_OBJECT
private slots:
    void pagesShowTheRowItsDefaultAndEmptyLists() {
        AttributeEditor editor(kCurrent, kDefault, AttributeEditor::Mode::Row);
        PropertySheet& sheet = editor.sheet();
        QCOMPARE(sheet.windowTitle(), QString("Search Attribute Editor"));
        QCOMPARE(sheet.pageCount(), 3);
        QCOMPARE(sheet.pageTree()->topLevelItem(2)->text(0), QString("Bib-1"));
        sheet.show();
        QCOMPARE(sheet.currentIndex(), 0);
        QCOMPARE(fieldOn(sheet, 0, "title")->text(), QString("Words"));
        QVERIFY(!fieldOn(sheet, 1, "pqf")->isEnabled());
        QCOMPARE(fieldOn(sheet, 1, "pqf")->text(), QString("@attr 1=4"));
        auto* bib1 = static_cast<PPAttribEditBib1*>(sheet.page(2));
        QVERIFY(fieldOn(sheet, 2, "title")->text().isEmpty());
        for (int type = 1; type <= 6; ++type) {  // entries: see PqfComposeTest
            QCOMPARE(bib1->list(type)->currentIndex(), 0);
            QVERIFY(bib1->list(type)->currentText().isEmpty());
        }
        QCOMPARE(bib1->list(1)->itemText(1), QString("Abstract: @attr 1=62"));
        sheet.setCurrentPage(2);
        grabToFile(&sheet, "AttributeEditor-bib1");
        sheet.reject();
    }

    void pageLeftLastDecides() {
        AttributeEditor editor(kCurrent, kDefault, AttributeEditor::Mode::Row);
        PropertySheet& sheet = editor.sheet();
        sheet.show();
        QLineEdit* title = fieldOn(sheet, 0, "title");
        title->selectAll();
        QTest::keyClicks(title, "Typed");
        QVERIFY(sheet.setCurrentPage(2));
        auto* bib1 = static_cast<PPAttribEditBib1*>(sheet.page(2));
        choose(bib1->list(3), "any position in field: @attr 3=3");  // above Use in the layout
        choose(bib1->list(1), "Any: @attr 1=1016");
        QCOMPARE(fieldOn(sheet, 2, "pqf")->text(), QString("@attr 1=1016 @attr 3=3 "));
        QVERIFY(sheet.setCurrentPage(0));
        sheet.accept();
        QCOMPARE(editor.result().title, std::string("Typed"));
        QCOMPARE(editor.result().pqf, std::string("@attr 1=1016"));

        AttributeEditor reset(kCurrent, kDefault, AttributeEditor::Mode::Row);
        reset.sheet().show();
        reset.sheet().setCurrentPage(1);
        reset.sheet().accept();
        QCOMPARE(reset.result().title, kDefault.title);
        QCOMPARE(reset.result().pqf, kDefault.pqf);

        AttributeEditor composed(kCurrent, kDefault, AttributeEditor::Mode::Row);
        composed.sheet().show();
        composed.sheet().setCurrentPage(2);
        choose(static_cast<PPAttribEditBib1*>(composed.sheet().page(2))->list(4),
               "numeric string: @attr 4=109");
        composed.sheet().accept();
        QCOMPARE(composed.result().title, std::string());  // the row's button goes blank
        QCOMPARE(composed.result().pqf, std::string("@attr 4=109 "));
    }

    void rowButtonTakesTheResultOnlyAfterOk() {
        SearchHarness harness(searchSettings());
        PPBasicSearch page(*harness.doc, {{{"Title", "@attr 1=4"}, {"Author", "@attr 1=1003"}}});
        page.show();
        auto* button = page.findChild<QPushButton*>("titleButton");

        whenModal([](QDialog* dialog) {
            auto* sheet = qobject_cast<PropertySheet*>(dialog);
            sheet->setCurrentPage(2);
            QTest::keyClicks(fieldOn(*sheet, 2, "title"), "Only & title");
            QTest::mouseClick(sheet->okButton(), Qt::LeftButton);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QString("Only && title"));  // shown as typed, no mnemonic
        QCOMPARE(page.rows()[0].pqf, std::string());
        page.findChild<QLineEdit*>("titleTerm")->setText("dogs");
        QCOMPARE(*page.composedQuery(), std::string(" \"dogs\" "));  // no attribute in front

        whenModal([](QDialog* dialog) {
            auto* sheet = qobject_cast<PropertySheet*>(dialog);
            QTest::keyClicks(fieldOn(*sheet, 0, "title"), "ignored");
            QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(page.rows()[0].title, std::string("Only & title"));
    }
};

QTEST_MAIN(AttributeEditorTest)
#include "AttributeEditorTest.moc"
