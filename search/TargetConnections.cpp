#include "search/TargetConnections.h"

#include "protocol/sru/SruConnection.h"
#include "protocol/z3950/Z3950Connection.h"
#include "targets/TargetAddress.h"

std::unique_ptr<TargetConnection> connectionFor(const Target& config, const SettingsData& settings,
                                                std::function<bool()> shouldStop) {
    if (isSruAddress(config.zurl))
        return std::make_unique<SruConnection>(config, settings, std::move(shouldStop));
    return std::make_unique<Z3950Connection>(config, settings, std::move(shouldStop));
}
