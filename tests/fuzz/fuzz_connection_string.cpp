// Feeds arbitrary text to the connection string parser; what it accepts must
// format and parse back to the same settings.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "export/ConnectionString.h"

namespace {

bool same(const ConnectionSettings& a, const ConnectionSettings& b) {
    return a.driver == b.driver && a.database == b.database && a.host == b.host &&
           a.port == b.port && a.user == b.user && a.password == b.password && a.odbc == b.odbc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ConnectionSettings parsed;
    std::string error;
    if (!parseConnectionString(text, parsed, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    ConnectionSettings again;
    if (!parseConnectionString(formatConnectionString(parsed), again, error)) std::abort();
    if (!same(parsed, again)) std::abort();
    return 0;
}
