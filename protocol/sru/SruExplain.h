// What an SRU server's Explain response says about it.
#pragma once

#include <string>
#include <vector>

struct SruExplain {
    // Empty when the text was an Explain response; else why it was not.
    std::string error;
    std::string version;
    std::string host;
    std::string port;
    std::string database;
    std::string title;
    // Schema names, as searchRetrieve takes them in recordSchema.
    std::vector<std::string> schemas;
    // Indexes as "set.name" (or the name alone), in the order listed.
    std::vector<std::string> indexes;
};

// Pure. Reads an explainResponse of SRU 1.1, 1.2 or 2.0 (namespaces not
// checked, so the versions' different URIs all do).
SruExplain parseSruExplain(const std::string& xml);
