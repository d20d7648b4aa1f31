// The wizard's second page: the table. UI thread only.
#pragma once

#include "ui/PropertyPage.h"

class QComboBox;
struct ExportWizardData;

class PPExportDBWizard_SelectTable : public PropertyPage {
    Q_OBJECT
public:
    explicit PPExportDBWizard_SelectTable(ExportWizardData& data, QWidget* parent = nullptr);
    // Lists the tables afresh; a database that does not open lists none.
    void onShown() override;

    QComboBox* tableBox = nullptr;

private:
    void takeTable();
    ExportWizardData& data_;
};
