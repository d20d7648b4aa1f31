// One Z39.50 target as the user keeps it in the target list file, plus its
// search status (never written to the file).
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "base/TargetSearch.h"
#include "targets/TargetProfile.h"

struct Target {
    int32_t id = 0;
    std::set<std::string> tags;
    std::string name;
    std::string zurl;
    std::string recsyntax;
    std::string elementsetname;
    std::string location;
    std::string website;
    std::string catalogue;
    // "MARC-8", "UTF-8" or "ISO-8859-1"; empty: automatic.
    std::string recordCharset;
    // The charset query terms are sent in; empty: UTF-8.
    std::string queryCharset;
    std::string username;
    std::string password;
    TargetProfile profile;
    // The library's own catalogue, where records are sent.
    bool home = false;
    bool active = false;

    TargetSearch search;
};
