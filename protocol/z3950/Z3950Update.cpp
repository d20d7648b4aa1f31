#include "protocol/z3950/Z3950Update.h"

#include <cstdlib>
#include <cstring>

#include "protocol/z3950/ZoomEventPump.h"

namespace {

// The toolkit's codes for what happened before any server answered; every
// other code is the server's own diagnostic.
bool isToolkitError(int code) { return code >= 10000 && code < 11000; }

std::string words(const char* message, const char* addinfo) {
    std::string text = message ? message : "";
    if (addinfo && *addinfo) text += (text.empty() ? "" : ": ") + std::string(addinfo);
    return text;
}

}  // namespace

Z3950Update::Z3950Update(const Z3950Options& options, std::function<bool()> shouldStop)
    : options_(options), shouldStop_(std::move(shouldStop)) {
    zoomOptions_ = ZOOM_options_create();
    ZOOM_options_set(zoomOptions_, "async", "1");
    ZOOM_options_set(zoomOptions_, "implementationName", options_.implementationName.c_str());
    ZOOM_options_set(zoomOptions_, "timeout", std::to_string(options_.timeoutSeconds).c_str());
    if (!options_.user.empty()) {
        ZOOM_options_set(zoomOptions_, "user", options_.user.c_str());
        ZOOM_options_set(zoomOptions_, "password", options_.password.c_str());
    }
    if (!options_.proxy.empty()) ZOOM_options_set(zoomOptions_, "proxy", options_.proxy.c_str());
    connection_ = ZOOM_connection_create(zoomOptions_);
}

Z3950Update::~Z3950Update() {
    ZOOM_connection_destroy(connection_);
    ZOOM_options_destroy(zoomOptions_);
}

bool Z3950Update::pump() {
    const auto stop = [this] { return shouldStop_ && shouldStop_(); };
    for (;;) {
        switch (pumpZoomEvent(connection_, stop)) {
            case PumpResult::Stopped:
                return false;
            case PumpResult::Idle:
                return true;
            case PumpResult::Event:
                break;
        }
    }
}

bool Z3950Update::connect(UpdateOutcome& outcome) {
    if (connected_) return true;
    ZOOM_connection_connect(connection_, options_.address.c_str(), 0);
    if (!pump()) {
        outcome.kind = UpdateOutcome::Kind::Stopped;
        return false;
    }
    const char* message = nullptr;
    const char* addinfo = nullptr;
    const int code = ZOOM_connection_error(connection_, &message, &addinfo);
    if (code != 0) {
        outcome.kind = UpdateOutcome::Kind::Failed;
        outcome.diagnostic = isToolkitError(code) ? 0 : code;
        outcome.text = words(message, addinfo);
        return false;
    }
    connected_ = true;
    return true;
}

bool Z3950Update::sendPackage(const char* type, const std::string& iso2709, UpdateAction action,
                              UpdateOutcome& outcome) {
    ZOOM_package package = ZOOM_connection_package(connection_, nullptr);
    if (!iso2709.empty()) {
        ZOOM_package_option_set(package, "action",
                                action == UpdateAction::Replace ? "recordReplace" : "recordInsert");
        ZOOM_package_option_set(package, "syntax", "usmarc");
        ZOOM_package_option_setl(package, "record", iso2709.data(), int(iso2709.size()));
    }
    ZOOM_package_send(package, type);
    const bool answered = pump();
    const char* message = nullptr;
    const char* addinfo = nullptr;
    const int code = answered ? ZOOM_connection_error(connection_, &message, &addinfo) : 0;
    const char* esError = ZOOM_package_option_get(package, "esError");
    const char* esAddinfo = ZOOM_package_option_get(package, "esAddinfo");
    std::string status;
    if (const char* s = ZOOM_package_option_get(package, "operationStatus")) status = s;
    bool taken = false;
    if (!answered) {
        outcome.kind = UpdateOutcome::Kind::Stopped;
    } else if (code != 0) {
        // A connection lost or never answered is the catalogue's, not the record's.
        const bool lost = isToolkitError(code) && code != ZOOM_ERROR_ES_INVALID_SYNTAX &&
                          code != ZOOM_ERROR_ES_INVALID_ACTION;
        outcome.kind = lost ? UpdateOutcome::Kind::Failed : UpdateOutcome::Kind::Refused;
        outcome.diagnostic = isToolkitError(code) ? 0 : code;
        outcome.text = words(message, addinfo);
    } else if (esError && std::atoi(esError) != 0) {
        outcome.kind = UpdateOutcome::Kind::Refused;
        outcome.diagnostic = std::atoi(esError);
        outcome.text = esAddinfo ? esAddinfo : "";
    } else if (!status.empty() && status != "success" && status != "done") {
        outcome.kind = UpdateOutcome::Kind::Refused;
        outcome.text = "the catalogue answered \"" + status + "\", not that it stored the record";
    } else {
        taken = true;
    }
    ZOOM_package_destroy(package);
    if (!taken && outcome.kind == UpdateOutcome::Kind::Failed) connected_ = false;
    return taken;
}

UpdateOutcome Z3950Update::send(const std::string& iso2709, UpdateAction action) {
    UpdateOutcome outcome;
    if (!connect(outcome)) return outcome;
    if (!sendPackage("update", iso2709, action, outcome)) return outcome;
    if (!sendPackage("commit", std::string(), action, outcome)) {
        // The record may be in or not, as the server keeps changes; say which step failed.
        if (outcome.kind == UpdateOutcome::Kind::Refused)
            outcome.text = "the record was taken but not committed: " + outcome.text;
        return outcome;
    }
    outcome.kind = UpdateOutcome::Kind::Done;
    return outcome;
}
