#include "SearchHarness.h"

#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include "TestSupport.h"
#include "engine/SearchTexts.h"
#include "engine/ZoomInit.h"
#include "targets/Target.h"

SettingsData searchSettings(int32_t maxPerTarget, int32_t maxPerSearch, int32_t connections) {
    SettingsData s;
    s.MaxRecPerTarget = maxPerTarget;
    s.MaxRecPerSearch = maxPerSearch;
    s.MaxConnections = connections;
    return s;
}

SearchHarness::SearchHarness(const SettingsData& settings) {
    initializeZoom();
    doc = std::make_unique<DocumentCore>(
        [&settings] { return std::make_unique<SettingsData>(settings); });
    doc->pool->setMaxWorkers(settings.MaxConnections);
    doc->search.setEventSink(&queue);
}

// The document goes first: its tasks post into the queue until they end.
SearchHarness::~SearchHarness() { doc.reset(); }

Target& SearchHarness::addTarget(const std::string& name, const std::string& zurl,
                                 const std::string& recsyntax, const std::string& elementSet) {
    Target t;
    t.id = ++doc->targetList.nextId;
    t.name = name;
    t.zurl = zurl;
    t.recsyntax = recsyntax;
    t.elementsetname = elementSet;
    t.active = true;
    doc->targetList.targets.push_back(t);
    return doc->targetList.targets.back();
}

Target& SearchHarness::target(int32_t id) {
    for (Target& t : doc->targetList.targets)
        if (t.id == id) return t;
    throw std::out_of_range("no target " + std::to_string(id));
}

void SearchHarness::start(const std::string& pqf) {
    doc->query.compile(pqf);
    doc->search.startSearch();
}

void SearchHarness::handle(const SearchEventHint& event) {
    lastProgress = doc->handleSearchEvent(event.code, event.targetId);
    events[event.targetId].push_back(event.code);
    for (const Target& t : doc->targetList.targets)
        if (t.id == event.targetId) texts[event.targetId].push_back(targetStatusText(t));
    if (onEvent) onEvent(event);
}

void SearchHarness::handlePending() {
    SearchEventHint event;
    while (queue.tryNext(event)) handle(event);
}

bool SearchHarness::drain(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        SearchEventHint event;
        if (queue.waitNext(event, 50)) {
            handle(event);
            continue;
        }
        if (doc->search.searchMayStart() && doc->pool->busyCount() == 0 &&
            doc->pool->queuedCount() == 0) {
            handlePending();
            return true;
        }
    }
    return false;
}

std::string controlNumberOf(const std::string& iso2709) {
    if (iso2709.size() < 24) return {};
    const size_t base = std::strtoul(iso2709.substr(12, 5).c_str(), nullptr, 10);
    for (size_t d = 24; d + 12 <= iso2709.size() && iso2709[d] != '\x1e'; d += 12) {
        if (iso2709.compare(d, 3, "001") != 0) continue;
        const size_t length = std::strtoul(iso2709.substr(d + 3, 4).c_str(), nullptr, 10);
        const size_t start = std::strtoul(iso2709.substr(d + 7, 5).c_str(), nullptr, 10);
        if (base + start + length > iso2709.size() || length == 0) return {};
        return iso2709.substr(base + start, length - 1);  // without the field terminator
    }
    return {};
}

std::unique_ptr<ZebraServer> SearchServersTest::zebra_;
std::unique_ptr<YazZtestServer> SearchServersTest::ztest_;
std::string SearchServersTest::startError_;

void SearchServersTest::SetUpTestSuite() {
    try {
        zebra_ = ZebraServer::withDemoCorpus();
        ztest_ = std::make_unique<YazZtestServer>();
    } catch (const std::exception& e) {
        startError_ = e.what();
    }
}

void SearchServersTest::TearDownTestSuite() {
    zebra_.reset();
    ztest_.reset();
}
