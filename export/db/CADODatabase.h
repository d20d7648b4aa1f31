// One database connection of the export: open with a connection string (see
// export/ConnectionString.h), run a statement, close. Each object is its own
// Qt SQL connection, removed when the object goes. Used only on the thread
// that made it (but see canceller); every failure throws CADOException.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

class QSqlDatabase;

class CADODatabase {
public:
    CADODatabase();
    // Closes and removes the connection.
    ~CADODatabase();
    CADODatabase(const CADODatabase&) = delete;
    CADODatabase& operator=(const CADODatabase&) = delete;

    // Closes an open connection first. A non-empty connectionString replaces the
    // stored one; user and password, when given, replace the string's. True once
    // open; throws on any failure (an empty or bad string, a SQLite file that
    // does not exist, a server that refuses).
    bool Open(const std::string& connectionString = std::string(),
              const std::string& user = std::string(), const std::string& password = std::string());
    // Runs sql (UTF-8) once, discarding any rows. True; throws on failure.
    bool Execute(const std::string& sql);
    // Closes the connection if open.
    void Close();
    bool IsOpen() const;
    // A transaction around the statements that follow; throw on failure.
    void BeginTrans();
    void CommitTrans();
    // Quiet: it runs after a failure that is already being reported.
    void RollbackTrans();

    // For another thread, while the connection is open: stops the statement
    // running on it (PostgreSQL: a cancel request; SQLite: an interrupt, also
    // of a wait for a lock). Empty for ODBC, whose driver's own limit applies.
    std::function<void()> canceller() const;

    // Each statement may take this long before it fails (PostgreSQL's
    // statement_timeout, SQLite's wait for a lock): 30 s unless tests shorten it.
    static int& commandTimeLimitMs();

    const std::string& connectionString() const { return connectionString_; }
    // The open Qt connection, for the recordset and the catalog.
    QSqlDatabase database() const;

    struct BusyWait;

private:
    void limitCommands();

    QString name_;
    std::shared_ptr<BusyWait> busyWait_;
    std::string connectionString_;
};
