#include "protocol/sru/SruSession.h"

#include "protocol/sru/SruHttp.h"
#include "targets/Target.h"

namespace {
const int kWholeExchangeFactor = 5;
}

std::string sruSearchUrl(const std::string& base, const std::string& cql, const std::string& schema,
                         int32_t first, int32_t count) {
    // Records as escaped text: the server need not build them into its
    // response tree, which halves its cost of a large fetch.
    return base + (base.find('?') == std::string::npos ? "?" : "&") +
           "version=1.2&operation=searchRetrieve&query=" + urlEscaped(cql) +
           "&startRecord=" + std::to_string(first + 1) +
           "&maximumRecords=" + std::to_string(count) +
           "&recordPacking=string&recordSchema=" + urlEscaped(schema);
}

SruSession::SruSession(const Target& target, std::function<bool()> stopped)
    : target_(target), isStopped_(std::move(stopped)) {}

std::string SruSession::url(int32_t first, int32_t count) const {
    // The record type field names the schema; records are then told apart
    // by their namespace, whatever the server calls its schemas.
    return sruSearchUrl(target_.zurl, cql_,
                        target_.recsyntax.empty() ? "marcxml" : target_.recsyntax, first, count);
}

bool SruSession::search(const std::string& cql, int32_t first, int32_t count) {
    cql_ = cql;
    records_.clear();
    hits_ = -1;
    error_.clear();
    diagnostic_ = SruDiagnostic();
    size_t added = 0;
    return request(first, count, added);
}

bool SruSession::fetchPage(int32_t first, int32_t end) {
    if (first >= end || records_.count(first)) return true;
    size_t added = 0;
    return request(first, end - first, added);
}

const SruResponseRecord* SruSession::record(int32_t position) const {
    const auto found = records_.find(position);
    return found == records_.end() ? nullptr : &found->second;
}

bool SruSession::request(int32_t first, int32_t count, size_t& added) {
    SruHttpRequest http;
    http.url = url(first, count);
    http.username = target_.username;
    http.password = target_.password;
    http.proxy = target_.profile.proxy;
    if (target_.profile.timeoutSeconds > 0) http.idleTimeoutSeconds = target_.profile.timeoutSeconds;
    // A big page on a slow link still arrives; a trickle does not hold the target.
    http.totalTimeoutSeconds = kWholeExchangeFactor * http.idleTimeoutSeconds;
    http.stopped = isStopped_;
    const SruHttpResponse answer = sruHttpGet(http);
    if (answer.stopped) {
        stopped_ = true;
        return false;
    }
    if (!answer.error.empty()) {
        error_ = answer.error;
        return false;
    }
    SruSearchResponse response = parseSruSearchResponse(answer.body);
    // Servers send diagnostics with an error status too.
    if (!response.error.empty() && answer.status != 200) {
        error_ = "The server answered HTTP " + std::to_string(answer.status);
        return false;
    }
    if (!response.error.empty()) {
        error_ = response.error;
        return false;
    }
    if (response.hasNumberOfRecords && hits_ < 0) hits_ = response.numberOfRecords;
    // Positions are counted from the one asked for: the server's own
    // recordPosition is not needed, and a wrong one cannot loop.
    int32_t position = first;
    for (SruResponseRecord& r : response.records) {
        if (position >= first + count) break;
        if (records_.emplace(position, std::move(r)).second) ++added;
        ++position;
    }
    if (!response.diagnostics.empty()) {
        diagnostic_ = response.diagnostics.front();
        error_ = sruDiagnosticText(diagnostic_);
        return false;
    }
    return true;
}
