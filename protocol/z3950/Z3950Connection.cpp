#include "protocol/z3950/Z3950Connection.h"

#include <algorithm>

#include "protocol/z3950/Z3950Probe.h"
#include "base/Version.h"
#include "marc/MarcCharsetChoice.h"
#include "protocol/z3950/PresentSlices.h"
#include "protocol/z3950/Z3950Records.h"

namespace {

const std::string& implementationName() {
    static const std::string name = std::string("Tessaly Z39.50 Client ") + qrnVersion();
    return name;
}

// The toolkit's own wait when a target sets none.
constexpr int kDefaultTimeoutSeconds = 30;

Z3950Options optionsOf(const Target& config) {
    Z3950Options options;
    options.address = config.zurl;
    options.proxy = config.profile.proxy;
    options.user = config.username;
    options.password = config.password;
    if (config.elementsetname != "None") options.elementSet = config.elementsetname;
    options.recordSyntax = config.recsyntax;
    // Old servers get the query's UTF-8 terms in their own set.
    if (const char* charset = queryTermCharset(config.queryCharset)) options.rpnCharset = charset;
    options.implementationName = implementationName();
    options.timeoutSeconds =
        config.profile.timeoutSeconds > 0 ? config.profile.timeoutSeconds : kDefaultTimeoutSeconds;
    return options;
}

}  // namespace

const char* z3950ImplementationName() { return implementationName().c_str(); }

Z3950Connection::Z3950Connection(const Target& config, const SettingsData& settings,
                                 std::function<bool()> shouldStop)
    : config_(config),
      settings_(settings),
      session_(optionsOf(config), shouldStop),
      shouldStop_(std::move(shouldStop)) {}

UpdateOutcome Z3950Connection::update(const std::string& iso2709, UpdateAction action) {
    if (!update_) update_ = std::make_unique<Z3950Update>(optionsOf(config_), shouldStop_);
    return update_->send(iso2709, action);
}

void Z3950Connection::noteFailure() {
    failure_ = ConnectionFailure();
    if (session_.stopped()) return;
    const Z3950Error& e = session_.error();
    if (e.code == 0) return;
    failure_.indexRejected = e.code == 114 && e.diagset == "Bib-1";
    failure_.indexInfo = e.addinfo;
    if (e.diagset == "Bib-1") failure_.bib1Diagnostic = e.code;
    if (e.code == 10007 && config_.profile.timeoutSeconds > 0) {
        failure_.text = "No answer for " + std::to_string(config_.profile.timeoutSeconds) + " s";
        return;
    }
    failure_.text = e.message + " (" + std::to_string(e.code) + ") " + e.addinfo;
}

bool Z3950Connection::connect() {
    const bool connected = session_.connect();
    connected_ = connected;
    if (!connected) noteFailure();
    return connected;
}

FetchedRecords Z3950Connection::fetched(int32_t position, Z_NamePlusRecord* record) const {
    FetchedRecords f;
    f.position = position;
    // A diagnostic in the record's place is told in the target's summary.
    if (record->which != Z_NamePlusRecord_databaseRecord)
        f.skipped = true;
    else
        f.records.push_back(buildRecord(record, config_, settings_));
    return f;
}

bool Z3950Connection::keepRecord(int32_t position, Z_NamePlusRecord* record) {
    withSearch_.push_back(fetched(position, record));
    return true;
}

bool Z3950Connection::search(const std::string& pqf, int32_t first) {
    withSearch_.clear();
    // Only a search from its first record takes records with its answer.
    const int32_t wanted = std::max(0, settings_.MaxRecPerTarget);
    const int32_t withSearch = first == 0 ? std::min(wanted, kFirstRecords) : 0;
    const bool searched = session_.search(
        pqf, withSearch, [this](int32_t p, Z_NamePlusRecord* r) { return keepRecord(p, r); });
    if (!searched) noteFailure();
    return searched;
}

FetchEnd Z3950Connection::fetch(int32_t first, int32_t end, const TakeRecords& take) {
    bool more = true;
    const auto hand = [&](int32_t position, Z_NamePlusRecord* record) {
        more = take(fetched(position, record));
        return more;
    };
    int32_t next = first;
    for (FetchedRecords& kept : withSearch_) {
        if (kept.position != next || next >= end) continue;
        ++next;
        if (!take(std::move(kept))) return FetchEnd::Stopped;
    }
    withSearch_.clear();
    while (next < end) {
        int32_t handed = 0;
        const int32_t count = std::min(end - next, kRecordsPerSlice);
        if (!session_.present(next, count, hand, handed)) {
            // The records that came are kept; the target ends where they stop.
            noteFailure();
            return session_.stopped() ? FetchEnd::Stopped : FetchEnd::Unavailable;
        }
        if (!more) return FetchEnd::Stopped;
        if (handed == 0) return FetchEnd::Unavailable;
        next += handed;
    }
    return FetchEnd::Done;
}

ProbeReport Z3950Connection::probe(int timeoutSeconds) {
    return probeZ3950(config_, timeoutSeconds, shouldStop_);
}
