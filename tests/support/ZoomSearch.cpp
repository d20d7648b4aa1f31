#include "ZoomSearch.h"

#include <yaz/zoom.h>

#include <algorithm>
#include <functional>

std::string form(ZOOM_record rec, const char* type) {
    int len = 0;
    const char* data = ZOOM_record_get(rec, type, &len);
    return data && len > 0 ? std::string(data, static_cast<size_t>(len)) : std::string();
}

namespace {

void takeError(ZOOM_connection c, ZoomSearchResult& result) {
    const char* text = nullptr;
    const char* addinfo = nullptr;
    result.error = ZOOM_connection_error(c, &text, &addinfo);
    result.errorText = text ? text : "";
    result.addinfo = addinfo ? addinfo : "";
}

// Runs the search and hands each fetched record to onRecord while it is valid.
void runSearch(const std::string& zurl, const std::string& pqf,
               const std::map<std::string, std::string>& options, int fetch,
               ZoomSearchResult& result, const std::function<void(ZOOM_record)>& onRecord) {
    ZOOM_options opts = ZOOM_options_create();
    ZOOM_options_set(opts, "timeout", "10");
    for (const auto& [name, value] : options) ZOOM_options_set(opts, name.c_str(), value.c_str());
    ZOOM_connection c = ZOOM_connection_create(opts);
    ZOOM_connection_connect(c, zurl.c_str(), 0);
    takeError(c, result);
    if (result.error == ZOOM_ERROR_NONE) {
        ZOOM_resultset set = ZOOM_connection_search_pqf(c, pqf.c_str());
        takeError(c, result);
        if (result.error == ZOOM_ERROR_NONE) {
            result.hits = static_cast<long>(ZOOM_resultset_size(set));
            const long wanted = std::min<long>(fetch, result.hits);
            for (long i = 0; i < wanted; ++i) {
                ZOOM_record rec = ZOOM_resultset_record(set, static_cast<size_t>(i));
                takeError(c, result);
                if (!rec) {
                    result.fetchFailed = true;
                    break;
                }
                onRecord(rec);
            }
        }
        if (set) ZOOM_resultset_destroy(set);
    }
    ZOOM_connection_destroy(c);
    ZOOM_options_destroy(opts);
}

}  // namespace

ZoomSearchResult zoomSearch(const std::string& zurl, const std::string& pqf,
                            const std::map<std::string, std::string>& options, int fetch) {
    ZoomSearchResult result;
    runSearch(zurl, pqf, options, fetch, result, [&result](ZOOM_record rec) {
        ZoomRecordForms forms{form(rec, "syntax"), form(rec, "raw"), form(rec, "xml"),
                              form(rec, "render"), form(rec, "opac")};
        forms.error = ZOOM_record_error(rec, nullptr, nullptr, nullptr);
        result.records.push_back(forms);
    });
    return result;
}

std::vector<ZoomRecordPtr> zoomRecords(const std::string& zurl, const std::string& pqf,
                                       const std::map<std::string, std::string>& options, int fetch,
                                       ZoomSearchResult* result) {
    ZoomSearchResult own;
    std::vector<ZoomRecordPtr> records;
    runSearch(zurl, pqf, options, fetch, result ? *result : own,
              [&records](ZOOM_record rec) { records.emplace_back(ZOOM_record_clone(rec)); });
    return records;
}
