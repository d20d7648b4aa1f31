#include <yaz/zoom.h>

#include "protocol/z3950/Z3950Scan.h"
#include "protocol/z3950/Z3950Session.h"

bool Z3950Session::scan(const std::string& pqf, int32_t number, int32_t position,
                        std::vector<Z3950ScanEntry>& entries) {
    entries.clear();
    error_ = Z3950Error();
    Z_APDU* request = scanRequest(out_, options_, pqf, number, position);
    if (!request) {
        odr_reset(out_);
        failWith(ZOOM_ERROR_INVALID_QUERY);
        return false;
    }
    if (!exchange(request)) return false;
    if (answer_->which != Z_APDU_scanResponse) {
        failWith(ZOOM_ERROR_DECODE);
        return false;
    }
    const Z_ScanResponse* response = answer_->u.scanResponse;
    const Z_DefaultDiagFormat* diagnostic = nullptr;
    entries = scanEntries(response, &diagnostic);
    const bool failed = entries.empty() && (diagnostic || (response->scanStatus &&
                                                           *response->scanStatus == Z_Scan_failure));
    if (diagnostic && failed)
        failWithDiagnostic(diagnostic);
    else if (failed)
        failWith(ZOOM_ERROR_DECODE, "Scan failed");
    odr_reset(in_);
    return !failed;
}
