// The Options sheet through its real pages: every field shown and taken back,
// Cancel, the integer check, the browse dialogs, the target list file switch
// and the settings kept across a restart.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "TargetFixtures.h"
#include "options/widgets/OptionsSheet.h"
#include "settings/store/Settings.h"
#include "targets/widgets/PPTargets.h"
#include "ui/CheckList.h"

namespace {

void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Page, field and the setting it edits, for every text field but the target file.
struct TextField {
    int page;
    const char* name;
    std::string SettingsData::*setting;
};
const TextField kTextFields[] = {
    {0, "sruMappingFile", &SettingsData::SRUMappingFile},
    {2, "customXslPath", &SettingsData::MARCCustomXSL},
    {3, "defaultXsl", &SettingsData::DefaultXMLXSL},
    {4, "stylesheet", &SettingsData::DisplayXML_MARCXML},
    {4, "titleXPath", &SettingsData::DisplayMARCXMLTitleXPATH},
    {4, "authorXPath", &SettingsData::DisplayMARCXMLAuthorXPATH},
    {4, "dateXPath", &SettingsData::DisplayMARCXMLDateXPATH},
    {5, "stylesheet", &SettingsData::DisplayXML_MODS},
    {5, "titleXPath", &SettingsData::DisplayMODSTitleXPATH},
    {5, "authorXPath", &SettingsData::DisplayMODSAuthorXPATH},
    {5, "dateXPath", &SettingsData::DisplayMODSDateXPATH},
    {6, "stylesheet", &SettingsData::DisplayXML_DC},
    {6, "titleXPath", &SettingsData::DisplayDCTitleXPATH},
    {6, "authorXPath", &SettingsData::DisplayDCAuthorXPATH},
    {6, "dateXPath", &SettingsData::DisplayDCDateXPATH},
    {7, "titleRe", &SettingsData::SUTRSTitleRE},
    {7, "authorRe", &SettingsData::SUTRSAuthorRE},
    {7, "dateRe", &SettingsData::SUTRSDateRE},
};

// Types a new value into every field of sheet, checking each showed its old one.
void changeEveryField(OptionsSheet& sheet, const SettingsData& old) {
    QVERIFY(sheet.setCurrentPage(0));
    QWidget* main = sheet.page(0);
    QCOMPARE(namedChild<QLineEdit>(main, "maxPerSearch")->text(),
             QString::number(old.MaxRecPerSearch));
    retype(namedChild<QLineEdit>(main, "maxPerSearch"), "x-5 77");  // digits only
    retype(namedChild<QLineEdit>(main, "maxPerTarget"), "33");
    retype(namedChild<QLineEdit>(main, "maxConnections"), "7");
    for (const TextField& f : kTextFields) {
        QVERIFY(sheet.setCurrentPage(f.page));
        auto* edit = namedChild<QLineEdit>(sheet.page(f.page), f.name);
        QCOMPARE(edit->text(), QString::fromStdString(old.*f.setting));
        retype(edit, QString::fromStdString("new " + old.*f.setting));
    }
    QVERIFY(sheet.setCurrentPage(2));
    QVERIFY(namedChild<QRadioButton>(sheet.page(2), "customXsl")->isChecked());
    auto* yaz = namedChild<QRadioButton>(sheet.page(2), "yazRender");
    QTest::mouseClick(yaz, Qt::LeftButton, {}, QPoint(8, yaz->height() / 2));
    QVERIFY(sheet.setCurrentPage(8));
}

void checkEveryFieldChanged(const SettingsData& now, const SettingsData& old) {
    QCOMPARE(now.MaxRecPerSearch, 577);
    QCOMPARE(now.MaxRecPerTarget, 33);
    QCOMPARE(now.MaxConnections, 7);
    QCOMPARE(now.MARCDisplayType, std::string("YAZ"));
    for (const TextField& f : kTextFields) QCOMPARE(now.*f.setting, "new " + old.*f.setting);
}

SettingsData distinctSettings(const std::string& targetFile) {
    SettingsData s = guiSettings();
    s.MARCDisplayType = "XSL";
    s.TargetFile = targetFile;
    for (const TextField& f : kTextFields)
        s.*f.setting = std::string(f.name) + std::to_string(f.page);
    return s;
}

const std::string kHead = kTargetListHeader + kEmptyLimits;

std::string targetXml(const std::string& name) {
    return "<target><name>" + name +
           "</name><zurl>127.0.0.1:1/x</zurl><location></location>"
           "<recsyntax>usmarc</recsyntax><elementsetname>F</elementsetname><active>yes</active>"
           "</target>";
}

}  // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;

