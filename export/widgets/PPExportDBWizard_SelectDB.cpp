#include "export/widgets/PPExportDBWizard_SelectDB.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/ExportWizardData.h"
#include "export/widgets/DlgDataSource.h"
#include "ui/PropertySheet.h"

PPExportDBWizard_SelectDB::PPExportDBWizard_SelectDB(ExportWizardData& data, QWidget* parent)
    : PropertyPage(QStringLiteral("Export to Database: Select Database"), parent), data_(data) {
    connectionEdit = new QLineEdit(QString::fromStdString(data.connectionString));
    connectionEdit->setReadOnly(true);
    selectButton = new QPushButton(QStringLiteral("&Select Database"));
    selectButton->setAutoDefault(false);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Connection string:"), connectionEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(selectButton, 0, Qt::AlignRight);
    layout->addStretch(1);

    connect(connectionEdit, &QLineEdit::textChanged, this,
            &PPExportDBWizard_SelectDB::takeConnection);
    connect(selectButton, &QPushButton::clicked, this, [this] {
        std::string text = connectionEdit->text().toStdString();
        if (promptDataSource(this, text)) connectionEdit->setText(QString::fromStdString(text));
    });
}

void PPExportDBWizard_SelectDB::onShown() { takeConnection(); }

void PPExportDBWizard_SelectDB::takeConnection() {
    const QString text = connectionEdit->text();
    if (!text.isEmpty()) data_.connectionString = text.toStdString();
    setWizardButtons(text.isEmpty() ? 0 : PropertySheet::Next);
}
