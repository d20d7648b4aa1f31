// One synchronous ZOOM search, for tests that check a server fixture from their
// own thread (the product calls ZOOM only on worker threads).
#pragma once

#include <yaz/zoom.h>

#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

// The forms of one retrieved record that the engine asks for; empty when absent.
struct ZoomRecordForms {
    std::string syntax;
    std::string raw;
    std::string xml;
    std::string render;
    std::string opac;
    int error = 0;  // a surrogate diagnostic in place of the record
};

// The record's form of the given type ("raw", "xml; charset=marc8,utf-8" ...);
// empty when the toolkit gives none.
std::string form(ZOOM_record record, const char* type);

struct ZoomSearchResult {
    int error = 0;  // ZOOM_connection_errcode after the last step
    std::string errorText;
    std::string addinfo;
    long hits = 0;
    std::vector<ZoomRecordForms> records;
    bool fetchFailed = false;  // a requested position gave no record at all
};

// Connects to zurl with options (ZOOM option names: "preferredRecordSyntax",
// "elementSetName", "user", "password" ...), searches pqf and fetches the first
// `fetch` records (no more than there are). A 10 s timeout applies unless set.
ZoomSearchResult zoomSearch(const std::string& zurl, const std::string& pqf,
                            const std::map<std::string, std::string>& options = {}, int fetch = 0);

struct ZoomRecordDeleter {
    void operator()(ZOOM_record record) const { ZOOM_record_destroy(record); }
};
using ZoomRecordPtr = std::unique_ptr<std::remove_pointer_t<ZOOM_record>, ZoomRecordDeleter>;

// The same search, keeping clones of the records themselves, which outlive the
// connection: for code that takes a ZOOM_record. Errors go to *result if given.
std::vector<ZoomRecordPtr> zoomRecords(const std::string& zurl, const std::string& pqf,
                                       const std::map<std::string, std::string>& options, int fetch,
                                       ZoomSearchResult* result = nullptr);
