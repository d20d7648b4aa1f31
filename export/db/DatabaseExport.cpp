#include "export/db/DatabaseExport.h"

#include "export/db/CADODatabase.h"
#include "export/db/CADOException.h"

bool executeInsert(const std::string& connectionString, const std::string& statement,
                   std::string& detail) {
    try {
        CADODatabase database;
        if (database.Open(connectionString)) {
            database.Execute(statement);
            database.Close();
        }
        return true;
    } catch (const CADOException& e) {
        detail = e.description();
        return false;
    }
}
