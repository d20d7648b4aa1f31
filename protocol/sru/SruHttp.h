// One HTTP GET for an SRU target. Certificates and host names are checked
// against the system's CA store, at most a few redirects are followed, and a
// login goes only to the scheme, host and port it was given for.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The toolkit's own limit on a Z39.50 message.
constexpr size_t kSruMaxBodyBytes = size_t{128} << 20;

struct SruHttpRequest {
    std::string url;
    std::string username;
    std::string password;
    // A proxy the exchange goes through; empty: none.
    std::string proxy;
    // Whole exchange; 0: none.
    int totalTimeoutSeconds = 0;
    // No byte for this long ends the exchange; 0: none.
    int idleTimeoutSeconds = 30;
    // A longer body, counted decompressed, ends the exchange.
    size_t maxBodyBytes = kSruMaxBodyBytes;
    // Asked often while waiting; true ends the exchange at once.
    std::function<bool()> stopped;
};

struct SruHttpResponse {
    // Empty when an answer came (whatever its status); else why none did:
    // "No answer for N s" when a time limit ended it.
    std::string error;
    bool stopped = false;
    long status = 0;
    std::string body;
};

// Any thread; blocks.
SruHttpResponse sruHttpGet(const SruHttpRequest& request);

// For tests only: certificates are checked against the CA in this PEM file
// instead of the system's store; empty: the system's again. Any thread.
void useCaFileForTesting(const std::string& file);

// text escaped for a URL's query part.
std::string urlEscaped(const std::string& text);
