// "Database Export Wizard": picks the data source, the table and what goes
// into each column. UI thread only.
#pragma once

class QWidget;
struct ExportWizardData;

// Runs the wizard starting from data.connectionString; on Finish fills data
// and gives true, on Cancel leaves it as it was.
bool runExportDbWizard(QWidget* parent, ExportWizardData& data);
