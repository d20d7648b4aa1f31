#include "SearchHarness.h"

#include <chrono>

#include "TestDocument.h"
#include "TestSupport.h"
#include "marc/MarcHandler.h"
#include "marc/MarcReader.h"
#include "search/SearchTexts.h"
#include "targets/Target.h"

SearchHarness::SearchHarness(const SettingsData& settings) {
    doc = std::make_unique<DocumentCore>(
        [&settings] { return std::make_unique<SettingsData>(settings); });
    doc->pool->setMaxWorkers(settings.MaxConnections);
    doc->search.setEventSink(&queue);
}

// The document goes first: its tasks post into the queue until they end.
SearchHarness::~SearchHarness() { doc.reset(); }

Target& SearchHarness::addTarget(const std::string& name, const std::string& zurl,
                                 const std::string& recsyntax, const std::string& elementSet) {
    return addSearchTarget(*doc, name, zurl, recsyntax, elementSet, true);
}

Target& SearchHarness::target(int32_t id) { return targetById(*doc, id); }

void SearchHarness::start(const std::string& pqf) { startSearch(*doc, pqf); }

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
        if (doc->searchSettled()) {
            handlePending();
            return true;
        }
    }
    return false;
}

namespace {
class ControlNumberHandler : public MarcHandler {
public:
    void onControlField(std::string_view tag, const MarcField& field) override {
        if (tag != "001" || !number.empty()) return;
        std::string_view bytes = field.bytes();
        if (!bytes.empty() && bytes.back() == kMarcFieldTerminator) bytes.remove_suffix(1);
        number.assign(bytes);
    }
    bool onDataField(std::string_view, const MarcField&) override { return false; }
    std::string number;
};
}  // namespace

std::string controlNumberOf(const std::string& iso2709) {
    ControlNumberHandler handler;
    MarcReader().read(iso2709.data(), iso2709.size(), handler);
    return handler.number;
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
