// Records as the Z39.50 toolkit delivers them, made self-contained.
#pragma once

#include <yaz/z-core.h>
#include <yaz/zoom.h>

#include "records/Record.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

// Worker thread, while the record is valid.
Record buildRecord(Z_NamePlusRecord* record, const Target& target, const SettingsData& settings);
Record buildRecord(ZOOM_record record, const Target& target, const SettingsData& settings);
