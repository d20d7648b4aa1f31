#include "export/widgets/ExportDbWizard.h"

bool runExportDbWizard(QWidget*, ExportWizardData&) { return false; }
