#include "export/widgets/PPExportDBWizard_MapFields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QListWidget>
#include <QMessageBox>

#include "export/ExportWizardData.h"
#include "export/InsertTemplate.h"
#include "export/SqlName.h"
#include "export/db/CADODatabase.h"
#include "export/db/CADOException.h"
#include "export/db/CADORecordset.h"
#include "ui/PropertySheet.h"

PPExportDBWizard_MapFields::PPExportDBWizard_MapFields(ExportWizardData& data, QWidget* parent)
    : PropertyPage(QStringLiteral("Export to Database: Map Fields"), parent), data_(data) {
    columnList = new QListWidget;
    placeholderBox = new QComboBox;
    for (const std::string& name : placeholderChoices())
        placeholderBox->addItem(QString::fromStdString(name));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Columns:"), columnList);
    form->addRow(QStringLiteral("&Value:"), placeholderBox);
    connect(columnList, &QListWidget::currentRowChanged, this,
            &PPExportDBWizard_MapFields::showMapping);
    connect(placeholderBox, &QComboBox::activated, this,
            &PPExportDBWizard_MapFields::takePlaceholder);
}

void PPExportDBWizard_MapFields::onShown() {
    setWizardButtons(PropertySheet::Back | PropertySheet::Finish);
    columnList->clear();
    data_.mappings.clear();
    try {
        CADODatabase database;
        database.Open(data_.connectionString);
        CADORecordset table;
        table.Open(database, sqlTableName(data_.tableName), true);
        for (int i = 0; i < table.GetFieldCount(); ++i) {
            const std::string name = table.GetFieldInfo(i).name;
            columnList->addItem(QString::fromStdString(name));
            data_.mappings.push_back({name, std::string()});
        }
        table.Close();
        database.Close();
    } catch (const CADOException& e) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"),
                        QStringLiteral("Undefined Exception"), QMessageBox::Ok, this);
        box.setDetailedText(QString::fromStdString(e.description()));
        box.exec();
    }
    showMapping();
}

void PPExportDBWizard_MapFields::showMapping() {
    const int row = columnList->currentRow();
    QString name = QStringLiteral("None");
    if (row >= 0 && row < static_cast<int>(data_.mappings.size()) &&
        !data_.mappings[static_cast<size_t>(row)].placeholder.empty())
        name = QString::fromStdString(data_.mappings[static_cast<size_t>(row)].placeholder);
    placeholderBox->setCurrentText(name);
}

void PPExportDBWizard_MapFields::takePlaceholder() {
    const int row = columnList->currentRow();
    if (row < 0 || row >= static_cast<int>(data_.mappings.size())) return;
    const int choice = placeholderBox->currentIndex();
    data_.mappings[static_cast<size_t>(row)].placeholder =
        choice <= 0 ? std::string() : placeholderBox->currentText().toStdString();
}
