// Arbitrary record text and target values through the record view's pages. The
// first byte picks the page: bits 0-1 the XML schema, bit 2 a MARC record shown
// through the custom stylesheet instead. Whatever the bytes, a text page holds
// no markup of theirs, and no shipped stylesheet makes a Retry or Resume link.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "display/RecordPages.h"
#include "settings/SettingsDefaults.h"
#include "records/ResultStore.h"
#include "base/UserMessage.h"
#include "targets/TargetList.h"

namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

size_t count(const std::string& text, char c) {
    size_t n = 0;
    for (const char x : text) n += x == c;
    return n;
}

// The shipped stylesheets, found from this file's place in the source tree.
SettingsData shippedSettings() {
    std::string root = __FILE__;
    root = root.substr(0, root.rfind("/tests/fuzz/"));
    return freshInstallationSettings("targets.xml", root + "/data");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const SettingsData settings = [] {
        setUserMessageSink([](const std::string&) {});
        SettingsData s = shippedSettings();
        s.MARCDisplayType = "XSL";
        return s;
    }();
    static const size_t emptySummaryMarkup = [] {
        TargetList list;
        list.targets.emplace_back();
        list.targets.back().search.errorFlag = true;
        list.targets.back().search.setLastError("e");
        return count(renderTargetSummaryHtml(list, 0), '<');
    }();
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    if (count(preformattedPage(text), '<') != count(preformattedPage(""), '<')) std::abort();
    TargetList list;
    Target& target = list.targets.emplace_back();
    target.name = target.zurl = target.website = text;
    target.search.errorFlag = true;
    target.search.setLastError(text + "e");
    // The website line is the only markup a value may add.
    if (count(renderTargetSummaryHtml(list, 0), '<') > emptySummaryMarkup + 3) std::abort();

    Record record;
    record.kind = (data[0] & 4) ? Marc : Xml;
    record.xmlSchema = static_cast<XmlSchema>(data[0] & 3);
    record.xmlText = text;
    ResultStore store;
    store.add(record);
    std::string html;
    if (!renderRecordHtml(store, 1, settings, html)) std::abort();
    if (contains(html, "href=\"retry") || contains(html, "href=\"resume") ||
        contains(html, "<script"))
        std::abort();
    return 0;
}
