// A target's connection over SRU: searchRetrieve by HTTP, the query turned
// into CQL on the way.
#pragma once

#include <memory>

#include "protocol/TargetConnection.h"
#include "protocol/sru/SruSession.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

class SruConnection : public TargetConnection {
public:
    // config and settings must outlive the connection.
    SruConnection(const Target& config, const SettingsData& settings,
                  std::function<bool()> shouldStop);

    // SRU is stateless: nothing to open before the search.
    bool connect() override { return true; }
    bool search(const std::string& pqf, int32_t first) override;
    int64_t hits() const override { return session_.hits(); }
    FetchEnd fetch(int32_t first, int32_t end, const TakeRecords& take) override;
    const ConnectionFailure& failure() const override { return failure_; }
    ProbeReport probe(int timeoutSeconds) override;
    ScanAnswer scan(const std::string& pqf, int32_t number, int32_t position) override;

private:
    void noteFailure(const std::string& text);

    const Target& config_;
    const SettingsData& settings_;
    SruSession session_;
    ConnectionFailure failure_;
    std::function<bool()> shouldStop_;
};
