// A table of an open CADODatabase, read for its column names, on the
// connection's thread; every failure throws CADOException.
#pragma once

#include <string>
#include <vector>

class CADODatabase;

struct CADOFieldInfo {
    // Whole, whatever its length.
    std::string name;
    // Qt's meta type id of the column's values.
    int type = 0;
    // The column's length as the driver reports it; -1 when unknown.
    long definedSize = -1;
    long attributes = 0;
};

class CADORecordset {
public:
    // Closes the recordset if open and opens source on database: openTable
    // takes it as a table name (all its columns, no rows read), else as a query.
    // True when open afterwards.
    bool Open(CADODatabase& database, const std::string& source, bool openTable = true);
    // The number of columns; 0 when closed.
    int GetFieldCount() const { return static_cast<int>(fields_.size()); }
    // The column at index (from 0), in the database's order.
    const CADOFieldInfo& GetFieldInfo(int index) const;
    void Close();
    bool IsOpen() const { return open_; }

private:
    std::vector<CADOFieldInfo> fields_;
    bool open_ = false;
};
