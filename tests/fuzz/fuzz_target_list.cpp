// Feeds arbitrary bytes to the target list loader as a file, then checks that
// what it kept survives a save and a reload unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "base/UserMessage.h"
#include "targets/TargetList.h"

namespace {

std::string inputPath;
std::string savedPath;

void removeTemporaries() {
    std::remove(inputPath.c_str());
    std::remove(savedPath.c_str());
}

std::string makeTemporary(const char* pattern) {
    std::string path = std::string(P_tmpdir) + "/" + pattern;
    int fd = mkstemp(path.data());
    if (fd < 0) std::abort();
    close(fd);
    return path;
}

void writeBytes(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
}

// A carriage return can only come from &#13;, and is written as it is; the
// reload then reads it as a line end, as the parser reads every line end.
std::string afterLineEnds(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else if (i + 1 == text.size() || text[i + 1] != '\n') {
            out += '\n';
        }
    }
    return out;
}

std::set<std::string> selectedTags(const TargetList& list, bool normalise) {
    std::set<std::string> tags;
    for (const auto& [tag, selected] : list.tagTable) {
        if (selected) tags.insert(normalise ? afterLineEnds(tag) : tag);
    }
    return tags;
}

bool sameTarget(const Target& a, const Target& b) {
    std::set<std::string> tags;
    for (const std::string& t : a.tags) tags.insert(afterLineEnds(t));
    return tags == b.tags && afterLineEnds(a.name) == b.name && afterLineEnds(a.zurl) == b.zurl &&
           afterLineEnds(a.recsyntax) == b.recsyntax &&
           afterLineEnds(a.elementsetname) == b.elementsetname &&
           afterLineEnds(a.location) == b.location && afterLineEnds(a.website) == b.website &&
           afterLineEnds(a.catalogue) == b.catalogue && afterLineEnds(a.username) == b.username &&
           afterLineEnds(a.password) == b.password && a.active == b.active;
}

bool messageShown = false;

int32_t countActive(const TargetList& list) {
    int32_t count = 0;
    for (const Target& t : list.targets) count += t.active ? 1 : 0;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (inputPath.empty()) {
        inputPath = makeTemporary("qrn-fuzz-in-XXXXXX");
        savedPath = makeTemporary("qrn-fuzz-out-XXXXXX");
        std::atexit(removeTemporaries);
        // A file read in part says so; the file saved here must read whole.
        setUserMessageSink([](const std::string&) { messageShown = true; });
    }

    writeBytes(inputPath, data, size);
    TargetList list;
    list.loadFile(inputPath);
    if (list.activeCount != countActive(list)) std::abort();

    list.saveFile(savedPath);
    TargetList again;
    messageShown = false;
    if (!again.loadFile(savedPath) || messageShown) std::abort();
    if (again.targets.size() != list.targets.size()) std::abort();
    auto other = again.targets.begin();
    for (const Target& t : list.targets) {
        if (!sameTarget(t, *other++)) std::abort();
    }
    if (again.activeCount != list.activeCount) std::abort();
    if (selectedTags(again, false) != selectedTags(list, true)) std::abort();
    return 0;
}
