#include "protocol/sru/PqfToCql.h"
#include "protocol/sru/SruConnection.h"
#include "protocol/sru/SruHttp.h"
#include "protocol/sru/SruScan.h"

ScanAnswer SruConnection::scan(const std::string& pqf, int32_t number, int32_t position) {
    ScanAnswer answer;
    // The CQL of a single term is the scan clause itself.
    const CqlConversion cql = pqfToCql(pqf, settings_.SRUMappingFile);
    if (!cql.error.empty()) {
        answer.failure = cql.error;
        return answer;
    }
    SruHttpRequest http;
    http.url = sruScanUrl(config_.zurl, cql.cql, number, position);
    http.username = config_.username;
    http.password = config_.password;
    http.proxy = config_.profile.proxy;
    if (config_.profile.timeoutSeconds > 0) http.idleTimeoutSeconds = config_.profile.timeoutSeconds;
    http.stopped = shouldStop_;
    const SruHttpResponse reply = sruHttpGet(http);
    if (reply.stopped) return answer;
    if (!reply.error.empty()) {
        answer.failure = reply.error;
        return answer;
    }
    const SruScanResponse response = parseSruScanResponse(reply.body);
    if (!response.error.empty()) {
        // Servers without scan often answer with an error page.
        answer.failure = reply.status != 200
                             ? "The server answered HTTP " + std::to_string(reply.status)
                             : response.error;
        return answer;
    }
    if (!response.diagnostics.empty() && response.terms.empty()) {
        answer.failure = sruDiagnosticText(response.diagnostics.front());
        return answer;
    }
    for (const SruScanTerm& t : response.terms) {
        ScanTerm term;
        term.raw = t.value;
        term.display = t.display.empty() ? t.value : t.display;
        term.count = t.count;
        answer.terms.push_back(std::move(term));
    }
    return answer;
}
