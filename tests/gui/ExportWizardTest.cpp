// The Database Export Wizard on a real SQLite file, driven through the Export
// to Database dialog's Wizard button.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "GuiSupport.h"
#include "export/db/CADODatabase.h"
#include "export/widgets/DlgDataSource.h"
#include "export/widgets/DlgExportToDatabase.h"
#include "export/widgets/PPExportDBWizard_MapFields.h"
#include "export/widgets/PPExportDBWizard_SelectDB.h"
#include "export/widgets/PPExportDBWizard_SelectTable.h"
#include "ui/PropertySheet.h"

namespace {

template <typename Page>
Page* pageOf(PropertySheet* sheet) {
    return qobject_cast<Page*>(sheet->currentPage());
}

// Which of Back, Next and Finish may be pressed, as "BNF" with '-' for each that may not.
QString buttons(PropertySheet* sheet) {
    return QString(sheet->backButton()->isEnabled() ? "B" : "-") +
           (sheet->nextButton()->isEnabled() ? "N" : "-") +
           (sheet->okButton()->isEnabled() ? "F" : "-");
}

void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// From the table page: picks table and goes on to the mapping page.
void chooseTable(PropertySheet* sheet, const QString& table) {
    auto* page = pageOf<PPExportDBWizard_SelectTable>(sheet);
    QVERIFY(page);
    page->tableBox->setCurrentIndex(page->tableBox->findText(table));
    QCOMPARE(buttons(sheet), QString("BN-"));
    click(sheet->nextButton());
}

}  // namespace

class ExportWizardTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    TempDir tmp_;
    std::string connection_;

    // Runs the wizard from a dialog holding the given texts, with steps on the sheet.
    void runWizard(DlgExportToDatabase& dialog, std::function<void(PropertySheet*)> steps) {
        dialog.show();
        bool ran = false;
        whenModal([&](QDialog* d) {
            ran = true;
            steps(qobject_cast<PropertySheet*>(d));
        });
        click(dialog.wizardButton());
        QVERIFY(ran);
    }

private slots:
    void initTestCase() {
        const std::string file = tmp_.file("wizard.db");
        writeFileBytes(file, "");
        connection_ = "Driver=SQLite;Database=" + file;
        CADODatabase db;
        db.Open(connection_);
        db.Execute("CREATE TABLE T (X TEXT, Y TEXT, Z TEXT)");
        db.Execute("CREATE TABLE alpha (a TEXT)");
    }

    void mapsColumnsAndWritesTheStatement() {
        DlgExportToDatabase dialog("", "old template");
        dialog.connectionEdit()->setText(QString::fromStdString(connection_));
        runWizard(dialog, [this](PropertySheet* sheet) {
            auto* db = pageOf<PPExportDBWizard_SelectDB>(sheet);
            QVERIFY(db);
            QCOMPARE(db->connectionEdit->text(), QString::fromStdString(connection_));
            QCOMPARE(buttons(sheet), QString("-N-"));
            grabToFile(sheet, "PPExportDBWizard_SelectDB");
            click(sheet->nextButton());

            auto* tables = pageOf<PPExportDBWizard_SelectTable>(sheet);
            QVERIFY(tables);
            QCOMPARE(tables->tableBox->count(), 2);
            QCOMPARE(tables->tableBox->itemText(0), QString("alpha"));
            QCOMPARE(tables->tableBox->currentIndex(), -1);
            QCOMPARE(buttons(sheet), QString("B--"));
            grabToFile(sheet, "PPExportDBWizard_SelectTable");
            chooseTable(sheet, "T");

            // Back and on again: the columns once, none mapped.
            click(sheet->backButton());
            chooseTable(sheet, "T");
            auto* map = pageOf<PPExportDBWizard_MapFields>(sheet);
            QVERIFY(map);
            QCOMPARE(buttons(sheet), QString("B-F"));
            QCOMPARE(map->columnList->count(), 3);
            QCOMPARE(map->columnList->item(2)->text(), QString("Z"));
            QCOMPARE(map->placeholderBox->currentText(), QString("None"));

            map->columnList->setCurrentRow(0);
            QTest::keyClick(map->placeholderBox, Qt::Key_Down);
            QCOMPARE(map->placeholderBox->currentText(), QString("TITLE"));
            map->columnList->setCurrentRow(2);
            QCOMPARE(map->placeholderBox->currentText(), QString("None"));
            QTest::keyClick(map->placeholderBox, Qt::Key_End);
            map->columnList->setCurrentRow(0);
            QCOMPARE(map->placeholderBox->currentText(), QString("TITLE"));
            grabToFile(sheet, "PPExportDBWizard_MapFields");
            click(sheet->okButton());
        });
        QCOMPARE(dialog.templateEdit()->toPlainText(),
                 QString("INSERT INTO \"T\"(\"X\", \"Z\") VALUES('{TITLE}', '{MARCRECORD}')"));
        QCOMPARE(dialog.connectionString(), connection_);
    }

    void finishWithNothingMappedAndCancel() {
        DlgExportToDatabase dialog(connection_, "old template");
        runWizard(dialog, [](PropertySheet* sheet) {
            click(sheet->nextButton());
            chooseTable(sheet, "T");
            click(sheet->okButton());
        });
        QCOMPARE(dialog.templateEdit()->toPlainText(), QString("INSERT INTO \"T\"() VALUES()"));

        dialog.templateEdit()->setPlainText("kept");
        runWizard(dialog, [](PropertySheet* sheet) {
            click(sheet->nextButton());
            chooseTable(sheet, "alpha");
            click(sheet->cancelButton());
        });
        QCOMPARE(dialog.templateEdit()->toPlainText(), QString("kept"));
        QCOMPARE(dialog.connectionString(), connection_);
    }

    void anEmptySourceIsChosenFromThePrompt() {
        DlgExportToDatabase dialog("", "");
        runWizard(dialog, [this](PropertySheet* sheet) {
            auto* db = pageOf<PPExportDBWizard_SelectDB>(sheet);
            QCOMPARE(buttons(sheet), QString("---"));
            whenModal([this](QDialog* d) {
                auto* prompt = qobject_cast<DlgDataSource*>(d);
                QVERIFY(prompt);
                prompt->fileEdit->setText(QString::fromStdString(connection_.substr(23)));
                prompt->accept();
            });
            click(db->selectButton);
            QCOMPARE(db->connectionEdit->text(), QString::fromStdString(connection_));
            QCOMPARE(buttons(sheet), QString("-N-"));
            // A source without the chosen table: the columns cannot be read.
            click(sheet->nextButton());
            chooseTable(sheet, "alpha");
            click(sheet->backButton());
            pageOf<PPExportDBWizard_SelectTable>(sheet)->tableBox->setCurrentIndex(0);
            {
                CADODatabase db2;
                db2.Open(connection_);
                db2.Execute("ALTER TABLE alpha RENAME TO beta");
            }
            MessageBoxCatcher boxes;
            click(sheet->nextButton());
            QTRY_COMPARE(boxes.texts().size(), 1);
            QVERIFY(boxes.texts()[0].startsWith("Undefined Exception\n"));
            QCOMPARE(pageOf<PPExportDBWizard_MapFields>(sheet)->columnList->count(), 0);
            sheet->reject();
        });
        QCOMPARE(dialog.connectionString(), std::string());
    }
};

QTEST_MAIN(ExportWizardTest)
#include "ExportWizardTest.moc"
