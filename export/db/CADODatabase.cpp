#include "export/db/CADODatabase.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <chrono>
#include <thread>

#include "export/ConnectionString.h"
#include "export/db/CADOException.h"
#include "export/db/SqlFailure.h"

namespace {

const char* qtDriver(DbDriver driver) {
    switch (driver) {
        case DbDriver::PostgreSQL:
            return "QPSQL";
        case DbDriver::ODBC:
            return "QODBC";
        case DbDriver::SQLite:
            break;
    }
    return "QSQLITE";
}

// Sets the connection up from settings; throws for what Qt would not notice.
void configure(QSqlDatabase& db, const ConnectionSettings& s) {
    switch (s.driver) {
        case DbDriver::SQLite: {
            // Qt's driver would quietly create a new, empty database instead.
            const QString path = QString::fromStdString(s.database);
            if (!QFileInfo(path).isFile())
                throw CADOException(CADOException::kNoDatabaseFile,
                                    "The database file " + s.database + " does not exist.");
            db.setDatabaseName(path);
            break;
        }
        case DbDriver::PostgreSQL:
            db.setHostName(QString::fromStdString(s.host));
            if (s.port > 0) db.setPort(s.port);
            db.setDatabaseName(QString::fromStdString(s.database));
            db.setUserName(QString::fromStdString(s.user));
            db.setPassword(QString::fromStdString(s.password));
            db.setConnectOptions(QStringLiteral("connect_timeout=10"));
            break;
        case DbDriver::ODBC: {
            QodbcLogin login;
            std::string error;
            if (!qodbcLogin(s.odbc, login, error))
                throw CADOException(CADOException::kBadConnectionString, error);
            db.setDatabaseName(QString::fromStdString(login.databaseName));
            db.setUserName(QString::fromStdString(login.user));
            db.setPassword(QString::fromStdString(login.password));
            break;
        }
    }
}

// The client library's handle under a Qt driver of that name, or null.
template <typename Handle>
Handle driverHandle(const QSqlDatabase& db, const char* qtDriverName) {
    const QVariant v = db.driver()->handle();
    if (db.driverName() != QLatin1String(qtDriverName) || !v.isValid()) return nullptr;
    return *static_cast<Handle const*>(v.data());
}

}  // namespace

// SQLite's own busy timeout cannot be interrupted: this wait can.
struct CADODatabase::BusyWait {
    std::atomic<bool> cancelled{false};
    std::atomic<sqlite3*> handle{nullptr};
    std::chrono::steady_clock::time_point since;

    static int retry(void* self, int count) {
        auto* wait = static_cast<BusyWait*>(self);
        const auto now = std::chrono::steady_clock::now();
        if (count == 0) wait->since = now;
        if (wait->cancelled || now - wait->since >= std::chrono::milliseconds(commandTimeLimitMs()))
            return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return 1;
    }
};

int& CADODatabase::commandTimeLimitMs() {
    static int limit = 30000;
    return limit;
}

CADODatabase::CADODatabase() {
    static std::atomic<unsigned> counter{0};
    name_ = QStringLiteral("qrn-export-%1").arg(++counter);
}

CADODatabase::~CADODatabase() {
    Close();
    if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
}

bool CADODatabase::Open(const std::string& connectionString, const std::string& user,
                        const std::string& password) {
    Close();
    if (!connectionString.empty()) connectionString_ = connectionString;
    ConnectionSettings settings;
    std::string error;
    if (!parseConnectionString(connectionString_, settings, error))
        throw CADOException(CADOException::kBadConnectionString, error);
    const QString driver = QString::fromLatin1(qtDriver(settings.driver));
    if (!QSqlDatabase::isDriverAvailable(driver))
        throw CADOException(CADOException::kNoDriver,
                            "The Qt SQL driver " + driver.toStdString() + " is not installed.");

    if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, name_);
    configure(db, settings);
    if (!user.empty()) db.setUserName(QString::fromStdString(user));
    if (!password.empty()) db.setPassword(QString::fromStdString(password));
    if (!db.open()) throw sqlFailure(db.lastError());
    limitCommands();
    return true;
}

void CADODatabase::limitCommands() {
    QSqlDatabase db = database();
    if (auto* handle = driverHandle<sqlite3*>(db, "QSQLITE")) {
        busyWait_ = std::make_shared<BusyWait>();
        busyWait_->handle = handle;
        sqlite3_busy_handler(handle, &BusyWait::retry, busyWait_.get());
    } else if (driverHandle<PGconn*>(db, "QPSQL")) {
        Execute("SET statement_timeout = " + std::to_string(commandTimeLimitMs()));
    }
}

std::function<void()> CADODatabase::canceller() const {
    const QSqlDatabase db = database();
    if (!db.isOpen()) return {};
    if (busyWait_) {
        return [wait = busyWait_] {
            wait->cancelled = true;
            sqlite3_interrupt(wait->handle);
        };
    }
    if (auto* connection = driverHandle<PGconn*>(db, "QPSQL")) {
        std::shared_ptr<PGcancel> cancel(PQgetCancel(connection), PQfreeCancel);
        if (!cancel) return {};
        return [cancel] {
            char error[256];
            PQcancel(cancel.get(), error, sizeof error);
        };
    }
    return {};
}

void CADODatabase::BeginTrans() {
    QSqlDatabase db = database();
    if (!db.isOpen()) throw CADOException(CADOException::kNotOpen, "The database is not open.");
    if (!db.transaction()) throw sqlFailure(db.lastError());
}

void CADODatabase::CommitTrans() {
    QSqlDatabase db = database();
    if (!db.commit()) throw sqlFailure(db.lastError());
}

void CADODatabase::RollbackTrans() { database().rollback(); }

bool CADODatabase::Execute(const std::string& sql) {
    QSqlDatabase db = database();
    if (!db.isOpen()) throw CADOException(CADOException::kNotOpen, "The database is not open.");
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QString::fromStdString(sql))) throw sqlFailure(query.lastError());
    return true;
}

void CADODatabase::Close() {
    if (QSqlDatabase::contains(name_)) database().close();
    busyWait_.reset();
}

bool CADODatabase::IsOpen() const { return QSqlDatabase::contains(name_) && database().isOpen(); }

QSqlDatabase CADODatabase::database() const { return QSqlDatabase::database(name_, false); }
