#include "export/ConnectionString.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {

const char* const kBlanks = " \t\r\n";

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(kBlanks);
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(kBlanks) - b + 1);
}

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Reads one "Key=Value" from pos; pos ends past its ';'. False on a malformed pair.
bool readPair(const std::string& text, size_t& pos, std::string& key, std::string& value,
              std::string& error) {
    size_t end = text.find_first_of("=;", pos);
    if (end == std::string::npos || text[end] == ';') {
        std::string part = trimmed(text.substr(pos, end == std::string::npos ? end : end - pos));
        error = "\"" + part + "\" is not of the form Key=Value.";
        return false;
    }
    key = trimmed(text.substr(pos, end - pos));
    if (key.empty()) {
        error = "A value is given without its key.";
        return false;
    }
    pos = text.find_first_not_of(kBlanks, end + 1);
    value.clear();
    if (pos == std::string::npos) {
        pos = text.size();
        return true;
    }
    if (text[pos] != '{') {
        end = text.find(';', pos);
        if (end == std::string::npos) end = text.size();
        value = trimmed(text.substr(pos, end - pos));
        pos = std::min(end + 1, text.size());
        return true;
    }
    for (++pos;; ++pos) {
        if (pos >= text.size()) {
            error = "The brace in the value of " + key + " is not closed.";
            return false;
        }
        if (text[pos] == '}') {
            if (pos + 1 < text.size() && text[pos + 1] == '}') {
                value += '}';
                ++pos;
                continue;
            }
            break;
        }
        value += text[pos];
    }
    pos = text.find_first_not_of(kBlanks, pos + 1);
    if (pos == std::string::npos) {
        pos = text.size();
    } else if (text[pos] != ';') {
        error = "Unexpected text after the value of " + key + " in braces.";
        return false;
    } else {
        ++pos;
    }
    return true;
}

bool atEnd(const std::string& text, size_t pos) {
    return text.find_first_not_of(std::string(kBlanks) + ";", pos) == std::string::npos;
}

bool parsePort(const std::string& value, int& port, std::string& error) {
    bool digits = !value.empty() && value.size() <= 5 &&
                  std::all_of(value.begin(), value.end(),
                              [](unsigned char c) { return std::isdigit(c) != 0; });
    port = digits ? std::stoi(value) : 0;
    if (port < 1 || port > 65535) {
        error = "The port must be a number from 1 to 65535, not \"" + value + "\".";
        return false;
    }
    return true;
}

bool setKey(ConnectionSettings& out, const std::string& key, const std::string& value,
            std::string& error) {
    const std::string k = lowered(key);
    if (k == "database") {
        out.database = value;
        return true;
    }
    if (out.driver == DbDriver::PostgreSQL) {
        if (k == "host") {
            out.host = value;
            return true;
        }
        if (k == "port") return parsePort(value, out.port, error);
        if (k == "user") {
            out.user = value;
            return true;
        }
        if (k == "password") {
            out.password = value;
            return true;
        }
    }
    error = "Unknown key \"" + key + "\" for the " + driverName(out.driver) + " driver.";
    return false;
}

std::string quotedValue(const std::string& value) {
    bool braces = value.find_first_of(";{}") != std::string::npos ||
                  (!value.empty() && (std::isspace(static_cast<unsigned char>(value.front())) ||
                                      std::isspace(static_cast<unsigned char>(value.back()))));
    if (!braces) return value;
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

}  // namespace

const char* driverName(DbDriver driver) {
    switch (driver) {
        case DbDriver::PostgreSQL:
            return "PostgreSQL";
        case DbDriver::ODBC:
            return "ODBC";
        case DbDriver::SQLite:
            break;
    }
    return "SQLite";
}

