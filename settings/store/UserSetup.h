// What an installer does once per user, shared by qrn-setup and by the program
// on its first run: creates the settings store with the fresh-installation
// values and puts the default target list in place. Never overwrites what the
// user already has.
#pragma once

#include <string>
#include <vector>

struct UserSetupReport {
    bool ok = true;
    std::vector<std::string> notes;   // what was created or kept
    std::vector<std::string> errors;  // what could not be done
};

// dataDir holds the shipped targets.xml and stylesheets; without that file
// nothing is created. Needs a QCoreApplication with organisation "Corvane" and
// application "QRN".
UserSetupReport setUpUser(const std::string& dataDir);
