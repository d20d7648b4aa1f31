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

// Pure. The driver's name as connection strings spell it.
const char* driverName(DbDriver driver);
