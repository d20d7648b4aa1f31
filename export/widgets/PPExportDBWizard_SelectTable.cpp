#include "export/widgets/PPExportDBWizard_SelectTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QStringList>

#include "export/ExportWizardData.h"
#include "export/db/CADOXCatalog.h"
#include "ui/PropertySheet.h"

PPExportDBWizard_SelectTable::PPExportDBWizard_SelectTable(ExportWizardData& data, QWidget* parent)
    : PropertyPage(QStringLiteral("Export to Database: Select Table"), parent), data_(data) {
    tableBox = new QComboBox;
    tableBox->setMinimumContentsLength(24);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Table:"), tableBox);
    connect(tableBox, &QComboBox::currentIndexChanged, this,
            &PPExportDBWizard_SelectTable::takeTable);
}

void PPExportDBWizard_SelectTable::onShown() {
    QStringList names;
    CADOXCatalog catalog;
    if (catalog.Open(data_.connectionString)) {
        for (int i = 0; i < catalog.GetTableCount(); ++i)
            names << QString::fromStdString(catalog.GetTableName(i));
    }
    names.sort(Qt::CaseInsensitive);
    {
        QSignalBlocker block(tableBox);
        tableBox->clear();
        tableBox->addItems(names);
        tableBox->setCurrentIndex(-1);
    }
    takeTable();
}

void PPExportDBWizard_SelectTable::takeTable() {
    const bool chosen = tableBox->currentIndex() >= 0;
    if (chosen) data_.tableName = tableBox->currentText().toStdString();
    setWizardButtons(chosen ? PropertySheet::Back | PropertySheet::Next : PropertySheet::Back);
}
