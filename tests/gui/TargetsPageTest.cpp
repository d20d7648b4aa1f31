// The Databases page and the target sheet driven through their real widgets:
// filters, check marks, Select All, Add/Edit/Delete with the file written
// afterwards, the Tags page and the port list.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QThreadPool>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "TargetFixtures.h"
#include "FreePort.h"
#include "SilentServer.h"
#include "ZebraServer.h"
#include "query/widgets/PPBasicSearch.h"
#include "query/widgets/SearchSheet.h"
#include "targets/TargetFilter.h"
#include "targets/widgets/DlgPortNumbers.h"
#include "targets/widgets/DlgTargetCheck.h"
#include "targets/widgets/PPTargetEdit.h"
#include "targets/widgets/PPTargetEditTags.h"
#include "targets/widgets/PPTargetProfile.h"
#include "targets/widgets/PPTargets.h"
#include "targets/widgets/TargetEditSheet.h"
#include "ui/CheckComboBox.h"
#include "ui/CheckList.h"

namespace {

// A sheet holding the page after a page to leave to.
struct PageSheet {
    explicit PageSheet(TargetList& list) : sheet("Options") {
        sheet.addPage(new PropertyPage("Main"));
        page = new PPTargets(list, false);
        sheet.addPage(page);
        sheet.show();
        sheet.setCurrentPage(1);
    }
    CheckList* targets() const { return namedChild<CheckList>(page, "targetList"); }
    QStringList shown() const {
        QStringList texts;
        for (int row = 0; row < targets()->entryCount(); ++row) texts << targets()->entryText(row);
        return texts;
    }
    // Selects the entry with text by keyboard and ticks it with Space.
    void tick(const QString& text) {
        CheckList* list = targets();
        list->setFocus();
        for (int row = 0; row < list->entryCount(); ++row)
            if (list->entryText(row) == text) list->setCurrentItem(list->topLevelItem(row));
        QTest::keyClick(list, Qt::Key_Space);
    }
    void chooseLocation(const QString& location) {
        auto* box = namedChild<QComboBox>(page, "locationList");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        while (box->currentText() != location && box->currentIndex() + 1 < box->count())
            QTest::keyClick(box, Qt::Key_Down);
    }
    void click(const char* button) {
        QTest::mouseClick(namedChild<QPushButton>(page, button), Qt::LeftButton);
    }

    PropertySheet sheet;
    PPTargets* page = nullptr;
};

}  // namespace

class TargetsPageTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    TargetList list_;

    void reset() {
        list_.targets.clear();
        list_.tagTable.clear();
        list_.locations.clear();
        list_.activeCount = 0;
        list_.nextId = 1;
        list_.selectedLocation = "All";
    }

