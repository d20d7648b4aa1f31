#include "search/SearchQuery.h"

SearchQuery::SearchQuery() : prepared_(ZOOM_query_create()) {}

SearchQuery::~SearchQuery() { ZOOM_query_destroy(prepared_); }

bool SearchQuery::compile(const std::string& pqf) {
    pqf_ = pqf;
    batch = false;
    return ZOOM_query_prefix(prepared_, pqf.c_str()) == 0;
}