private slots:
    void pagesStandInTheirOrderAndNesting() {
        GuiDocument gui;
        OptionsSheet sheet(gui.core());
        QStringList captions;
        for (int i = 0; i < sheet.pageCount(); ++i) captions << sheet.page(i)->caption();
        QCOMPARE(captions,
                 QStringList({"Main", "Record Display", "Record Display::MARC/OPAC",
                              "Record Display::XML", "Record Display::XML::MARCXML",
                              "Record Display::XML::MODS", "Record Display::XML::DC",
                              "Record Display::SUTRS", "Export", "Language", "Databases"}));
        QTreeWidgetItem* xml = sheet.pageTree()->topLevelItem(1)->child(1);
        QCOMPARE(xml->text(0), QString("XML"));
        QCOMPARE(xml->child(0)->text(0), QString("MARCXML"));
        sheet.show();
        const char* shots[] = {"main",        "display",  "display-marc", "display-xml",
                               "xml-marcxml", "xml-mods", "xml-dc",       "display-sutrs",
                               "export",      "language", "databases"};
        for (int i = 0; i < sheet.pageCount(); ++i) {
            QVERIFY(sheet.setCurrentPage(i));
            QVERIFY(sheet.okEnabled());
            grabToFile(&sheet, QString("options-") + shots[i]);
        }
    }

    void everyLabelHasABuddyAndEveryPageDistinctMnemonics() {
        GuiDocument gui;
        OptionsSheet sheet(gui.core());
        sheet.show();
        for (int i = 0; i < sheet.pageCount(); ++i) {
            QVERIFY(sheet.setCurrentPage(i));
            QCOMPARE(duplicateMnemonics(&sheet), QStringList());
            for (QLabel* label : sheet.page(i)->findChildren<QLabel*>())
                QVERIFY2(label->buddy() || label->objectName() == "hint",
                         qPrintable(label->objectName() + " has no buddy"));
        }
    }

    void everyFieldTakenBackOnOkAndNothingOnCancel() {
        const SettingsData old = distinctSettings("");
        GuiDocument gui(old);
        {
            OptionsSheet sheet(gui.core());
            sheet.show();
            changeEveryField(sheet, old);
            sheet.reject();
        }
        QCOMPARE(gui.core().settings->DisplayXML_MARCXML, old.DisplayXML_MARCXML);

        OptionsSheet sheet(gui.core());
        sheet.show();
        changeEveryField(sheet, old);
        sheet.accept();
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        SettingsData edited = *gui.core().settings;
        sheet.store(edited);
        const OptionsSheetResult result = applyOptions(gui.core(), edited);
        QVERIFY(result.accepted && !result.targetFileSwitched);
        checkEveryFieldChanged(*gui.core().settings, old);
        QCOMPARE(gui.core().pool->maxWorkers(), 7);
    }

    void emptyNumberKeepsThePage() {
        GuiDocument gui;
        OptionsSheet sheet(gui.core());
        sheet.show();
        namedChild<QLineEdit>(sheet.page(0), "maxConnections")->clear();
        MessageBoxCatcher boxes;
        QVERIFY(!sheet.setCurrentPage(1));
        QTRY_COMPARE(boxes.texts(), QStringList({"Please enter an integer."}));
        QCOMPARE(boxes.titles(), QStringList({"qrn"}));
        QCOMPARE(sheet.currentIndex(), 0);
        sheet.accept();
        QVERIFY(sheet.isVisible());
        QTRY_COMPARE(boxes.texts().size(), 2);
        sheet.reject();
    }

    void browseButtonsOfferTheirFilters() {
        GuiDocument gui;
        OptionsSheet sheet(gui.core());
        sheet.show();
        const std::string chosen = dirs_.home().file("chosen.xsl");
        writeFileBytes(chosen, "x");
        QStringList filters;
        whenModal([&](QDialog* d) {
            auto* files = qobject_cast<QFileDialog*>(d);
            QVERIFY(files);
            filters = files->nameFilters();
            // The proposed name is the current path's; the user types another.
            auto* name = namedChild<QLineEdit>(files, "fileNameEdit");
            QCOMPARE(name->text(), QString("mods.xsl"));
            name->setText(QString::fromStdString(chosen));
            d->accept();
        });
        QVERIFY(sheet.setCurrentPage(5));
        QTest::mouseClick(namedChild<QToolButton>(sheet.page(5), "browseStylesheet"),
                          Qt::LeftButton);
        QCOMPARE(filters, QStringList({"XSL Templates (*.xsl)", "All Files (*)"}));
        QCOMPARE(namedChild<QLineEdit>(sheet.page(5), "stylesheet")->text(),
                 QString::fromStdString(chosen));

        whenModal([&](QDialog* d) {
            filters = qobject_cast<QFileDialog*>(d)->nameFilters();
            d->reject();
        });
        QVERIFY(sheet.setCurrentPage(0));
        auto* targetFile = namedChild<QLineEdit>(sheet.page(0), "targetFile");
        targetFile->setText("kept.xml");
        QTest::mouseClick(namedChild<QToolButton>(sheet.page(0), "browseTargetFile"),
                          Qt::LeftButton);
        QCOMPARE(filters, QStringList({"XML (*.xml)", "All Files (*)"}));
        QCOMPARE(targetFile->text(), QString("kept.xml"));

        // A target list that does not exist yet may be named.
        const QString fresh = QString::fromStdString(dirs_.home().file("new-list.xml"));
        whenModal([&](QDialog* d) {
            namedChild<QLineEdit>(d, "fileNameEdit")->setText(fresh);
            d->accept();
        });
        QTest::mouseClick(namedChild<QToolButton>(sheet.page(0), "browseTargetFile"),
                          Qt::LeftButton);
        QCOMPARE(targetFile->text(), fresh);
        sheet.reject();
    }

    void switchingTheFileSavesTheOldFirstAndLosesNoTarget() {
        const std::string first = dirs_.home().file("first.xml");
        const std::string second = dirs_.home().file("second.xml");
        writeFileBytes(first, kHead + targetXml("Alpha") + targetXml("Beta") + "</ztargets>");
        writeFileBytes(second, kHead + targetXml("Gamma") + "</ztargets>");
        GuiDocument gui(distinctSettings(first));
        DocumentCore& doc = gui.core();
        doc.targetList.loadFile(first);
        doc.store.add(Record());
        doc.selection.selectedRecordNumber = 1;
        doc.search.totalHits = 5;

        // Delete Alpha on the Databases page, then point the sheet at the other file.
        auto runSheet = [&](const std::string& file, bool deleteFirst) {
            whenModal([&](QDialog* d) {
                auto* sheet = qobject_cast<OptionsSheet*>(d);
                QVERIFY(sheet);
                if (deleteFirst) {
                    QVERIFY(sheet->setCurrentPage(9));
                    auto* list = namedChild<CheckList>(sheet->targetsPage(), "targetList");
                    list->setCurrentItem(list->topLevelItem(0));
                    QTest::mouseClick(namedChild<QPushButton>(sheet->targetsPage(), "remove"),
                                      Qt::LeftButton);
                }
                QVERIFY(sheet->setCurrentPage(0));
                retype(namedChild<QLineEdit>(sheet->page(0), "targetFile"),
                       QString::fromStdString(file));
                QTest::mouseClick(sheet->okButton(), Qt::LeftButton);
            });
            const OptionsSheetResult result = runOptionsSheet(doc, nullptr);
            // What the document does after the sheet, OK or Cancel.
            doc.targetList.saveFile(doc.settings->TargetFile);
            return result;
        };

        OptionsSheetResult result = runSheet(first, false);
        QVERIFY(result.accepted && !result.targetFileSwitched);
        QCOMPARE(doc.store.count(), size_t(1));

        result = runSheet(second, true);
        QVERIFY(result.accepted && result.targetFileSwitched);
        QCOMPARE(readFileBytes(first), kHead + targetXml("Beta") + "</ztargets>");
        QCOMPARE(doc.settings->TargetFile, second);
        QCOMPARE(doc.targetList.targets.size(), size_t(1));
        QCOMPARE(doc.targetList.targets.front().name, std::string("Gamma"));
        QCOMPARE(doc.store.count(), size_t(0));
        QCOMPARE(doc.selection.selectedRecordNumber, -1);
        QCOMPARE(doc.selection.selectedTargetId, -1);
        QCOMPARE(doc.search.totalHits, 0);

        QVERIFY(runSheet(first, false).targetFileSwitched);
        QCOMPARE(doc.targetList.targets.front().name, std::string("Beta"));
        QCOMPARE(readFileBytes(second), kHead + targetXml("Gamma") + "</ztargets>");
    }

    void optionsKeptAcrossARestart() {
        const SettingsData old = distinctSettings("");
        QVERIFY(Settings::createStore(old));
        {
            DocumentCore doc([] { return std::make_unique<Settings>(); });
            whenModal([&](QDialog* d) {
                auto* sheet = qobject_cast<OptionsSheet*>(d);
                QVERIFY(sheet);
                changeEveryField(*sheet, old);
                sheet->accept();
            });
            QVERIFY(runOptionsSheet(doc, nullptr).accepted);
            static_cast<Settings&>(*doc.settings).save();
        }
        checkEveryFieldChanged(Settings::readValues(), old);
    }
};

QTEST_MAIN(OptionsSheetTest)
#include "OptionsSheetTest.moc"
