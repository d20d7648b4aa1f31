// A target's profile at work: the query rewrite, the probe of what a server
// lacks, fallbacks, the time limit and the proxy in real searches, and the
// check of many targets at once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "ForwardingProxy.h"
#include "FreePort.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "SilentServer.h"
#include "TextChecks.h"
#include "display/RecordPages.h"
#include "protocol/IndexFallbacks.h"
#include "search/SearchTexts.h"
#include "probe/TargetCheck.h"
#include "protocol/UseAttributes.h"

namespace {

// The demo catalogue, its attribute set without ISBN (7) and Publisher (1018).
std::unique_ptr<ZebraServer> reducedZebra() {
    return std::make_unique<ZebraServer>(std::vector<std::string>{sourcePath("data/demo/demo.mrc")},
                                         "Default", ZServer::Logging::Requests,
                                         [](const std::string& dir) {
                                             std::ifstream in(dir + "/zebra-tab/bib1.att");
                                             std::ofstream out(dir + "/bib1.att");
                                             const std::regex dropped("^att\\s+(7|1018)\\s.*");
                                             for (std::string line; std::getline(in, line);)
                                                 if (!std::regex_match(line, dropped))
                                                     out << line << '\n';
                                         });
}

class TargetProfileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            zebra_ = reducedZebra();
        } catch (const std::exception& e) {
            startError_ = e.what();
        }
    }
    static void TearDownTestSuite() { zebra_.reset(); }
    void SetUp() override { ASSERT_TRUE(zebra_) << startError_; }

    static std::unique_ptr<ZebraServer> zebra_;
    static std::string startError_;
};
std::unique_ptr<ZebraServer> TargetProfileTest::zebra_;
std::string TargetProfileTest::startError_;

int searchesLogged(const ZServer& server) {
    std::istringstream log(server.log());
    int searches = 0;
    for (std::string line; std::getline(log, line);) searches += contains(line, "Search ") ? 1 : 0;
    return searches;
}

std::string firstIsbn() {
    for (const CorpusRecord& r : demoCorpus().records())
        if (!r.isbns.empty()) return r.isbns.front();
    return std::string();
}

}  // namespace

TEST(UseAttributesTest, RewritesOnlyTheUseAttributeNamed) {
    EXPECT_EQ(withUseAttribute("@attr 1=7 @attr 4=2 123", 7, 1016), "@attr 1=1016 @attr 4=2 123");
    EXPECT_EQ(withUseAttribute("@and @attr bib1 1=7 \"1=7 x\" @attr 1=70 a", 7, 4),
              "@and @attr bib1 1=4 \"1=7 x\" @attr 1=70 a");
    EXPECT_EQ(withUseAttribute("@attr 2=7 7", 7, 4), "@attr 2=7 7");
    EXPECT_EQ(useAttributesOf("@or @attr 1=4 a @attr exp1 1=1007 \"b\\\" 1=9\""),
              (std::set<int>{4, 1007}));

    TargetProfile profile;
    profile.fallbacks = {{1007, 7}, {7, 1016}};
    profile.unsupported = {1007};
    // Swapped together, never chained: 1007 becomes 7, and that 7 stays.
    const FallbackRewrite known =
        rewriteKnownUnsupported("@or @attr 1=1007 a @attr 1=4 b", profile);
    EXPECT_EQ(known.pqf, "@or @attr 1=7 a @attr 1=4 b");
    EXPECT_EQ(known.note, "Identifier--standard index not supported; searched ISBN instead\n");
    EXPECT_EQ(rewriteRejected("@or @attr 1=1007 a @attr 1=7 b", "", profile).pqf,
              "@or @attr 1=7 a @attr 1=1016 b");
    EXPECT_EQ(rewriteRejected("@attr 1=7 b", "7", profile).note,
              "ISBN index not supported; searched Any instead\n");
    EXPECT_TRUE(rewriteRejected("@attr 1=4 b", "4", profile).note.empty());
}

TEST_F(TargetProfileTest, ProbeNamesExactlyTheIndexesTheServerLacks) {
    Target t;
    t.zurl = zebra_->zurl("Default");
    const ProbeReport report = probeTarget(t, 5);
    ASSERT_TRUE(report.ok) << report.text;
    std::set<int> unsupported;
    for (const IndexProbe& index : report.indexes) {
        EXPECT_NE(index.support, IndexSupport::NoAnswer) << index.use;
        if (index.support == IndexSupport::Unsupported) {
            EXPECT_EQ(index.diagnostic, 114) << index.use;
            unsupported.insert(index.use);
        }
    }
    EXPECT_EQ(report.indexes.size(), commonUseAttributes().size());
    // The two taken out, and those the demo catalogue never indexed.
    EXPECT_EQ(unsupported, (std::set<int>{7, 8, 9, 1007, 1018})) << report.text;
    EXPECT_EQ(report.syntaxes, (std::vector<std::string>{"usmarc", "xml", "sutrs"})) << report.text;
    EXPECT_GE(report.roundTripMs, 0);
    EXPECT_TRUE(contains(probeLines("Z", report), "Z\t7\tISBN\tunsupported (diagnostic 114)\n"));

    // Over SRU: Explain's indexes read back through the CQL mapping.
    t.zurl = zebra_->sruUrl();
    const ProbeReport sru = probeTarget(t, 5);
    std::set<int> sruUnsupported;
    for (const IndexProbe& index : sru.indexes)
        if (index.support != IndexSupport::Supported) sruUnsupported.insert(index.use);
    EXPECT_EQ(sru.indexes.size(), commonUseAttributes().size()) << sru.text;
    EXPECT_EQ(sruUnsupported, (std::set<int>{8, 9, 1007})) << sru.text;

    TargetProfile learned;
    learned.fallbacks = {{8, 4}};
    learnFromProbe(learned, report);
    EXPECT_EQ(learned.unsupported, unsupported);
    EXPECT_EQ(learned.fallbacks, (std::vector<IndexFallback>{
                                     {8, 4}, {7, 1016}, {1018, 1016}, {9, 1016}, {1007, 1016}}));
}

