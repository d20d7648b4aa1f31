// Turns a ZOOM record into a self-contained Record with its brief fields.
#pragma once

#include <yaz/zoom.h>

#include "settings/SettingsData.h"
#include "engine/Record.h"
#include "targets/Target.h"

// Worker thread, while zoomRecord is valid. The record's number is 0; the
// store numbers it. The record is built whatever its brief extraction finds.
Record buildRecord(ZOOM_record zoomRecord, const Target& target, const SettingsData& settings);
