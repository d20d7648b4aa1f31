#include "engine/TargetProbe.h"

#include <yaz/zoom.h>

#include "engine/SearchTask.h"
#include "engine/SruExplain.h"
#include "engine/SruHttp.h"
#include "targets/Target.h"
#include "targets/TargetAddress.h"

const char* const kProbeWord = "the";

namespace {

std::string zoomError(ZOOM_connection connection) {
    const char* message = nullptr;
    const char* addinfo = nullptr;
    const int code = ZOOM_connection_error(connection, &message, &addinfo);
    if (code == 0) return std::string();
    return std::string(message ? message : "") + " (" + std::to_string(code) + ") " +
           (addinfo ? addinfo : "");
}

std::string optionOrDash(ZOOM_connection connection, const char* name) {
    const char* value = ZOOM_connection_option_get(connection, name);
    return value && *value ? value : "-";
}

ProbeReport probeZ3950(const Target& target, int timeoutSeconds) {
    ProbeReport report;
    ZOOM_options options = ZOOM_options_create();
    ZOOM_options_set(options, "implementationName", kImplementationName);
    ZOOM_options_set(options, "timeout", std::to_string(timeoutSeconds).c_str());
    if (!target.username.empty()) {
        ZOOM_options_set(options, "user", target.username.c_str());
        ZOOM_options_set(options, "pass", target.password.c_str());
    }
    ZOOM_connection connection = ZOOM_connection_create(options);
    ZOOM_connection_connect(connection, target.zurl.c_str(), 0);
    const std::string initError = zoomError(connection);
    if (!initError.empty()) {
        report.text = "Connection or init failed: " + initError + "\n";
    } else {
        report.text = "Init: accepted\nImplementation: " +
                      optionOrDash(connection, "serverImplementationName") +
                      "\nVersion: " + optionOrDash(connection, "serverImplementationVersion") +
                      "\n";
        ZOOM_connection_option_set(connection, "count", "0");
        ZOOM_resultset results = ZOOM_connection_search_pqf(
            connection, (std::string("@attr 1=4 ") + kProbeWord).c_str());
        const std::string searchError = zoomError(connection);
        if (searchError.empty()) {
            report.ok = true;
            report.text += "Search for \"" + std::string(kProbeWord) +
                           "\" in titles: " + std::to_string(ZOOM_resultset_size(results)) +
                           " hits\n";
        } else {
            report.text += "Search for \"" + std::string(kProbeWord) +
                           "\" in titles failed: " + searchError + "\n";
        }
        ZOOM_resultset_destroy(results);
    }
    ZOOM_connection_destroy(connection);
    ZOOM_options_destroy(options);
    return report;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "-" : text;
}

ProbeReport probeSru(const Target& target, int timeoutSeconds) {
    ProbeReport report;
    const std::string url = target.zurl + (target.zurl.find('?') == std::string::npos ? "?" : "&") +
                            "operation=explain&version=1.2";
    SruHttpRequest request;
    request.url = url;
    request.username = target.username;
    request.password = target.password;
    request.totalTimeoutSeconds = timeoutSeconds;
    const SruHttpResponse response = sruHttpGet(request);
    if (!response.error.empty()) {
        report.text = "No answer from " + target.zurl + ": " + response.error + "\n";
    } else if (response.status != 200) {
        report.text = "The server answered HTTP " + std::to_string(response.status) +
                      " to an Explain request.\n";
    } else {
        const SruExplain explain = parseSruExplain(response.body);
        if (!explain.error.empty()) {
            report.text = explain.error + "\n";
        } else {
            report.ok = true;
            report.schemas = explain.schemas;
            report.text = "Server: " + (explain.host.empty() ? "-" : explain.host) +
                          (explain.port.empty() ? "" : ":" + explain.port) +
                          (explain.database.empty() ? "" : "/" + explain.database) + "\n" +
                          (explain.title.empty() ? "" : "Title: " + explain.title + "\n") +
                          "SRU version: " + (explain.version.empty() ? "-" : explain.version) +
                          "\nSchemas: " + joined(explain.schemas) +
                          "\nIndexes: " + joined(explain.indexes) + "\n";
        }
    }
    return report;
}

}  // namespace

ProbeReport probeTarget(const Target& target, int timeoutSeconds) {
    return isSruAddress(target.zurl) ? probeSru(target, timeoutSeconds)
                                     : probeZ3950(target, timeoutSeconds);
}