private slots:
    void init() {
        reset();
        addTarget(list_, makeTarget("Alpha", "Oslo", {"a"}, true));
        addTarget(list_, makeTarget("Beta", "Bergen", {"b"}, false));
        addTarget(list_, makeTarget("Gamma", "Oslo", {}, false));
        list_.tagTable = {{"a", false}, {"b", false}};
    }

    void tagsAndLocationFilterTheList() {
        PageSheet s(list_);
        QCOMPARE(s.shown(), QStringList({"Alpha\tOslo", "Beta\tBergen", "Gamma\tOslo"}));
        QVERIFY(s.targets()->isChecked(0));

        auto* tags = namedChild<CheckComboBox>(s.page, "tagList");
        tags->setChecked(0, true);
        tags->setChecked(1, true);
        tags->hidePopup();
        QVERIFY(list_.tagTable["a"] && list_.tagTable["b"]);
        QCOMPARE(s.shown(), QStringList({"Alpha\tOslo", "Beta\tBergen"}));
        QCOMPARE(tags->closedText(), QString("a;b"));

        s.chooseLocation("Bergen");
        QCOMPARE(list_.selectedLocation, std::string("Bergen"));
        QCOMPARE(s.shown(), QStringList({"Beta\tBergen"}));
        s.chooseLocation("All");
        QCOMPARE(list_.selectedLocation, std::string("All"));
        QCOMPARE(s.shown().size(), 2);
        grabToFile(&s.sheet, "databases-page");
        QCOMPARE(duplicateMnemonics(&s.sheet), QStringList());
    }

    void unappliedMarksLostOnFilterChangeKeptOnEdit() {
        PageSheet s(list_);
        s.tick("Beta\tBergen");
        s.chooseLocation("Oslo");
        s.chooseLocation("All");
        QVERIFY(!s.targets()->isChecked(1));  // the rebuild went by the active flags

        s.tick("Beta\tBergen");
        whenModal([](QDialog* d) { d->reject(); });
        s.click("edit");
        QVERIFY(findTarget(list_, 3)->active);
        QVERIFY(s.targets()->isChecked(1));
    }

    void selectAllTouchesOnlyShownAndHiddenEndInactive() {
        PageSheet s(list_);
        s.chooseLocation("Oslo");
        s.click("selectAll");
        QCOMPARE(namedChild<QPushButton>(s.page, "selectAll")->text().remove('&'),
                 QString("Unselect All"));
        QVERIFY(s.targets()->isChecked(0) && s.targets()->isChecked(1));
        s.chooseLocation("Bergen");
        s.tick("Beta\tBergen");
        s.chooseLocation("Oslo");  // caption stays through a rebuild
        QCOMPARE(namedChild<QPushButton>(s.page, "selectAll")->text().remove('&'),
                 QString("Unselect All"));
        s.click("selectAll");
        QVERIFY(!s.targets()->isChecked(0) && !s.targets()->isChecked(1));
        s.tick("Gamma\tOslo");
        QVERIFY(s.sheet.setCurrentPage(0));
        QVERIFY(!findTarget(list_, 2)->active && !findTarget(list_, 3)->active);
        QVERIFY(findTarget(list_, 4)->active);
        QCOMPARE(list_.activeCount, 1);
    }

    void addEditDeleteWriteTheFile() {
        reset();
        PageSheet s(list_);
        whenModal([](QDialog* d) {
            auto* sheet = qobject_cast<TargetEditSheet*>(d);
            QVERIFY(sheet);
            QCOMPARE(sheet->windowTitle(), QString("Add Target"));
            QWidget* p = sheet->targetPage();
            typeInto(namedChild<QLineEdit>(p, "name"), "Demo & Co");
            typeInto(namedChild<QLineEdit>(p, "zurl"), "127.0.0.1:21210/demo");
            auto* type = namedChild<QComboBox>(p, "recordType");
            // The usual choice comes ready.
            QCOMPARE(type->currentText(), QString("marc21"));
            auto* elementSet = namedChild<QComboBox>(p, "elementSetName");
            QCOMPARE(elementSet->currentText(), QString("F"));
            type->setCurrentIndex(type->findText("xml"));
            elementSet->clearEditText();
            typeInto(elementSet, "marcxml");
            typeInto(namedChild<QComboBox>(p, "location"), "Here");
            typeInto(namedChild<QLineEdit>(p, "password"), "<pw>");
            grabToFile(sheet, "add-target-sheet");
            QCOMPARE(duplicateMnemonics(sheet), QStringList());
            sheet->setCurrentPage(1);
            auto* tag = namedChild<QComboBox>(sheet->tagsPage(), "tagField");
            typeInto(tag, "local");
            QTest::keyClick(tag->lineEdit(), Qt::Key_Return);  // adds, does not close
            QVERIFY(sheet->isVisible());
            grabToFile(sheet, "add-target-tags");
            QCOMPARE(duplicateMnemonics(sheet), QStringList());
            sheet->accept();
        });
        s.click("add");
        QTRY_COMPARE(s.shown(), QStringList({"Demo & Co\tHere"}));
        QVERIFY(s.targets()->isChecked(0));
        QCOMPARE(list_.tagTable, (std::map<std::string, bool>{{"local", false}}));

        const std::string file = dirs_.home().file("targets.xml");
        writeFileBytes(file, "");
        list_.saveFile(file);
        const std::string head = kTargetListHeader + kEmptyLimits;
        QCOMPARE(readFileBytes(file),
                 head +
                     "<target><name>Demo &amp; Co</name><tag>local</tag>"
                     "<zurl>127.0.0.1:21210/demo</zurl><location>Here</location>"
                     "<recsyntax>xml</recsyntax><elementsetname>marcxml</elementsetname>"
                     "<password>&lt;pw&gt;</password><active>yes</active></target></ztargets>");

        s.targets()->setCurrentItem(s.targets()->topLevelItem(0));
        whenModal([](QDialog* d) {
            auto* sheet = qobject_cast<TargetEditSheet*>(d);
            QVERIFY(sheet);
            QCOMPARE(sheet->windowTitle(), QString("Edit Target"));
            auto* location = namedChild<QComboBox>(sheet->targetPage(), "location");
            QCOMPARE(location->currentText(), QString("Here"));
            location->clearEditText();
            typeInto(location, "There");
            sheet->setCurrentPage(1);
            auto* tags = namedChild<QListWidget>(sheet->tagsPage(), "tagList");
            tags->setCurrentRow(0);
            QTest::mouseClick(namedChild<QPushButton>(sheet->tagsPage(), "remove"), Qt::LeftButton);
            QCOMPARE(tags->count(), 0);
            sheet->accept();
        });
        s.click("edit");
        QTRY_COMPARE(s.shown(), QStringList({"Demo & Co\tThere"}));
        QCOMPARE(namedChild<QComboBox>(s.page, "locationList")->findText("There"), 2);
        QVERIFY(list_.targets.front().tags.empty());
        QCOMPARE(list_.tagTable.count("local"), 1u);

        s.targets()->setCurrentItem(s.targets()->topLevelItem(0));
        s.click("remove");
        QVERIFY(list_.targets.empty());
        QCOMPARE(s.shown(), QStringList());
        list_.saveFile(file);
        QCOMPARE(readFileBytes(file), head + "</ztargets>");
    }

    void unofferedRecordSyntaxSurvivesAnEdit() {
        Target t = list_.targets.front();
        t.recsyntax = "unimarc";
        TargetEditSheet sheet(list_, t, TargetEditSheet::Kind::Edit);
        auto* type = namedChild<QComboBox>(sheet.targetPage(), "recordType");
        QCOMPARE(type->currentText(), QString("unimarc"));
        Target stored;
        sheet.store(stored);
        QCOMPARE(stored.recsyntax, std::string("unimarc"));

        TargetEditSheet fresh(list_, Target(), TargetEditSheet::Kind::Add);
        fresh.store(stored);
        QCOMPARE(stored.recsyntax, std::string());  // written as marc21
    }

    void characterSetsAreChosenAndUnknownNamesKept() {
        Target t = list_.targets.front();
        t.recordCharset = "MARC-8";
        t.queryCharset = "KOI8-R";
        TargetEditSheet sheet(list_, t, TargetEditSheet::Kind::Edit);
        auto* records = namedChild<QComboBox>(sheet.targetPage(), "recordCharset");
        QCOMPARE(records->currentText(), QString("MARC-8"));
        records->setCurrentIndex(records->findText("Automatic"));
        sheet.show();
        grabToFile(&sheet, "target-character-sets");
        Target stored;
        sheet.store(stored);
        QCOMPARE(stored.recordCharset, std::string());
        QCOMPARE(stored.queryCharset, std::string("KOI8-R"));
    }

    void tagAddedThenCancelledStaysKnown() {
        Target t = list_.targets.front();
        TargetEditSheet sheet(list_, t, TargetEditSheet::Kind::Edit);
        sheet.show();
        sheet.setCurrentPage(1);
        auto* tag = namedChild<QComboBox>(sheet.tagsPage(), "tagField");
        typeInto(tag, "new");
        QTest::mouseClick(namedChild<QPushButton>(sheet.tagsPage(), "add"), Qt::LeftButton);
        QTest::mouseClick(namedChild<QPushButton>(sheet.tagsPage(), "add"), Qt::LeftButton);
        QCOMPARE(namedChild<QListWidget>(sheet.tagsPage(), "tagList")->count(), 2);
        QCOMPARE(tag->count(), 3);
        sheet.reject();
        QCOMPARE(list_.tagTable.count("new"), 1u);
        QCOMPARE(list_.targets.front().tags, std::set<std::string>{"a"});
    }

    void typedValuesAreStoredAsTypedAndListsIgnoreCase() {
        list_.locations = {"Oslo", "bergen", "Bergen"};
        list_.tagTable = {{"news", false}, {"Alpha", false}};
        TargetEditSheet sheet(list_, Target(), TargetEditSheet::Kind::Add);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        auto* elementSet = namedChild<QComboBox>(sheet.targetPage(), "elementSetName");
        auto* location = namedChild<QComboBox>(sheet.targetPage(), "location");
        QStringList entries;
        for (int i = 0; i < location->count(); ++i) entries << location->itemText(i);
        QCOMPARE(entries, QStringList({"Bergen", "bergen", "Oslo"}));
        elementSet->clearEditText();
        typeInto(elementSet, "b");
        QTest::keyClick(elementSet, Qt::Key_Return);
        typeInto(location, "Osl");
        QTest::keyClick(location, Qt::Key_Return);
        Target stored;
        sheet.store(stored);
        QCOMPARE(stored.elementsetname, std::string("b"));
        QCOMPARE(stored.location, std::string("Osl"));

        sheet.setCurrentPage(1);
        auto* tag = namedChild<QComboBox>(sheet.tagsPage(), "tagField");
        QCOMPARE(tag->itemText(0), QString("Alpha"));
        typeInto(tag, "ne");
        QTest::keyClick(tag, Qt::Key_Return);
        QCOMPARE(namedChild<QListWidget>(sheet.tagsPage(), "tagList")->item(0)->text(),
                 QString("ne"));
        QCOMPARE(tag->itemText(1), QString("ne"));
    }

    void blankLocationShowsOnlyTargetsWithoutOne() {
        addTarget(list_, makeTarget("Delta", "", {}, false));
        PageSheet s(list_);
        s.chooseLocation("");
        QCOMPARE(s.shown(), QStringList({"Delta\t"}));
    }

    void aShownPageClosesCleanly() {
        const std::map<std::string, bool> before = list_.tagTable;
        QVERIFY(!before.empty());
        auto* page = new PPTargets(list_, false);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        auto* tags = namedChild<CheckComboBox>(page, "tagList");
        tags->showPopup();
        QTRY_VERIFY(tags->view()->isVisible());
        tags->setChecked(0, !tags->isChecked(0));
        const QPointer<QWidget> popup = tags->view();
        delete page;
        // Its open tag list goes with it, and ticks never confirmed change nothing.
        QVERIFY(popup.isNull());
        QVERIFY(list_.tagTable == before);
    }

    void openingTheTagListTicksNothing() {
        PageSheet s(list_);
        auto* tags = namedChild<CheckComboBox>(s.page, "tagList");
        tags->showPopup();
        QAbstractItemView* view = tags->view();
        QTRY_VERIFY(view->isVisible());
        // The release of the click that opened the list lands on an entry.
        const QPoint first = view->visualRect(view->model()->index(0, 0)).center();
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, first);
        QVERIFY(!tags->isChecked(0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first);
        QVERIFY(tags->isChecked(0));
        tags->setChecked(0, false);
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(s.shown().size(), 3);
    }

    void sruAddressTakesATypedSchemaAndTestOffersTheServers() {
        const std::unique_ptr<ZebraServer> zebra = ZebraServer::withDemoCorpus();
        Target t = list_.targets.front();
        TargetEditSheet sheet(list_, t, TargetEditSheet::Kind::Edit);
        sheet.show();
        QWidget* p = sheet.targetPage();
        auto* type = namedChild<QComboBox>(p, "recordType");
        auto* zurl = namedChild<QLineEdit>(p, "zurl");
        QVERIFY(!type->isEditable());
        zurl->selectAll();
        typeInto(zurl, QString::fromStdString(zebra->sruUrl()));
        QVERIFY(type->isEditable());
        type->clearEditText();
        typeInto(type, "info:srw/schema/1/marcxml-v1.1");
        Target stored;
        sheet.store(stored);
        QCOMPARE(stored.recsyntax, std::string("info:srw/schema/1/marcxml-v1.1"));

        // The test runs off the UI thread; its box lists the Explain's schemas.
        QString report;
        whenModal([&](QDialog* d) {
            report = namedChild<QPlainTextEdit>(d, "report")->toPlainText();
            auto* schemas = namedChild<QListWidget>(d, "schemas");
            QCOMPARE(schemas->count(), 3);
            schemas->setCurrentRow(1);
            QTest::mouseClick(namedChild<QPushButton>(d, "useSchema"), Qt::LeftButton);
        }, 20000);
        auto* test = namedChild<QPushButton>(p, "test");
        QTest::mouseClick(test, Qt::LeftButton);
        QVERIFY(!test->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(test->isEnabled() && !report.isEmpty(), 20000);
        QVERIFY2(report.contains("SRU version: 1.2"), qPrintable(report));
        QCOMPARE(type->currentText(), QString("mods"));
        QCOMPARE(duplicateMnemonics(&sheet), QStringList());
    }

    void testOfASilentTargetCountsDownAndCancels() {
        SilentServer silent;
        Target t = list_.targets.front();
        TargetEditSheet sheet(list_, t, TargetEditSheet::Kind::Edit);
        sheet.show();
        QWidget* p = sheet.targetPage();
        auto* zurl = namedChild<QLineEdit>(p, "zurl");
        zurl->selectAll();
        typeInto(zurl, QString::fromStdString(silent.zurl("Default")));
        auto* test = namedChild<QPushButton>(p, "test");
        QTest::mouseClick(test, Qt::LeftButton);
        QCOMPARE(test->text(), QStringLiteral("Testing... 30 s"));
        QTRY_COMPARE_WITH_TIMEOUT(test->text(), QStringLiteral("Testing... 29 s"), 3000);
        QTest::mouseClick(namedChild<QPushButton>(p, "cancelTest"), Qt::LeftButton);
        QVERIFY(test->isEnabled());
        QCOMPARE(test->text(), QStringLiteral("Te&st"));
        QTRY_VERIFY(!p->findChild<QPushButton*>(QStringLiteral("cancelTest")));
    }

    void profileProbeSavesWhatTheTargetLacksAndCancelsAtOnce() {
        const std::unique_ptr<ZebraServer> zebra = ZebraServer::withDemoCorpus();
        Target t = list_.targets.front();
        t.zurl = zebra->zurl("Default");
        TargetEditSheet sheet(list_, t, TargetEditSheet::Kind::Edit);
        sheet.show();
        sheet.setCurrentPage(2);
        PPTargetProfile* p = sheet.profilePage();
        auto* probe = namedChild<QPushButton>(p, "probe");
        auto* results = namedChild<QTableWidget>(p, "probeResults");
        QTest::mouseClick(probe, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!p->probing() && results->rowCount() > 0, 20000);
        QCOMPARE(results->findItems(QStringLiteral("Scan"), Qt::MatchExactly).size(), 1);
        const int scanRow = results->findItems(QStringLiteral("Scan"), Qt::MatchExactly)[0]->row();
        QCOMPARE(results->item(scanRow, 1)->text(), QStringLiteral("supported"));
        QTest::mouseClick(namedChild<QPushButton>(p, "saveProbe"), Qt::LeftButton);
        // The demo catalogue has no ISSN, LC card number or Identifier--standard index.
        QCOMPARE(namedChild<QLineEdit>(p, "unsupported")->text(), QString("8 9 1007"));
        const QString named = namedChild<QLabel>(p, "namedIndexes")->text();
        QVERIFY2(named.startsWith(
                     "Unsupported: ISSN (8), LC card number (9), Identifier--standard (1007)\n"),
                 qPrintable(named));
        QVERIFY2(named.contains(QStringLiteral("Identifier--standard (1007) \u2192 ISBN (7)")),
                 qPrintable(named));
        grabToFile(&sheet, "target-profile");
        Target stored;
        sheet.store(stored);
        QCOMPARE(stored.profile.fallbacks.size(), size_t(3));
        QCOMPARE(stored.profile.replacementFor(1007), 7);  // ISBN answers there
        QCOMPARE(duplicateMnemonics(&sheet), QStringList());

        // A server that never answers: Cancel frees the page at once.
        SilentServer silent;
        auto* zurl = namedChild<QLineEdit>(sheet.targetPage(), "zurl");
        zurl->setText(QString::fromStdString(silent.zurl("Default")));
        QTest::mouseClick(probe, Qt::LeftButton);
        QVERIFY(p->probing());
        QTest::mouseClick(probe, Qt::LeftButton);
        QVERIFY(!p->probing());
        QCOMPARE(probe->text(), QString("Pro&be"));
        // Not only the button: the probe's thread itself ends, long before its time limit.
        QVERIFY(QThreadPool::globalInstance()->waitForDone(3000));
    }

    void checkTickedReportsEachAndUnticksTheDead() {
        const std::unique_ptr<ZebraServer> zebra = ZebraServer::withDemoCorpus();
        list_.targets.front().zurl = zebra->zurl("Default");
        Target* beta = findTarget(list_, list_.targets.front().id + 1);
        beta->zurl = "127.0.0.1:" + std::to_string(pickFreePort()) + "/Default";
        beta->active = true;
        PageSheet s(list_);
        QString report;
        whenModal([&](QDialog* d) {
            auto* box = qobject_cast<DlgTargetCheck*>(d);
            QVERIFY(box);
            QTRY_VERIFY_WITH_TIMEOUT(box->finished(), 20000);
            report = box->reportText();
            // The dead target's reason is on screen.
            auto* table = namedChild<QTableWidget>(d, "report");
            const int error = table->columnCount() - 1;
            QVERIFY(!table->item(1, error)->text().isEmpty());
            QVERIFY(table->columnViewportPosition(error) + 40 < table->viewport()->width());
            grabToFile(box, "check-ticked");
            QTest::mouseClick(namedChild<QPushButton>(d, "untickDead"), Qt::LeftButton);
        }, 30000);
        s.click("checkTicked");
        QTRY_VERIFY_WITH_TIMEOUT(!report.isEmpty(), 30000);
        const QStringList lines = report.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[1].startsWith("Alpha\treachable\t"), qPrintable(report));
        QVERIFY2(lines[2].startsWith("Beta\tunreachable\t\t\t\t"), qPrintable(report));
        QVERIFY(list_.targets.front().active);
        QVERIFY(!findTarget(list_, beta->id)->active);
        QCOMPARE(list_.activeCount, 1);
    }

    void portNumbersListEachPortOnce() {
        list_.targets.front().zurl = "host:2100/db";
        list_.targets.back().zurl = "other:2100/x";
        PageSheet s(list_);
        std::string text;
        whenModal([&](QDialog* d) {
            auto* dialog = qobject_cast<DlgPortNumbers*>(d);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QString("Port Numbers Used"));
            text = dialog->text();
            d->reject();
        });
        s.click("portNumbers");
        QTRY_COMPARE(text, std::string("1 \r\n210 \r\n2100 \r\n"));
    }

    void okDisabledOnlyInTheSearchSheet() {
        GuiDocument gui;
        gui.addTarget("Local", "127.0.0.1:1/none");
        SearchSheet sheet(gui.core());
        sheet.show();
        const int last = sheet.pageCount() - 1;
        QCOMPARE(sheet.page(last)->caption(), QString("Databases"));
        QVERIFY(sheet.okEnabled());
        sheet.setCurrentPage(last);
        QVERIFY(!sheet.okEnabled());
        // Unticking the only target leaves the search page with OK off.
        auto* targets = namedChild<CheckList>(sheet.page(last), "targetList");
        targets->setChecked(0, false);
        sheet.setCurrentPage(0);
        QCOMPARE(gui.core().targetList.activeCount, 0);
        QVERIFY(!sheet.okEnabled());
        sheet.reject();

        PageSheet options(list_);
        QVERIFY(options.sheet.okEnabled());
    }

    // As a new user would: the demo catalogue added again under another name
    // with a tag, filtered by that tag and searched; only it is asked.
    void addedTargetFilteredByItsTagIsTheOneSearched() {
        std::unique_ptr<ZebraServer> zebra = ZebraServer::withDemoCorpus();
        GuiDocument gui;
        const std::string zurl = zebra->zurl("Default");
        const int32_t demoId = gui.addTarget("Demo", zurl).id;
        whenModal([&](QDialog* d) {
            auto* sheet = qobject_cast<SearchSheet*>(d);
            QVERIFY(sheet);
            QVERIFY(sheet->setCurrentPage(sheet->pageCount() - 1));
            QWidget* page = sheet->currentPage();
            whenModal([&](QDialog* add) {
                auto* edit = qobject_cast<TargetEditSheet*>(add);
                QVERIFY(edit);
                typeInto(namedChild<QLineEdit>(edit->targetPage(), "name"), "My Demo");
                typeInto(namedChild<QLineEdit>(edit->targetPage(), "zurl"),
                         QString::fromStdString(zurl));
                edit->setCurrentPage(1);
                typeInto(namedChild<QComboBox>(edit->tagsPage(), "tagField"), "mine");
                QTest::mouseClick(namedChild<QPushButton>(edit->tagsPage(), "add"), Qt::LeftButton);
                QTest::mouseClick(edit->okButton(), Qt::LeftButton);
            });
            QTest::mouseClick(namedChild<QPushButton>(page, "add"), Qt::LeftButton);
            auto* tags = namedChild<CheckComboBox>(page, "tagList");
            tags->showPopup();
            tags->setChecked(0, true);
            tags->hidePopup();
            auto* targets = namedChild<CheckList>(page, "targetList");
            QCOMPARE(targets->entryCount(), 1);
            QCOMPARE(targets->entryText(0), QString("My Demo\t"));
            QVERIFY(targets->isChecked(0));
            QVERIFY(sheet->setCurrentPage(0));
            typeInto(namedChild<QLineEdit>(sheet->basicPage(), "titleTerm"), "compass");
            QTest::mouseClick(sheet->okButton(), Qt::LeftButton);
        });
        gui.doc().search(nullptr);
        QVERIFY(gui.settle());
        const TargetList& list = gui.core().targetList;
        QCOMPARE(list.activeCount, 1);
        QVERIFY(!gui.target(demoId).active);
        const Target& mine = list.targets.back();
        QCOMPARE(mine.name, std::string("My Demo"));
        QCOMPARE(mine.tags, std::set<std::string>{"mine"});
        QCOMPARE(mine.search.hitCount, 20);
        QCOMPARE(gui.target(demoId).search.hitCount, 0);
        QCOMPARE(gui.core().store.count(), size_t(10));
    }
};

QTEST_MAIN(TargetsPageTest)
#include "TargetsPageTest.moc"
