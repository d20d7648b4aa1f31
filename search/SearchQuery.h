// The query of the next search: a prepared ZOOM query (and its PQF text), or
// a batch of PQF strings searched one after another. Changed only on the UI
// thread while no search runs; tasks read it.
#pragma once

#include <yaz/zoom.h>

#include <string>
#include <vector>

#include "search/BatchOutcomes.h"

class SearchQuery {
public:
    SearchQuery();
    ~SearchQuery();
    SearchQuery(const SearchQuery&) = delete;
    SearchQuery& operator=(const SearchQuery&) = delete;

    // UI thread. Loads pqf into the prepared query and clears the batch flag.
    // False when the toolkit cannot parse it (the search then reports it).
    bool compile(const std::string& pqf);

    // Text last given to compile. A ZOOM_query's reference count is not
    // thread-safe, so every task prepares its own query from this text.
    const std::string& pqf() const { return pqf_; }
    ZOOM_query prepared() const { return prepared_; }

    std::vector<std::string> batchList;
    // The number each batch query searches, as the user's list shows it.
    std::vector<std::string> batchNumbers;
    // The lines of the numbers file left out, for the batch's report.
    std::vector<BatchRefusal> batchRefused;
    bool batch = false;

private:
    ZOOM_query prepared_;
    std::string pqf_;
};
