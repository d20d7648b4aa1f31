// Feeds arbitrary targets (zurl, location and tags from the input's lines) and
// filter state to the port list and the Databases page's filter, and checks
// what they promise: 210 always listed, every line ended, only passing
// targets shown.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "targets/Ports.h"
#include "targets/TargetFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    TargetList list;
    std::string line;
    std::getline(lines, list.selectedLocation);
    if (std::getline(lines, line) && !line.empty()) list.tagTable[line] = true;
    while (std::getline(lines, line)) {
        Target t;
        t.zurl = line;
        t.location = line.substr(0, line.size() / 2);
        if (!line.empty() && line[0] == 't') t.tags.insert(line.substr(1));
        t.active = line.size() % 2;
        addTarget(list, t);
    }

    const std::set<int> ports = usedPorts(list);
    const std::string text = portNumbersText(ports);
    if (!ports.count(210) || text.size() < 5 || text.compare(text.size() - 2, 2, "\r\n") != 0)
        std::abort();

    const auto entries = filterTargets(list);
    if (entries.size() > list.targets.size()) std::abort();
    std::vector<int32_t> ids;
    for (const TargetEntry& e : entries) {
        const Target* t = findTarget(list, e.id);
        if (!t || e.checked != t->active || e.text != t->name + '\t' + t->location) std::abort();
        ids.push_back(e.id);
    }
    applyCheckMarks(list, ids);
    if (list.activeCount < 0 || static_cast<size_t>(list.activeCount) > entries.size())
        std::abort();
    return 0;
}
