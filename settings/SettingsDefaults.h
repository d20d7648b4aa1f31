// Values an installer writes for a new user; the program itself never falls
// back on them once a settings store exists.
#pragma once

#include <string>

#include "settings/SettingsData.h"

// targetFile: full path of the user's target list file. dataDir: the installed
// share folder holding the shipped stylesheets (xsl/...); when empty the
// stylesheet settings stay empty.
SettingsData freshInstallationSettings(const std::string& targetFile,
                                       const std::string& dataDir = std::string());

// The shipped stylesheets, relative to the data folder.
extern const char* const kMarcXmlStylesheet;
extern const char* const kModsStylesheet;
extern const char* const kDublinCoreStylesheet;
extern const char* const kDefaultXmlStylesheet;