TEST_F(TargetProfileTest, FallbackSearchesTheReplacementAndSaysSo) {
    const std::string isbn = firstIsbn();
    ASSERT_FALSE(isbn.empty());
    SearchHarness h(searchSettings());
    Target& withFallback = h.addTarget("With", zebra_->zurl("Default"));
    withFallback.profile.fallbacks = {{7, 1016}};
    Target& without = h.addTarget("Without", zebra_->zurl("Default"));
    // Known beforehand: rewritten before the first search.
    Target& known = h.addTarget("Known", zebra_->zurl("Default"));
    known.profile.fallbacks = {{7, 1016}};
    known.profile.unsupported = {7};
    const int searchesBefore = searchesLogged(*zebra_);
    h.start("@attr 1=7 " + isbn);
    ASSERT_TRUE(h.drain());

    for (const Target* t : {&withFallback, &known}) {
        EXPECT_FALSE(t->search.errorFlag) << t->search.lastError();
        EXPECT_GE(t->search.retrievedCount, 1);
        EXPECT_EQ(t->search.note(), "ISBN index not supported; searched Any instead\n");
    }
    EXPECT_TRUE(contains(renderTargetSummaryHtml(h.doc->targetList, known.id),
                         "<br />ISBN index not supported; searched Any instead"));
    EXPECT_EQ(targetStatusText(without), "Without (Error)");
    EXPECT_TRUE(contains(without.search.lastError(), "(114)")) << without.search.lastError();
    EXPECT_TRUE(without.search.note().empty());
    // One search each for the known one, two for the one that learned it.
    EXPECT_EQ(searchesLogged(*zebra_) - searchesBefore, 4) << zebra_->log();
}

TEST_F(TargetProfileTest, FallbacksThatChainEndInAnErrorAfterOneReplacement) {
    // ISBN and ISSN both missing here, each named as the other's replacement.
    const auto searchesFor = [](const std::set<int>& known, std::string& error) {
        SearchHarness h(searchSettings());
        Target& t = h.addTarget("Chained", zebra_->zurl("Default"));
        t.profile.fallbacks = {{7, 8}, {8, 7}};
        t.profile.unsupported = known;
        const int before = searchesLogged(*zebra_);
        h.start("@attr 1=7 " + firstIsbn());
        EXPECT_TRUE(h.drain());
        EXPECT_TRUE(t.search.errorFlag);
        EXPECT_EQ(t.search.note(), "ISBN index not supported; searched ISSN instead\n");
        error = t.search.lastError();
        return searchesLogged(*zebra_) - before;
    };
    std::string error;
    EXPECT_EQ(searchesFor({}, error), 2) << zebra_->log();
    EXPECT_TRUE(contains(error, "(114)")) << error;
    EXPECT_EQ(searchesFor({7}, error), 1) << zebra_->log();
    EXPECT_TRUE(contains(error, "(114)")) << error;
}

TEST_F(TargetProfileTest, TimeLimitEndsASilentServerAndTheRestCompletes) {
    SilentServer silent;
    SearchHarness h(searchSettings());
    Target& hung = h.addTarget("Hung", silent.zurl("Default"));
    hung.profile.timeoutSeconds = 1;
    const Target& zebra = h.addTarget("Zebra", zebra_->zurl("Default"));
    const auto started = std::chrono::steady_clock::now();
    h.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(h.drain(10000));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
    EXPECT_EQ(targetStatusText(hung), "Hung (Error)");
    EXPECT_EQ(hung.search.lastError(), "No answer for 1 s\n");
    EXPECT_EQ(targetStatusText(zebra), "Zebra (20)");
}

TEST_F(TargetProfileTest, SearchesThroughTheProxy) {
    ForwardingProxy proxy(zebra_->port());
    SearchHarness h(searchSettings());
    Target& t = h.addTarget("Proxied", zebra_->zurl("Default"));
    t.profile.proxy = proxy.address();
    h.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "Proxied (20)") << t.search.lastError();
    EXPECT_EQ(proxy.relayedCount(), 1);
}

TEST(TargetCheckTest, ManyTargetsAQuarterRefusingAreEachReported) {
    YazZtestServer ztest;
    std::vector<Target> targets(200);
    for (size_t i = 0; i < targets.size(); ++i) {
        targets[i].name = "T" + std::to_string(i);
        targets[i].zurl = i % 4 == 0 ? "127.0.0.1:" + std::to_string(pickFreePort()) + "/Default"
                                     : ztest.zurl("Default");
    }
    size_t done = 0;
    const std::vector<ProbeReport> reports =
        probeTargets(targets, 8, 5, {}, [&done](size_t, const ProbeReport&) { ++done; });
    EXPECT_EQ(done, targets.size());
    ASSERT_EQ(reports.size(), targets.size());
    for (size_t i = 0; i < reports.size(); ++i) {
        if (i % 4 == 0) {
            EXPECT_EQ(reports[i].roundTripMs, -1) << i;
            EXPECT_TRUE(contains(reports[i].error, "Connect failed")) << reports[i].error;
        } else {
            EXPECT_TRUE(reports[i].error.empty()) << i << reports[i].error;
            EXPECT_EQ(reports[i].indexes.size(), commonUseAttributes().size()) << i;
        }
    }
}
