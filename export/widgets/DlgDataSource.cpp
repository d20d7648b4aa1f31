#include "export/widgets/DlgDataSource.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
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
    auto* driverForm = new QFormLayout;
    driverForm->addRow(QStringLiteral("&Driver:"), driverBox);

    pages_ = new QStackedWidget;
    pages_->addWidget(makeSqlitePage());
    pages_->addWidget(makePostgresPage());
    pages_->addWidget(makeOdbcPage());
    connect(driverBox, &QComboBox::currentIndexChanged, pages_, &QStackedWidget::setCurrentIndex);

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
    layout->addLayout(driverForm);
    layout->addWidget(pages_);
    layout->addLayout(testRow);
    layout->addStretch(1);
    layout->addWidget(buttons);
    resize(480, sizeHint().height());

    ConnectionSettings s;
    std::string error;
    if (!parseConnectionString(connectionString, s, error)) return;
    driverBox->setCurrentIndex(static_cast<int>(s.driver));
    (s.driver == DbDriver::SQLite ? fileEdit : databaseEdit)->setText(fromStd(s.database));
    hostEdit->setText(fromStd(s.host));
    portBox->setValue(s.port);
    userEdit->setText(fromStd(s.user));
    passwordEdit->setText(fromStd(s.password));
    odbcEdit->setText(fromStd(s.odbc));
}

QWidget* DlgDataSource::makeSqlitePage() {
    auto* page = new QWidget;
    fileEdit = new QLineEdit;
    browseButton = new QPushButton(QStringLiteral("&Browse..."));
    browseButton->setAutoDefault(false);
    connect(browseButton, &QPushButton::clicked, this, &DlgDataSource::browse);
    auto* row = new QHBoxLayout;
    row->addWidget(fileEdit, 1);
    row->addWidget(browseButton);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Database &file:"), row);
    qobject_cast<QLabel*>(form->labelForField(row))->setBuddy(fileEdit);
    return page;
}

QWidget* DlgDataSource::makePostgresPage() {
    auto* page = new QWidget;
    hostEdit = new QLineEdit;
    portBox = new QSpinBox;
    portBox->setRange(0, 65535);
    portBox->setSpecialValueText(QStringLiteral("Default"));
    databaseEdit = new QLineEdit;
    userEdit = new QLineEdit;
    passwordEdit = new QLineEdit;
    passwordEdit->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("&Host:"), hostEdit);
    form->addRow(QStringLiteral("&Port:"), portBox);
    form->addRow(QStringLiteral("D&atabase:"), databaseEdit);
    form->addRow(QStringLiteral("&User:"), userEdit);
    form->addRow(QStringLiteral("Pass&word:"), passwordEdit);
    return page;
}

QWidget* DlgDataSource::makeOdbcPage() {
    auto* page = new QWidget;
    odbcEdit = new QLineEdit;
    odbcEdit->setPlaceholderText(QStringLiteral("DSN=name  or  Driver={name};Database=..."));
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("ODBC &string:"), odbcEdit);
    return page;
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
