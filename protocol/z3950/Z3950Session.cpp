#include "protocol/z3950/Z3950Session.h"

#include <yaz/oid_db.h>
#include <yaz/proto.h>
#include <yaz/zoom.h>

#include "protocol/z3950/Z3950Requests.h"

namespace {
// The toolkit's own error codes, with the texts it gives them.
constexpr int kConnectFailed = ZOOM_ERROR_CONNECT;
constexpr int kDecodeFailed = ZOOM_ERROR_DECODE;
constexpr int kConnectionLost = ZOOM_ERROR_CONNECTION_LOST;
constexpr int kInitRejected = ZOOM_ERROR_INIT;
constexpr int kTimeout = ZOOM_ERROR_TIMEOUT;
constexpr int kInvalidQuery = ZOOM_ERROR_INVALID_QUERY;
}  // namespace

Z3950Session::Z3950Session(Z3950Options options, std::function<bool()> shouldStop)
    : options_(std::move(options)),
      shouldStop_(std::move(shouldStop)),
      socket_(shouldStop_, options_.timeoutSeconds),
      out_(odr_createmem(ODR_ENCODE)),
      in_(odr_createmem(ODR_DECODE)) {}

Z3950Session::~Z3950Session() {
    odr_destroy(out_);
    odr_destroy(in_);
}

void Z3950Session::failWith(int code, const std::string& addinfo) {
    error_.code = code;
    error_.diagset = "ZOOM";
    error_.message = ZOOM_diag_str(code);
    error_.addinfo = addinfo;
}

void Z3950Session::failWithDiagnostic(const Z_DefaultDiagFormat* diagnostic) {
    char name[OID_STR_MAX];
    const char* set = yaz_oid_to_string_buf(diagnostic->diagnosticSetId, nullptr, name);
    error_.code = diagnostic->condition ? static_cast<int>(*diagnostic->condition) : 0;
    error_.diagset = set ? set : "";
    error_.message = error_.diagset == "Bib-1" ? ZOOM_diag_str(error_.code)
                                               : "Unknown error and diagnostic set";
    error_.addinfo.clear();
    if (diagnostic->which == Z_DefaultDiagFormat_v2Addinfo && diagnostic->u.v2Addinfo)
        error_.addinfo = diagnostic->u.v2Addinfo;
    else if (diagnostic->which == Z_DefaultDiagFormat_v3Addinfo && diagnostic->u.v3Addinfo)
        error_.addinfo = diagnostic->u.v3Addinfo;
}

bool Z3950Session::socketOk(SocketIo io) {
    switch (io) {
        case SocketIo::Ok:
            return true;
        case SocketIo::Stopped:
            stopped_ = true;
            return false;
        case SocketIo::NoAnswer:
            failWith(kTimeout);
            return false;
        case SocketIo::Closed:
        case SocketIo::Failed:
            // A refused connection shows only when init is sent or read.
            failWith(established_ ? kConnectionLost : kConnectFailed, options_.address);
            return false;
    }
    return false;
}

bool Z3950Session::exchange(Z_APDU* apdu) {
    answer_ = nullptr;
    odr_reset(in_);
    if (!z_APDU(out_, &apdu, 0, nullptr)) {
        odr_reset(out_);
        failWith(ZOOM_ERROR_ENCODE);
        return false;
    }
    int length = 0;
    char* request = odr_getbuf(out_, &length, nullptr);
    const SocketIo io = socket_.exchange(request, length);
    odr_reset(out_);
    if (!socketOk(io)) return false;
    odr_setbuf(in_, const_cast<char*>(socket_.answer()), socket_.answerLength(), 0);
    if (!z_APDU(in_, &answer_, 0, nullptr)) {
        answer_ = nullptr;
        failWith(kDecodeFailed);
        return false;
    }
    if (answer_->which == Z_APDU_close) {
        failWith(kConnectionLost, options_.address);
        return false;
    }
    return true;
}

bool Z3950Session::connect() {
    if (!socketOk(socket_.open(options_.address, options_.proxy))) return false;
    if (!exchange(initRequest(out_, options_, socket_.proxied()))) return false;
    if (answer_->which != Z_APDU_initResponse) {
        failWith(kDecodeFailed);
        return false;
    }
    Z_InitResponse* init = answer_->u.initResponse;
    if (!*init->result) {
        if (const Z_DefaultDiagFormat* diagnostic = yaz_decode_init_diag(0, init))
            failWithDiagnostic(diagnostic);
        else
            failWith(kInitRejected);
        return false;
    }
    established_ = true;
    return true;
}

bool Z3950Session::takeRecords(Z_Records* records, int32_t first, const TakeRecord& take,
                               int32_t& handed) {
    handed = 0;
    if (!records) return true;
    if (records->which == Z_Records_NSD) {
        failWithDiagnostic(records->u.nonSurrogateDiagnostic);
        return false;
    }
    if (records->which == Z_Records_multipleNSD) {
        const Z_DiagRecs* diagnostics = records->u.multipleNonSurDiagnostics;
        if (diagnostics->num_diagRecs >= 1 &&
            diagnostics->diagRecs[0]->which == Z_DiagRec_defaultFormat)
            failWithDiagnostic(diagnostics->diagRecs[0]->u.defaultFormat);
        else
            failWith(kDecodeFailed);
        return false;
    }
    const Z_NamePlusRecordList* list = records->u.databaseOrSurDiagnostics;
    for (int i = 0; i < list->num_records; ++i) {
        ++handed;
        if (!take(first + i, list->records[i])) break;
    }
    return true;
}

bool Z3950Session::search(const std::string& pqf, int32_t withSearch, const TakeRecord& take) {
    hits_ = 0;
    error_ = Z3950Error();
    Z_APDU* request = searchRequest(out_, options_, pqf, withSearch);
    if (!request) {
        odr_reset(out_);
        failWith(kInvalidQuery);
        return false;
    }
    if (!exchange(request)) return false;
    if (answer_->which != Z_APDU_searchResponse) {
        failWith(kDecodeFailed);
        return false;
    }
    const Z_SearchResponse* response = answer_->u.searchResponse;
    hits_ = response->resultCount ? *response->resultCount : 0;
    int32_t handed = 0;
    const bool ok = takeRecords(response->records, 0, take, handed);
    odr_reset(in_);  // the answer's records are handed on; its memory goes now
    return ok;
}

bool Z3950Session::present(int32_t first, int32_t count, const TakeRecord& take,
                           int32_t& handed) {
    handed = 0;
    if (!exchange(presentRequest(out_, options_, first, count))) return false;
    if (answer_->which != Z_APDU_presentResponse) {
        failWith(kDecodeFailed);
        return false;
    }
    const bool ok = takeRecords(answer_->u.presentResponse->records, first, take, handed);
    odr_reset(in_);
    return ok;
}
