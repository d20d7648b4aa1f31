// The Databases page's Import: a folder of ZeeRex records previewed in the
// dialog, added on OK, nothing on Cancel, the page responsive while it reads.
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "GuiSupport.h"
#include "TargetFixtures.h"
#include "TestSupport.h"
#include "targets/TargetFilter.h"
#include "targets/widgets/DlgTargetImport.h"
#include "targets/widgets/PPTargets.h"
#include "ui/CheckList.h"
#include "ui/PropertySheet.h"

namespace {

std::string record(int i) {
    return "<explain><serverInfo protocol='tcp'><host>z" + std::to_string(i) +
           ".example.org</host><port>210</port><database>db</database></serverInfo>"
           "<databaseInfo><title primary='true'>Library " +
           std::to_string(i) + "</title></databaseInfo></explain>";
}

QPushButton* okOf(QDialog* d) {
    return namedChild<QDialogButtonBox>(d, "buttons")->button(QDialogButtonBox::Ok);
}

}  // namespace

class TargetImportTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    TargetList list_;
    TempDir dir_;

private slots:
    void initTestCase() {
        for (int i = 0; i < 6000; ++i)
            writeFileBytes(dir_.file("r" + std::to_string(i) + ".xml"), record(i));
        writeFileBytes(dir_.file("spam.xml"),
                       "<explain><serverInfo protocol='210'><host>x.example</host></serverInfo>"
                       "</explain>");
        writeFileBytes(dir_.file("zz-notes.txt"), "not a record");
    }

    void init() {
        list_.targets.clear();
        list_.tagTable.clear();
        list_.activeCount = 0;
        list_.nextId = 1;
        list_.selectedLocation = "All";
        Target known = makeTarget("Known", "Oslo", {}, false);
        known.zurl = "Z7.EXAMPLE.ORG:210/db";
        addTarget(list_, known);
    }

    void importButtonOffersFilesAndAFolder() {
        PPTargets page(list_, false);
        QMenu* menu = namedChild<QPushButton>(&page, "importTargets")->menu();
        QVERIFY(menu);
        QStringList texts;
        for (QAction* a : menu->actions()) texts << a->text();
        QCOMPARE(texts, QStringList({"&Files…", "F&older…"}));
    }

    void folderPreviewedThenAddedUntickedAndTagged() {
        PropertySheet sheet("Options");
        auto* page = new PPTargets(list_, false);
        sheet.addPage(page);
        sheet.show();
        // A tick not yet applied survives the import.
        CheckList* targets = namedChild<CheckList>(page, "targetList");
        targets->setAllChecked(true);
        bool readingWhenShown = false;
        QString status;
        QStringList groups;
        whenModal([&](QDialog* d) {
            auto* box = qobject_cast<DlgTargetImport*>(d);
            QVERIFY(box);
            readingWhenShown = !box->finished() && !okOf(d)->isEnabled();
            QTRY_VERIFY_WITH_TIMEOUT(box->finished(), 60000);
            status = namedChild<QLabel>(d, "status")->text();
            auto* tree = namedChild<QTreeWidget>(d, "preview");
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                groups << tree->topLevelItem(i)->text(0);
            grabToFile(box, "target-import");
            QTest::mouseClick(okOf(d), Qt::LeftButton);
        }, 90000);
        page->importFrom({QString::fromStdString(dir_.path())});
        QVERIFY(readingWhenShown);
        QCOMPARE(status, QString("To add: 5999, already there: 1, refused: 2"));
        QCOMPARE(groups, QStringList({"To add (5999)", "Already there (1)", "Refused (2)"}));
        QCOMPARE(list_.targets.size(), size_t(6000));
        QVERIFY(list_.targets.front().active);
        const Target& last = list_.targets.back();
        QCOMPARE(last.name, std::string("Library 999"));
        QVERIFY(!last.active);
        QCOMPARE(last.tags, std::set<std::string>{"imported"});
        QCOMPARE(list_.activeCount, 1);
        QCOMPARE(targets->entryCount(), 6000);
        grabToFile(page->window(), "databases-after-import");
    }

    void cancelAddsNothing() {
        PPTargets page(list_, false);
        whenModal([&](QDialog* d) {
            QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<DlgTargetImport*>(d)->finished(), 60000);
            QTest::mouseClick(namedChild<QDialogButtonBox>(d, "buttons")->button(QDialogButtonBox::Cancel),
                              Qt::LeftButton);
        }, 90000);
        page.importFrom({QString::fromStdString(dir_.path())});
        QCOMPARE(list_.targets.size(), size_t(1));
        QVERIFY(list_.tagTable.empty());
    }

    void nothingNewLeavesOkDisabled() {
        PPTargets page(list_, false);
        bool okEnabled = true;
        whenModal([&](QDialog* d) {
            auto* box = qobject_cast<DlgTargetImport*>(d);
            QTRY_VERIFY_WITH_TIMEOUT(box->finished(), 30000);
            okEnabled = okOf(d)->isEnabled();
            d->reject();
        }, 30000);
        page.importFrom({QString::fromStdString(dir_.file("spam.xml"))});
        QVERIFY(!okEnabled);
    }
};

QTEST_MAIN(TargetImportTest)
#include "TargetImportTest.moc"
