// "Data Source": builds a connection string from a driver and its fields, and
// tries it. UI thread only.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class DlgDataSource : public QDialog {
    Q_OBJECT
public:
    // The fields start from connectionString when it parses.
    explicit DlgDataSource(const std::string& connectionString, QWidget* parent = nullptr);

    // The string the fields make now.
    std::string connectionString() const;
    // Refuses a string that does not parse, saying why in the status line.
    void accept() override;

    // Opens and closes the connection; the status line tells how it went.
    void testConnection();

    // The fields, for tests.
    QComboBox* driverBox = nullptr;
    QLineEdit* fileEdit = nullptr;
    QPushButton* browseButton = nullptr;
    QLineEdit* hostEdit = nullptr;
    QSpinBox* portBox = nullptr;
    QLineEdit* databaseEdit = nullptr;
    QLineEdit* userEdit = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QLineEdit* odbcEdit = nullptr;
    QPushButton* testButton = nullptr;
    QLabel* statusLabel = nullptr;

private:
    void showDriverFields();
    void browse();

    QFormLayout* form_ = nullptr;
};

// Runs the dialog on connectionString; OK puts the new string there and gives
// true, Cancel leaves it as it was.
bool promptDataSource(QWidget* parent, std::string& connectionString);
