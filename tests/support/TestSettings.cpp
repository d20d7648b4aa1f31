#include "TestSettings.h"

#include <string>

#include "TestSupport.h"
#include "settings/SettingsDefaults.h"

SettingsData searchSettings(int32_t maxPerTarget, int32_t maxPerSearch, int32_t connections) {
    SettingsData s = freshInstallationSettings(std::string(), sourcePath("data"));
    s.MaxRecPerTarget = maxPerTarget;
    s.MaxRecPerSearch = maxPerSearch;
    s.MaxConnections = connections;
    return s;
}
