// The wizard's first page: the data source. UI thread only.
#pragma once

#include "ui/PropertyPage.h"

class QLineEdit;
class QPushButton;
struct ExportWizardData;

class PPExportDBWizard_SelectDB : public PropertyPage {
    Q_OBJECT
public:
    explicit PPExportDBWizard_SelectDB(ExportWizardData& data, QWidget* parent = nullptr);
    void onShown() override;

    QLineEdit* connectionEdit = nullptr;
    QPushButton* selectButton = nullptr;

private:
    void takeConnection();
    ExportWizardData& data_;
};
