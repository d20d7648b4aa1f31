// A document core for search tests: plain settings, targets added by hand,
// and a drain loop on the test's thread that handles every search event as
// a window would, recording what each target went through.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSettings.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "settings/SettingsData.h"
#include "document/DocumentCore.h"
#include "search/SearchEvent.h"

class SearchHarness {
public:
    explicit SearchHarness(const SettingsData& settings);
    ~SearchHarness();

    // Appends an active target with the next id.
    Target& addTarget(const std::string& name, const std::string& zurl,
                      const std::string& recsyntax = "USMARC",
                      const std::string& elementSet = "F");
    Target& target(int32_t id);

    // Compiles pqf into the document's query and starts the search.
    void start(const std::string& pqf);

    // Handles events until the search has ended, no task is queued or busy and
    // every event is handled; false when that takes longer than timeoutMs.
    bool drain(int timeoutMs = 20000);
    // Handles whatever events are already queued.
    void handlePending();

    // Event codes and status texts per target id, in handling order.
    std::map<int32_t, std::vector<int32_t>> events;
    std::map<int32_t, std::vector<std::string>> texts;
    std::string lastProgress;
    // Called after each handled event.
    std::function<void(const SearchEventHint&)> onEvent;

    std::unique_ptr<DocumentCore> doc;
    SearchEventQueue queue;

private:
    void handle(const SearchEventHint& event);
};

// The 001 field of an ISO 2709 record; empty when it has none.
std::string controlNumberOf(const std::string& iso2709);

// The demo catalogue on Zebra and a yaz-ztest, started once per test suite.
class SearchServersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override { ASSERT_TRUE(zebra_ && ztest_) << startError_; }

    static std::unique_ptr<ZebraServer> zebra_;
    static std::unique_ptr<YazZtestServer> ztest_;
    static std::string startError_;
};
