// Table and column names as the SQL the export writes names them.
#pragma once

#include <string>

// Pure. The name as it stands when it is a plain lower-case word that no
// database reserves; otherwise in double quotes (a quote inside doubled), so
// blanks, capitals and reserved words survive.
std::string sqlName(const std::string& name);

// Pure. A table name as the database lists it, "schema.table" with each part
// a name of its own.
std::string sqlTableName(const std::string& name);
