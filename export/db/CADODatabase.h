// One database connection of the export: open with a connection string (see
// export/ConnectionString.h), run a statement, close. Each object is its own
// Qt SQL connection, removed when the object goes. UI thread only; every
// failure throws CADOException.
#pragma once

#include <QString>
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

    const std::string& connectionString() const { return connectionString_; }
    // The open Qt connection, for the recordset and the catalog.
    QSqlDatabase database() const;

private:
    QString name_;
    std::string connectionString_;
};
