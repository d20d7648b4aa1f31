// Feeds arbitrary bytes to the ZeeRex reader: every entry is a refusal or a
// target whose address and name pass the directory's own rules.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "directory/DirectoryRules.h"
#include "directory/ZeeRexReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const ZeeRexEntry& e : readZeeRex(bytes)) {
        if (!e.refusal.empty()) {
            if (!e.target.zurl.empty()) std::abort();
            continue;
        }
        if (e.target.name.empty() || e.target.active) std::abort();
        if (!isHostName(e.key.host) || e.key.port < 1 || e.key.port > 65535) std::abort();
        if (!databaseProblem(e.key.database).empty()) std::abort();
        const TargetKey back = keyOfAddress(e.target.zurl);
        if (back < e.key || e.key < back) std::abort();
    }
    return 0;
}
