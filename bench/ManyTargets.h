// The 200 targets of the many-target benchmarks: four local Zebras, each
// reached under 50 addresses (its databases Db0..Db49, 20 records each), and a
// quarter of the targets dead: half of them refusing connections, half
// accepting and never answering, those with a time limit of their own.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "FreePort.h"
#include "MarcCorpus.h"
#include "SilentServer.h"
#include "TestSupport.h"
#include "ZebraServer.h"

namespace many_targets {

constexpr int kServers = 4;
constexpr int kDatabases = 50;
constexpr int kTargets = kServers * kDatabases;
constexpr int kRecords = 20;
constexpr int kConnections = 10;
constexpr int kSilentTimeoutSeconds = 1;
constexpr const char* kEveryRecord = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

inline std::string database(int n) { return "Db" + std::to_string(n); }

// Indexes file into every database of the register in dir, before Zebra
// indexes it under the first.
inline void indexEveryDatabase(const std::string& dir, const std::string& file) {
    const std::string log = dir + "/zebraidx-databases.log";
    std::filesystem::create_directory(dir + "/register");
    for (int n = 1; n < kDatabases; ++n) {
        ChildProcess indexer({"zebraidx", "-c", "zebra.cfg", "-d", database(n), "update", file},
                             dir, log);
        if (indexer.wait(60000) != 0)
            throw std::runtime_error("zebraidx failed:\n" + readFileBytes(log));
    }
}

struct Address {
    std::string zurl;
    int timeoutSeconds = 0;
    int expected = 0;
};

// The servers, running while it lives, and the 200 addresses on them.
class Servers {
public:
    Servers() {
        const std::string file = dir_.file("records.mrc");
        writeCorpusFile(file, kRecords, 11);
        zebras_.push_back(std::make_unique<ZebraServer>(
            std::vector<std::string>{file}, database(0), ZServer::Logging::Requests,
            [&](const std::string& configDir) { indexEveryDatabase(configDir, file); }));
        while (zebras_.size() < kServers)
            zebras_.push_back(
                ZebraServer::onSameRegister(*zebras_.front(), ZServer::Logging::Requests));
        const int refusing = pickFreePort();
        // Every fourth address of each server is dead, alternately refusing and silent.
        for (int n = 0; n < kDatabases; ++n)
            for (int s = 0; s < kServers; ++s) {
                Address a;
                if (s == 3 && n % 2 == 0)
                    a.zurl = "127.0.0.1:" + std::to_string(refusing) + "/" + database(n);
                else if (s == 3) {
                    a.zurl = silent_.zurl(database(n));
                    a.timeoutSeconds = kSilentTimeoutSeconds;
                } else {
                    a.zurl = zebras_[s]->zurl(database(n));
                    a.expected = kRecords;
                }
                expectedRecords_ += a.expected;
                addresses_.push_back(a);
            }
    }

    const std::vector<Address>& addresses() const { return addresses_; }
    int expectedRecords() const { return expectedRecords_; }

private:
    TempDir dir_;
    std::vector<std::unique_ptr<ZebraServer>> zebras_;
    SilentServer silent_;
    std::vector<Address> addresses_;
    int expectedRecords_ = 0;
};

}  // namespace many_targets