bool parseConnectionString(const std::string& text, ConnectionSettings& out, std::string& error) {
    out = ConnectionSettings();
    if (atEnd(text, 0)) {
        error = "The connection string is empty.";
        return false;
    }
    size_t pos = 0;
    std::string key, value;
    if (!readPair(text, pos, key, value, error)) return false;
    if (lowered(key) != "driver") {
        error =
            "The connection string must start with Driver=SQLite, Driver=PostgreSQL or "
            "Driver=ODBC.";
        return false;
    }
    const std::string driver = lowered(value);
    if (driver == "sqlite") {
        out.driver = DbDriver::SQLite;
    } else if (driver == "postgresql") {
        out.driver = DbDriver::PostgreSQL;
    } else if (driver == "odbc") {
        out.driver = DbDriver::ODBC;
        out.odbc = trimmed(text.substr(pos));
        if (out.odbc.empty()) {
            error = "Driver=ODBC needs the ODBC connection string after it.";
            return false;
        }
        return true;
    } else {
        error = "Unknown driver \"" + value + "\": use SQLite, PostgreSQL or ODBC.";
        return false;
    }
    std::set<std::string> seen;
    while (!atEnd(text, pos)) {
        if (!readPair(text, pos, key, value, error)) return false;
        if (!seen.insert(lowered(key)).second || lowered(key) == "driver") {
            error = "The key " + key + " is given twice.";
            return false;
        }
        if (!setKey(out, key, value, error)) return false;
    }
    if (out.driver == DbDriver::SQLite && out.database.empty()) {
        error = "Driver=SQLite needs Database=PATH, the database file.";
        return false;
    }
    return true;
}

std::string formatConnectionString(const ConnectionSettings& s) {
    std::string out = std::string("Driver=") + driverName(s.driver);
    if (s.driver == DbDriver::ODBC) return out + ";" + s.odbc;
    auto add = [&out](const char* key, const std::string& value) {
        if (!value.empty()) out += std::string(";") + key + "=" + quotedValue(value);
    };
    if (s.driver == DbDriver::PostgreSQL) {
        add("Host", s.host);
        add("Port", s.port > 0 ? std::to_string(s.port) : std::string());
    }
    add("Database", s.database);
    if (s.driver == DbDriver::PostgreSQL) {
        add("User", s.user);
        add("Password", s.password);
    }
    return out;
}

bool qodbcLogin(const std::string& odbc, QodbcLogin& out, std::string& error) {
    out = QodbcLogin();
    std::map<std::string, std::string> keys;
    for (size_t pos = 0; !atEnd(odbc, pos);) {
        std::string key, value;
        if (!readPair(odbc, pos, key, value, error)) return false;
        keys[lowered(key)] = value;
    }
    if (lowered(odbc).find(".dsn") != std::string::npos && !keys.count("filedsn")) {
        error =
            "Qt's ODBC driver takes any ODBC string holding \".dsn\" for a file DSN; "
            "name it with FILEDSN= alone.";
        return false;
    }
    if (keys.count("driver") || keys.count("server")) {
        out.databaseName = odbc;
        return true;
    }
    const bool file = keys.count("filedsn") > 0;
    if (file == (keys.count("dsn") > 0)) {
        error = "The ODBC string must name a DRIVER, a SERVER, a DSN or a FILEDSN.";
        return false;
    }
    for (const auto& [key, value] : keys) {
        if (key != "dsn" && key != "filedsn" && key != "uid" && key != "pwd") {
            error = "With a " + std::string(file ? "FILEDSN" : "DSN") +
                    ", Qt's ODBC driver takes only UID and PWD besides it, not " + key + ".";
            return false;
        }
    }
    out.databaseName = keys[file ? "filedsn" : "dsn"];
    if (file && lowered(out.databaseName).find(".dsn") == std::string::npos) {
        error = "A FILEDSN must name a file ending in .dsn.";
        return false;
    }
    // Qt joins these into "DSN=...;UID=...;PWD=..." as they are: a ';' in a
    // password would end it there.
    out.databaseName = quotedValue(out.databaseName);
    out.user = quotedValue(keys["uid"]);
    out.password = quotedValue(keys["pwd"]);
    return true;
}
