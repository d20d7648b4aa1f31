// The database export's connection strings: "Key=Value;Key=Value", starting
// with the driver. Keys are matched without regard to case; a value holding a
// ';' or outer blanks is written in braces, a '}' inside braces doubled.
//   Driver=SQLite;Database=PATH
//   Driver=PostgreSQL;Host=H;Port=P;Database=D;User=U;Password=W
//   Driver=ODBC;ANYTHING     (ANYTHING goes to the ODBC driver manager as is)
#pragma once

#include <string>

enum class DbDriver { SQLite, PostgreSQL, ODBC };

struct ConnectionSettings {
    DbDriver driver = DbDriver::SQLite;
    // SQLite: the file; PostgreSQL: the database name.
    std::string database;
    std::string host;
    int port = 0;  // 0: the driver's default
    std::string user;
    std::string password;
    // ODBC: the connection string for the driver manager.
    std::string odbc;
};

// Pure. Fills out, or returns false with a description of what is wrong: an
// empty or malformed string, an unknown driver or key, a key given twice, a bad
// port, a missing SQLite file name or ODBC string.
bool parseConnectionString(const std::string& text, ConnectionSettings& out, std::string& error);

// Pure. The string that parses back to settings (empty fields left out).
std::string formatConnectionString(const ConnectionSettings& settings);

// What Qt's ODBC driver is given so that the driver manager gets an ODBC string:
// Qt passes its database name on whole only when it names a DRIVER or SERVER,
// and otherwise puts "DSN=" (or, for a name holding ".dsn", "FILEDSN=") before it.
struct QodbcLogin {
    std::string databaseName;
    std::string user;
    std::string password;
};

// Pure. The login for the ODBC string odbc: whole when it names a DRIVER or
// SERVER, else its DSN or FILEDSN with UID and PWD, each braced when it must be. False, saying why,
// for a string Qt's driver would pass on changed.
bool qodbcLogin(const std::string& odbc, QodbcLogin& out, std::string& error);

// Pure. The driver's name as connection strings spell it.
const char* driverName(DbDriver driver);
