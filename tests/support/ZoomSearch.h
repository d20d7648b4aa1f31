// One synchronous ZOOM search, for tests that check a server fixture from their
// own thread (the product calls ZOOM only on worker threads).
#pragma once

#include <map>
#include <string>
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
