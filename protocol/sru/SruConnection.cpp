#include "protocol/sru/SruConnection.h"

#include <algorithm>

#include "protocol/sru/SruProbe.h"
#include "protocol/sru/PqfToCql.h"
#include "protocol/sru/SruRecords.h"

SruConnection::SruConnection(const Target& config, const SettingsData& settings,
                             std::function<bool()> shouldStop)
    : config_(config),
      settings_(settings),
      session_(config, shouldStop),
      shouldStop_(std::move(shouldStop)) {}

void SruConnection::noteFailure(const std::string& text) {
    failure_ = ConnectionFailure();
    failure_.text = text;
    const SruDiagnostic& d = session_.diagnostic();
    if (d.uri == "info:srw/diagnostic/1/16") {
        failure_.indexRejected = true;
        failure_.indexInfo = d.details;
    }
}

bool SruConnection::search(const std::string& pqf, int32_t first) {
    failure_ = ConnectionFailure();
    const CqlConversion cql = pqfToCql(pqf, settings_.SRUMappingFile);
    if (!cql.error.empty()) {
        failure_.text = cql.error;
        return false;
    }
    if (!session_.search(cql.cql, first, std::max(0, settings_.MaxRecPerTarget))) {
        if (session_.stopped()) return false;
        // Records that came with a diagnostic are kept, as on any later page;
        // the diagnostic is told once they are stored.
        if (session_.record(first)) return true;
        noteFailure(session_.error());
        return false;
    }
    if (session_.hits() < 0) {
        failure_.text = "The server reported no valid number of records (" +
                        std::to_string(session_.hits()) + ")";
        return false;
    }
    return true;
}

FetchEnd SruConnection::fetch(int32_t first, int32_t end, const TakeRecords& take) {
    // Each page is handed on before the next is asked for: a Stop or a
    // failure later keeps it.
    for (int32_t p = first; p < end; ++p) {
        if (!session_.failed()) session_.fetchPage(p, end);
        if (session_.stopped()) return FetchEnd::Stopped;
        const SruResponseRecord* slot = session_.record(p);
        if (!slot) {
            // What came is kept; the rest is not asked for again.
            noteFailure(session_.error());
            return FetchEnd::Unavailable;
        }
        FetchedRecords fetched;
        fetched.position = p;
        fetched.skipped = slot->surrogate;
        if (!slot->surrogate) fetched.records = buildSruRecords(*slot, config_, settings_);
        if (!take(std::move(fetched))) return FetchEnd::Stopped;
    }
    if (!session_.failed()) return FetchEnd::Done;
    // Everything asked for came, with a diagnostic beside it.
    noteFailure(session_.error());
    return FetchEnd::Failed;
}

ProbeReport SruConnection::probe(int timeoutSeconds) {
    return probeSru(config_, timeoutSeconds, shouldStop_);
}
