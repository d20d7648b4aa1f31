// A target's connection over Z39.50, on a session of our own (see
// Z3950Session): each slice's answer is freed once its records are built.
#pragma once

#include <memory>
#include <vector>

#include "protocol/TargetConnection.h"
#include "protocol/z3950/Z3950Session.h"
#include "protocol/z3950/Z3950Update.h"
#include "settings/SettingsData.h"
#include "targets/Target.h"

// The name the client announces to servers.
const char* z3950ImplementationName();

class Z3950Connection : public TargetConnection {
public:
    // config and settings must outlive the connection.
    Z3950Connection(const Target& config, const SettingsData& settings,
                    std::function<bool()> shouldStop);

    bool connect() override;
    bool search(const std::string& pqf, int32_t first) override;
    int64_t hits() const override { return session_.hits(); }
    FetchEnd fetch(int32_t first, int32_t end, const TakeRecords& take) override;
    const ConnectionFailure& failure() const override { return failure_; }
    ProbeReport probe(int timeoutSeconds) override;
    // Connects first when connect() was not called.
    ScanAnswer scan(const std::string& pqf, int32_t number, int32_t position) override;
    UpdateOutcome update(const std::string& iso2709, UpdateAction action) override;

private:
    void noteFailure();
    // Built as it came in the search's answer, handed by the next fetch.
    bool keepRecord(int32_t position, Z_NamePlusRecord* record);
    FetchedRecords fetched(int32_t position, Z_NamePlusRecord* record) const;

    const Target& config_;
    const SettingsData& settings_;
    Z3950Session session_;
    ConnectionFailure failure_;
    std::vector<FetchedRecords> withSearch_;
    bool connected_ = false;
    std::function<bool()> shouldStop_;
    std::unique_ptr<Z3950Update> update_;  // made on the first record sent
};
