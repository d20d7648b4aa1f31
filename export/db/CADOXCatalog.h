// The tables of a database, on a connection of the catalog's own. One thread.
#pragma once

#include <string>
#include <vector>

#include "export/db/CADODatabase.h"

class CADOXCatalog {
public:
    // Opens the connection and reads its tables and views; false on any
    // failure, reported nowhere.
    bool Open(const std::string& connectionString);
    int GetTableCount() const { return static_cast<int>(tables_.size()); }
    // The name at index (from 0); empty when out of range.
    std::string GetTableName(int index) const;

private:
    CADODatabase database_;
    std::vector<std::string> tables_;
};
