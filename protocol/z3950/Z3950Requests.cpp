#include "protocol/z3950/Z3950Requests.h"

#include <yaz/comstack.h>
#include <yaz/nmem.h>
#include <yaz/oid_db.h>
#include <yaz/otherinfo.h>
#include <yaz/pquery.h>
#include <yaz/proto.h>
#include <yaz/query-charset.h>
#include <yaz/yaz-iconv.h>

#include "protocol/z3950/Z3950Session.h"

namespace {

Z_ElementSetNames* elementSetNames(ODR out, const std::string& name) {
    auto* names = static_cast<Z_ElementSetNames*>(odr_malloc(out, sizeof(Z_ElementSetNames)));
    names->which = Z_ElementSetNames_generic;
    names->u.generic = odr_strdup(out, name.c_str());
    return names;
}

Odr_oid* recordSyntax(ODR out, const std::string& name) {
    if (name.empty()) return nullptr;
    return yaz_string_to_oid_odr(yaz_oid_std(), CLASS_RECSYN, name.c_str(), out);
}

void setDatabases(ODR out, const std::string& address, int* count, char*** names) {
    const char* args = nullptr;
    cs_get_host_args(address.c_str(), &args);
    nmem_strsplit(odr_getmem(out), "+", args && *args ? args : "Default", names, count);
}

}  // namespace

Z_APDU* initRequest(ODR out, const Z3950Options& options, bool proxied) {
    Z_APDU* apdu = zget_APDU(out, Z_APDU_initRequest);
    Z_InitRequest* init = apdu->u.initRequest;
    ODR_MASK_SET(init->options, Z_Options_search);
    ODR_MASK_SET(init->options, Z_Options_present);
    ODR_MASK_SET(init->options, Z_Options_scan);
    ODR_MASK_SET(init->options, Z_Options_sort);
    ODR_MASK_SET(init->options, Z_Options_extendedServices);
    ODR_MASK_SET(init->options, Z_Options_namedResultSets);
    ODR_MASK_SET(init->protocolVersion, Z_ProtocolVersion_1);
    ODR_MASK_SET(init->protocolVersion, Z_ProtocolVersion_2);
    ODR_MASK_SET(init->protocolVersion, Z_ProtocolVersion_3);
    init->implementationName = odr_prepend(
        out, options.implementationName.empty() ? nullptr : options.implementationName.c_str(),
        odr_prepend(out, "ZOOM-C", init->implementationName));
    *init->maximumRecordSize = 64 * 1024 * 1024;
    *init->preferredMessageSize = 64 * 1024 * 1024;
    // A password without a user is not sent.
    if (!options.user.empty()) {
        auto* auth = static_cast<Z_IdAuthentication*>(odr_malloc(out, sizeof(Z_IdAuthentication)));
        if (!options.password.empty()) {
            auto* pass = static_cast<Z_IdPass*>(odr_malloc(out, sizeof(Z_IdPass)));
            pass->groupId = nullptr;
            pass->userId = options.user.empty() ? nullptr : odr_strdup(out, options.user.c_str());
            pass->password = odr_strdup(out, options.password.c_str());
            auth->which = Z_IdAuthentication_idPass;
            auth->u.idPass = pass;
        } else {
            auth->which = Z_IdAuthentication_open;
            auth->u.open = odr_strdup(out, options.user.c_str());
        }
        init->idAuthentication = auth;
    }
    if (proxied)
        yaz_oi_set_string_oid(&init->otherInfo, out, yaz_oid_userinfo_proxy, 1,
                              options.address.c_str());
    return apdu;
}

Z_APDU* searchRequest(ODR out, const Z3950Options& options, const std::string& pqf,
                      int32_t withSearch) {
    Z_RPNQuery* rpn = p_query_rpn(out, pqf.c_str());
    if (!rpn) return nullptr;
    if (!options.rpnCharset.empty()) {
        yaz_iconv_t cd = yaz_iconv_open(options.rpnCharset.c_str(), "UTF-8");
        if (cd) {
            const int failed = yaz_query_charset_convert_rpnquery_check(rpn, out, cd);
            yaz_iconv_close(cd);
            if (failed) return nullptr;
        }
    }
    Z_APDU* apdu = zget_APDU(out, Z_APDU_searchRequest);
    Z_SearchRequest* search = apdu->u.searchRequest;
    auto* query = static_cast<Z_Query*>(odr_malloc(out, sizeof(Z_Query)));
    query->which = Z_Query_type_1;
    query->u.type_1 = rpn;
    search->query = query;
    setDatabases(out, options.address, &search->num_databaseNames, &search->databaseNames);
    search->resultSetName = odr_strdup(out, "default");
    if (withSearch > 0) {
        // The bounds the toolkit sends for a search that brings records.
        *search->largeSetLowerBound = 2000000000;
        *search->smallSetUpperBound = 1;
        *search->mediumSetPresentNumber = withSearch;
        if (!options.elementSet.empty()) {
            search->smallSetElementSetNames = elementSetNames(out, options.elementSet);
            search->mediumSetElementSetNames = elementSetNames(out, options.elementSet);
        }
        search->preferredRecordSyntax = recordSyntax(out, options.recordSyntax);
    }
    return apdu;
}

Z_APDU* presentRequest(ODR out, const Z3950Options& options, int32_t first, int32_t count) {
    Z_APDU* apdu = zget_APDU(out, Z_APDU_presentRequest);
    Z_PresentRequest* present = apdu->u.presentRequest;
    *present->resultSetStartPoint = first + 1;
    *present->numberOfRecordsRequested = count;
    present->resultSetId = odr_strdup(out, "default");
    present->preferredRecordSyntax = recordSyntax(out, options.recordSyntax);
    if (!options.elementSet.empty()) {
        auto* composition =
            static_cast<Z_RecordComposition*>(odr_malloc(out, sizeof(Z_RecordComposition)));
        composition->which = Z_RecordComp_simple;
        composition->u.simple = elementSetNames(out, options.elementSet);
        present->recordComposition = composition;
    }
    return apdu;
}
