#include "export/widgets/DlgExportToDatabase.h"

#include "export/ExportWizardData.h"
#include "export/InsertTemplate.h"
#include "export/widgets/DlgDataSource.h"
#include "export/widgets/ExportDbWizard.h"
#include "ui_DlgExportToDatabase.h"

DlgExportToDatabase::DlgExportToDatabase(const std::string& connectionString,
                                         const std::string& sqlTemplate, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::DlgExportToDatabase>()) {
    ui_->setupUi(this);
    ui_->connectionEdit->setText(QString::fromStdString(connectionString));
    ui_->templateEdit->setPlainText(
        QString::fromStdString(sqlTemplate.empty() ? kDefaultInsertTemplate : sqlTemplate));
    connect(ui_->editButton, &QPushButton::clicked, this, &DlgExportToDatabase::editConnection);
    connect(ui_->wizardButton, &QPushButton::clicked, this, &DlgExportToDatabase::runWizard);
}

DlgExportToDatabase::~DlgExportToDatabase() = default;

std::string DlgExportToDatabase::connectionString() const {
    return ui_->connectionEdit->text().toStdString();
}

std::string DlgExportToDatabase::sqlTemplate() const {
    return ui_->templateEdit->toPlainText().toStdString();
}

QPlainTextEdit* DlgExportToDatabase::templateEdit() const { return ui_->templateEdit; }
QLineEdit* DlgExportToDatabase::connectionEdit() const { return ui_->connectionEdit; }
QPushButton* DlgExportToDatabase::editButton() const { return ui_->editButton; }
QPushButton* DlgExportToDatabase::wizardButton() const { return ui_->wizardButton; }
QPushButton* DlgExportToDatabase::okButton() const {
    return ui_->buttonBox->button(QDialogButtonBox::Ok);
}

void DlgExportToDatabase::editConnection() {
    std::string text = connectionString();
    if (promptDataSource(this, text)) ui_->connectionEdit->setText(QString::fromStdString(text));
}

void DlgExportToDatabase::runWizard() {
    ExportWizardData data;
    data.connectionString = connectionString();
    if (!runExportDbWizard(this, data)) return;
    ui_->connectionEdit->setText(QString::fromStdString(data.connectionString));
    ui_->templateEdit->setPlainText(QString::fromStdString(wizardInsertStatement(data)));
}
