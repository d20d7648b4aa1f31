// The window framework: the tree sheet and its wizard mode, the page events,
// the kept placement, the check list and the check combo box.
#include <QAbstractItemView>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "GuiSupport.h"
#include "ui/CheckComboBox.h"
#include "ui/CheckList.h"
#include "ui/PropertySheet.h"

namespace {

// A page that writes what it is told into a shared log.
class LoggingPage : public PropertyPage {
public:
    LoggingPage(const QString& caption, QStringList& log) : PropertyPage(caption), log_(log) {}
    void onShown() override {
        log_ << "shown " + title();
        if (okOnShow >= 0) setOkEnabled(okOnShow == 1);
        if (wizardButtons >= 0) setWizardButtons(wizardButtons);
    }
    bool onLeaving() override {
        log_ << "left " + title();
        return !refuse;
    }
    void onConfirmed() override { log_ << "confirmed " + title(); }

    bool refuse = false;
    int okOnShow = -1;
    int wizardButtons = -1;

private:
    QStringList& log_;
};

}  // namespace

class PropertySheetTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;

private slots:
    void nestsCaptionsInTheTree() {
        QStringList log;
        PropertySheet sheet("Options");
        for (const char* caption : {"Main", "Record Display::XML::MARCXML", "Record Display",
                                    "Record Display::XML", "Databases"})
            sheet.addPage(new LoggingPage(caption, log));
        QTreeWidget* tree = sheet.pageTree();
        QCOMPARE(tree->topLevelItemCount(), 3);
        QTreeWidgetItem* display = tree->topLevelItem(1);
        QCOMPARE(display->text(0), QString("Record Display"));
        QCOMPARE(display->childCount(), 1);
        QCOMPARE(display->child(0)->text(0), QString("XML"));
        QCOMPARE(display->child(0)->child(0)->text(0), QString("MARCXML"));

        sheet.show();
        QCOMPARE(sheet.currentIndex(), 0);
        tree->setCurrentItem(display->child(0));
        QCOMPARE(sheet.currentIndex(), 3);
        QCOMPARE(sheet.currentPage()->title(), QString("XML"));
        sheet.reject();
    }

    void tellsPagesShownLeftAndConfirmedInOrder() {
        QStringList log;
        PropertySheet sheet("Search");
        auto* first = new LoggingPage("Search", log);
        auto* second = new LoggingPage("Search::Advanced Search", log);
        auto* third = new LoggingPage("Search::Batch", log);
        auto* never = new LoggingPage("Databases", log);
        first->okOnShow = 1;
        third->okOnShow = 0;
        for (PropertyPage* page : {first, second, third, never}) sheet.addPage(page);
        sheet.show();
        QVERIFY(sheet.okButton()->isEnabled());

        QTest::keyClick(sheet.pageTree(), Qt::Key_End);  // the tree walks from the keyboard
        QCOMPARE(sheet.currentIndex(), 3);
        QVERIFY(sheet.setCurrentPage(2));
        QVERIFY(!sheet.okButton()->isEnabled());
        QVERIFY(sheet.setCurrentPage(1));

        // A page that refuses stays on show, in the tree too, and OK does not close.
        second->refuse = true;
        QVERIFY(!sheet.setCurrentPage(0));
        QCOMPARE(sheet.currentIndex(), 1);
        QCOMPARE(sheet.pageTree()->currentItem()->text(0), QString("Advanced Search"));
        sheet.accept();
        QVERIFY(sheet.isVisible());

        second->refuse = false;
        log.clear();
        sheet.accept();
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(log, QStringList({"left Advanced Search", "confirmed Search",
                                   "confirmed Advanced Search", "confirmed Batch",
                                   "confirmed Databases"}));
        QVERIFY(!sheet.wasShown(-1));
    }

    void wizardEnablesButtonsPerPage() {
        QStringList log;
        PropertySheet sheet("Database Export Wizard", PropertySheet::Mode::Wizard);
        auto* one = new LoggingPage("Select Database", log);
        auto* two = new LoggingPage("Select Table", log);
        one->wizardButtons = PropertySheet::Next;
        two->wizardButtons = PropertySheet::Back | PropertySheet::Finish;
        sheet.addPage(one);
        sheet.addPage(two);
        QVERIFY(!sheet.pageTree());
        sheet.show();
        QVERIFY(!sheet.backButton()->isEnabled());
        QVERIFY(sheet.nextButton()->isEnabled());
        QVERIFY(!sheet.okButton()->isEnabled());

        QTest::keyClick(&sheet, Qt::Key_Return);  // Enter is Next
        QCOMPARE(sheet.currentIndex(), 1);
        QVERIFY(sheet.backButton()->isEnabled());
        QVERIFY(!sheet.nextButton()->isEnabled());
        QTest::mouseClick(sheet.backButton(), Qt::LeftButton);
        QCOMPARE(sheet.currentIndex(), 0);
        QTest::mouseClick(sheet.nextButton(), Qt::LeftButton);
        log.clear();
        QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(log, QStringList({"left Select Table", "confirmed Select Database",
                                   "confirmed Select Table"}));
    }

    void keepsSizeInTheSettingsStore() {
        QFile store(dirs_.settingsFile());  // made by the installer, never by the program
        QDir().mkpath(QFileInfo(store).path());
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.close();

        QStringList log;
        {
            PropertySheet sheet("Search");
            sheet.addPage(new LoggingPage("Search", log));
            sheet.keepPlacement("Search");
            sheet.show();
            sheet.resize(640, 480);
            sheet.reject();
        }
        QFile written(dirs_.settingsFile());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains("[WindowPlacement]"));
        PropertySheet again("Search");
        again.addPage(new LoggingPage("Search", log));
        again.keepPlacement("Search");
        QCOMPARE(again.size(), QSize(640, 480));
    }

    void checkListSortsByWholeTextAndKeepsIds() {
        CheckList list;
        list.addEntry("beta\tParis", 2, false);
        list.addEntry("Alpha\tOslo", 1, true);
        list.addEntry("alpha\tBergen", 3, false);
        QCOMPARE(list.columnCount(), 2);
        QCOMPARE(list.entryText(0), QString("alpha\tBergen"));
        QCOMPARE(list.entryId(1), qint64(1));
        QCOMPARE(list.topLevelItem(2)->text(1), QString("Paris"));

        list.show();
        list.setCurrentItem(list.topLevelItem(0));
        QTest::keyClick(list.viewport(), Qt::Key_Space);  // ticks from the keyboard
        QCOMPARE(list.checkedIds(), std::vector<qint64>({3, 1}));
        qint64 id = 0;
        QVERIFY(list.selectedId(id));
        QCOMPARE(id, qint64(3));
        list.setAllChecked(false);
        QVERIFY(list.checkedIds().empty());
    }

    void checkComboShowsCheckedEntriesJoined() {
        QCOMPARE(CheckComboBox::joinChecked({"a", "b"}, ", "), QString("a,b"));
        QCOMPARE(CheckComboBox::joinChecked({"a", "b"}, " "), QString("a;b"));
        CheckComboBox combo;
        combo.addEntry("local", true);
        combo.addEntry("music", false);
        combo.addEntry("uk", true);
        QCOMPARE(combo.closedText(), QString("local;uk"));

        combo.show();
        QSignalSpy closed(&combo, &CheckComboBox::closed);
        combo.showPopup();
        combo.view()->setCurrentIndex(combo.model()->index(1, 0));
        QTest::keyClick(combo.view(), Qt::Key_Space);
        QVERIFY(combo.view()->isVisible());  // open for the next tick
        combo.hidePopup();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(combo.checkedEntries(), QStringList({"local", "music", "uk"}));
        grabToFile(&combo, "CheckComboBox");
    }
};

QTEST_MAIN(PropertySheetTest)
#include "PropertySheetTest.moc"
