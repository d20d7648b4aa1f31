// "Export to Database": the connection string and the SQL template, edited by
// hand, through the data-source prompt or with the wizard. UI thread only.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Ui {
class DlgExportToDatabase;
}

class DlgExportToDatabase : public QDialog {
    Q_OBJECT
public:
    // An empty template shows the default one.
    DlgExportToDatabase(const std::string& connectionString, const std::string& sqlTemplate,
                        QWidget* parent = nullptr);
    ~DlgExportToDatabase() override;

    std::string connectionString() const;
    std::string sqlTemplate() const;

    // The fields and buttons, for tests.
    QPlainTextEdit* templateEdit() const;
    QLineEdit* connectionEdit() const;
    QPushButton* editButton() const;
    QPushButton* wizardButton() const;
    QPushButton* okButton() const;

private:
    void editConnection();
    void runWizard();

    std::unique_ptr<Ui::DlgExportToDatabase> ui_;
};
