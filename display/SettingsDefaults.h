// Values an installer writes for a new user; the program itself never falls
// back on them once a settings store exists.
#pragma once

#include <string>

#include "display/SettingsData.h"

// targetFile: full path of the user's target list file.
SettingsData freshInstallationSettings(const std::string& targetFile);
