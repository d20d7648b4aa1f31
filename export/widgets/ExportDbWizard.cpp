#include "export/widgets/ExportDbWizard.h"

#include "export/ExportWizardData.h"
#include "export/widgets/PPExportDBWizard_MapFields.h"
#include "export/widgets/PPExportDBWizard_SelectDB.h"
#include "export/widgets/PPExportDBWizard_SelectTable.h"
#include "ui/PropertySheet.h"

bool runExportDbWizard(QWidget* parent, ExportWizardData& data) {
    ExportWizardData chosen;
    chosen.connectionString = data.connectionString;
    PropertySheet sheet(QStringLiteral("Database Export Wizard"), PropertySheet::Mode::Wizard,
                        parent);
    sheet.addPage(new PPExportDBWizard_SelectDB(chosen));
    sheet.addPage(new PPExportDBWizard_SelectTable(chosen));
    sheet.addPage(new PPExportDBWizard_MapFields(chosen));
    sheet.resize(520, 360);
    if (sheet.exec() != QDialog::Accepted) return false;
    data = chosen;
    return true;
}
