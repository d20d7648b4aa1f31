// Running the database export's statement. UI thread only.
#pragma once

#include <string>

// Opens the database, runs statement once and closes it. False on any failure,
// with the database's own description in detail.
bool executeInsert(const std::string& connectionString, const std::string& statement,
                   std::string& detail);
