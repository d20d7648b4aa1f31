// Every window and sheet of the program as a screen reader meets it: each
// control that takes the keyboard has a name, and no two controls of one page
// share a mnemonic.
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QScopeGuard>
#include <QTest>
#include <functional>

#include "GuiDocument.h"
#include "GuiSupport.h"
#include "app/CMainFrame.h"
#include "app/MAboutDlg.h"
#include "export/ExportWizardData.h"
#include "export/db/CADODatabase.h"
#include "export/widgets/DlgDataSource.h"
#include "export/widgets/DlgExportToDatabase.h"
#include "export/widgets/ExportDbWizard.h"
#include "export/widgets/PPExportDBWizard_SelectTable.h"
#include "options/widgets/OptionsSheet.h"
#include "query/widgets/AttributeEditor.h"
#include "query/widgets/SearchSheet.h"
#include "targets/widgets/DlgPortNumbers.h"
#include "targets/widgets/TargetEditSheet.h"

namespace {

// "Where: class objectName" of every control in window that takes the
// keyboard but has no accessible name. Qt names a drop-down by its value on
// this platform and says what it is through its label: it needs a label, or
// at least a name of its own for the platforms that read it.
QStringList unnamedControls(QWidget* window, const QString& where) {
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
        // The editor inside a drop-down or a spin box speaks through its owner.
        QWidget* owner = w->parentWidget();
        if (qobject_cast<QComboBox*>(owner) || qobject_cast<QAbstractSpinBox*>(owner)) continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        const QString what = where + ": " + w->metaObject()->className() + " " + w->objectName();
        if (!face)
            unnamed << what;
        else if (qobject_cast<QComboBox*>(w) && face->relations(QAccessible::Label).isEmpty() &&
                 w->accessibleName().isEmpty())
            unnamed << what + " without a label";
        else if (!qobject_cast<QComboBox*>(w) && face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << what;
    }
    return unnamed;
}

// Checks window and, for a sheet, each of its pages in turn (after onPage has
// filled it in); hides it again so the next window comes up active.
QStringList faultsOf(QWidget* window, const QString& where,
                     const std::function<void(PropertyPage*)>& onPage = {}) {
    window->show();
    const auto hide = qScopeGuard([window] { window->hide(); });
    QStringList faults;
    auto check = [&](const QString& page) {
        faults << unnamedControls(window, page);
        for (const QString& letter : duplicateMnemonics(window))
            faults << page + ": mnemonic " + letter + " twice";
    };
    auto* sheet = qobject_cast<PropertySheet*>(window);
    if (!sheet) {
        check(where);
        return faults;
    }
    for (int i = 0; i < sheet->pageCount(); ++i) {
        sheet->setCurrentPage(i);
        if (onPage) onPage(sheet->page(i));
        check(where + "::" + sheet->page(i)->title());
    }
    return faults;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;

private slots:
    void everyControlHasANameAndEveryPageUniqueMnemonics() {
        GuiDocument g;
        g.addTarget("Local", "127.0.0.1:1/none");
        g.core().targetList.locations = {"", "Oslo"};
        g.core().targetList.tagTable = {{"alpha", false}, {"beta", true}};
        QStringList faults;

        CMainFrame frame(g.doc());
        faults << faultsOf(&frame, "main window");
        MAboutDlg about(&frame);
        faults << faultsOf(&about, "About");
        SearchSheet search(g.core());
        faults << faultsOf(&search, "Search");
        OptionsSheet options(g.core());
        faults << faultsOf(&options, "Options");
        TargetEditSheet target(g.core().targetList, Target(), TargetEditSheet::Kind::Add);
        faults << faultsOf(&target, "Add Target");
        AttributeEditor editor({}, {}, AttributeEditor::Mode::Row);
        faults << faultsOf(&editor.sheet(), "Attributes");
        DlgPortNumbers ports("210\n", &frame);
        faults << faultsOf(&ports, "Port Numbers");
        DlgExportToDatabase exportDb("", "", &frame);
        faults << faultsOf(&exportDb, "Export to Database");
        DlgDataSource source("", &frame);
        faults << faultsOf(&source, "Data Source");
        whenModal([&](QDialog* wizard) {
            faults << faultsOf(wizard, "Database Export Wizard", [](PropertyPage* page) {
                if (auto* tables = dynamic_cast<PPExportDBWizard_SelectTable*>(page))
                    tables->tableBox->setCurrentIndex(0);
            });
            auto* sheet = qobject_cast<PropertySheet*>(wizard);
            QVERIFY(sheet && sheet->wasShown(sheet->pageCount() - 1));
            wizard->reject();
        });
        // A database with a table, so that every page of the wizard can show.
        const std::string file = dirs_.home().file("walk.db");
        writeFileBytes(file, "");
        ExportWizardData data;
        data.connectionString = "Driver=SQLite;Database=" + file;
        CADODatabase db;
        db.Open(data.connectionString);
        db.Execute("CREATE TABLE T (X TEXT)");
        MessageBoxCatcher boxes;
        runExportDbWizard(&frame, data);
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join("\n")));

        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
