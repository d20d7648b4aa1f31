// "Export to Database": the connection string and the SQL template, edited by
// hand, through the data-source prompt or with the wizard. UI thread only.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

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

    // The form, for tests.
    Ui::DlgExportToDatabase& form() { return *ui_; }

private:
    void editConnection();
    void runWizard();

    std::unique_ptr<Ui::DlgExportToDatabase> ui_;
};
