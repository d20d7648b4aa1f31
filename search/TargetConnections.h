// The connection for a target, by the protocol its address names.
#pragma once

#include <functional>
#include <memory>

#include "protocol/TargetConnection.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

// config and settings must outlive the connection; shouldStop is asked
// while it waits for the server.
std::unique_ptr<TargetConnection> connectionFor(const Target& config, const SettingsData& settings,
                                                std::function<bool()> shouldStop);
