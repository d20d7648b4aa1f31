// The wizard's last page: what goes into each column. UI thread only.
#pragma once

#include "ui/PropertyPage.h"

class QComboBox;
class QListWidget;
struct ExportWizardData;

class PPExportDBWizard_MapFields : public PropertyPage {
    Q_OBJECT
public:
    explicit PPExportDBWizard_MapFields(ExportWizardData& data, QWidget* parent = nullptr);
    // Lists the table's columns afresh, none mapped.
    void onShown() override;

    QListWidget* columnList = nullptr;
    QComboBox* placeholderBox = nullptr;

private:
    void showMapping();
    void takePlaceholder();
    ExportWizardData& data_;
};
