// The export's template prepared once on an open connection and run for one
// record after another with the record's values bound. On the connection's
// thread; every failure throws CADOException.
#pragma once

#include <QSqlQuery>
#include <functional>
#include <vector>

#include "export/InsertTemplate.h"

class CADODatabase;

class TemplateInsert {
public:
    // Learns which parameters go into columns that take bytes, then prepares.
    TemplateInsert(CADODatabase& database, const ParsedTemplate& parsed);
    // Runs the statement once with values (one per parameter).
    void run(const std::vector<BoundValue>& values);
    // ODBC: for another thread, while this object lives, stops the running
    // statement. Empty elsewhere (see CADODatabase::canceller).
    std::function<void()> canceller() const;

private:
    QSqlQuery query_;
    std::vector<bool> bytesColumn_;
    bool bound_ = false;
    bool odbc_ = false;
    void* statement_ = nullptr;  // ODBC's handle of the prepared statement
    QString sql_;
};
