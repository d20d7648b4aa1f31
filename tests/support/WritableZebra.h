// A Zebra that takes records by Extended Services Update, as a library's own
// catalogue does: changes go to a shadow register until committed, the
// record's 001 (Local-number) names it, so a record with a known number
// replaces the one there. Anonymous users may connect and search but not
// write (Bib-1 223); "admin" with the password given may write.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ZebraServer.h"

// The records of iso2709Files (absolute paths) are in the catalogue when it
// starts. Throws std::runtime_error when Zebra cannot be set up.
std::unique_ptr<ZebraServer> writableZebra(const std::vector<std::string>& iso2709Files,
                                           const std::string& adminPassword = "secret");

// What writableZebra adds to the demo catalogue's configuration in dir: the
// settings above in zebra.cfg, a password file for admin, and the 035 $a
// indexed as Identifier-standard (1007).
void makeZebraWritable(const std::string& dir, const std::string& adminPassword);
