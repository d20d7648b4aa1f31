#include "export/widgets/DlgDataSource.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "export/ConnectionString.h"
#include "export/db/CADODatabase.h"
#include "export/db/CADOException.h"
#include "export/widgets/FileChooser.h"

namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

DlgDataSource::DlgDataSource(const std::string& connectionString, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Data Source"));
    driverBox = new QComboBox;
    for (DbDriver d : {DbDriver::SQLite, DbDriver::PostgreSQL, DbDriver::ODBC})
        driverBox->addItem(QString::fromLatin1(driverName(d)));

    fileEdit = new QLineEdit;
    browseButton = new QPushButton(QStringLiteral("&Browse..."));
    browseButton->setAutoDefault(false);
    connect(browseButton, &QPushButton::clicked, this, &DlgDataSource::browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileEdit, 1);
    fileRow->addWidget(browseButton);
    hostEdit = new QLineEdit;
    portBox = new QSpinBox;
    portBox->setRange(0, 65535);
    portBox->setSpecialValueText(QStringLiteral("Default"));
    databaseEdit = new QLineEdit;
    userEdit = new QLineEdit;
    passwordEdit = new QLineEdit;
    passwordEdit->setEchoMode(QLineEdit::Password);
    odbcEdit = new QLineEdit;
    odbcEdit->setPlaceholderText(QStringLiteral("DSN=name  or  Driver={name};Database=..."));

    form_ = new QFormLayout;
    form_->addRow(QStringLiteral("&Driver:"), driverBox);
    form_->addRow(QStringLiteral("Database &file:"), fileRow);
    qobject_cast<QLabel*>(form_->labelForField(fileRow))->setBuddy(fileEdit);
    form_->addRow(QStringLiteral("&Host:"), hostEdit);
    form_->addRow(QStringLiteral("&Port:"), portBox);
    form_->addRow(QStringLiteral("D&atabase:"), databaseEdit);
    form_->addRow(QStringLiteral("&User:"), userEdit);
    form_->addRow(QStringLiteral("Pass&word:"), passwordEdit);
    form_->addRow(QStringLiteral("ODBC &string:"), odbcEdit);
    connect(driverBox, &QComboBox::currentIndexChanged, this, &DlgDataSource::showDriverFields);

    testButton = new QPushButton(QStringLiteral("&Test"));
    testButton->setAutoDefault(false);
    statusLabel = new QLabel;
    statusLabel->setWordWrap(true);
    statusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(testButton, &QPushButton::clicked, this, &DlgDataSource::testConnection);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(testButton, 0, Qt::AlignTop);
    testRow->addWidget(statusLabel, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &DlgDataSource::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DlgDataSource::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addLayout(testRow);
    layout->addWidget(buttons);
    fileEdit->setMinimumWidth(320);

    ConnectionSettings s;
    std::string error;
    if (parseConnectionString(connectionString, s, error)) {
        driverBox->setCurrentIndex(static_cast<int>(s.driver));
        (s.driver == DbDriver::SQLite ? fileEdit : databaseEdit)->setText(fromStd(s.database));
        hostEdit->setText(fromStd(s.host));
        portBox->setValue(s.port);
        userEdit->setText(fromStd(s.user));
        passwordEdit->setText(fromStd(s.password));
        odbcEdit->setText(fromStd(s.odbc));
    }
    showDriverFields();
}

void DlgDataSource::showDriverFields() {
    const auto driver = static_cast<DbDriver>(driverBox->currentIndex());
    form_->setRowVisible(1, driver == DbDriver::SQLite);
    for (int row = 2; row <= 6; ++row) form_->setRowVisible(row, driver == DbDriver::PostgreSQL);
    form_->setRowVisible(7, driver == DbDriver::ODBC);
    statusLabel->clear();
    // As tall as the rows on show: no gap where the other drivers' rows were.
    layout()->activate();
    resize(width(), minimumSizeHint().height());
}

std::string DlgDataSource::connectionString() const {
    ConnectionSettings s;
    s.driver = static_cast<DbDriver>(driverBox->currentIndex());
    switch (s.driver) {
        case DbDriver::SQLite:
            s.database = fileEdit->text().toStdString();
            break;
        case DbDriver::PostgreSQL:
            s.host = hostEdit->text().trimmed().toStdString();
            s.port = portBox->value();
            s.database = databaseEdit->text().toStdString();
            s.user = userEdit->text().toStdString();
            s.password = passwordEdit->text().toStdString();
            break;
        case DbDriver::ODBC:
            s.odbc = odbcEdit->text().trimmed().toStdString();
            break;
    }
    return formatConnectionString(s);
}

void DlgDataSource::accept() {
    ConnectionSettings s;
    std::string error;
    if (!parseConnectionString(connectionString(), s, error)) {
        statusLabel->setText(fromStd(error));
        return;
    }
    QDialog::accept();
}

void DlgDataSource::testConnection() {
    try {
        CADODatabase database;
        database.Open(connectionString());
        database.Close();
        statusLabel->setText(QStringLiteral("The connection works."));
    } catch (const CADOException& e) {
        statusLabel->setText(QStringLiteral("Unable to connect: ") + fromStd(e.description()));
    }
}

void DlgDataSource::browse() {
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.caption = QStringLiteral("Database File");
    request.filter = QStringLiteral("SQLite Databases (*.db *.sqlite *.sqlite3);;All Files (*)");
    const QString path = chooseFile(this, request);
    if (!path.isEmpty()) fileEdit->setText(path);
}

bool promptDataSource(QWidget* parent, std::string& connectionString) {
    DlgDataSource dialog(connectionString, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    connectionString = dialog.connectionString();
    return true;
}
