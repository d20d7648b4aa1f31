// The settings the tests search with.
#pragma once

#include <cstdint>

#include "settings/SettingsData.h"

// Fresh-installation values, with the stylesheets of the source tree's data
// folder and the given limits; the target file is unset.
SettingsData searchSettings(int32_t maxPerTarget = 100, int32_t maxPerSearch = 1000,
                            int32_t connections = 4);
