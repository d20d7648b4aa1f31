// The probe against servers that answer oddly: syntaxes served only with
// element sets of their own, Explain answered by a page or a diagnostic,
// diagnostics that say nothing of the index, searches that time out, Cancel.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <regex>
#include <sstream>

#include "HttpFront.h"
#include "SilentServer.h"
#include "TextChecks.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "probe/TargetCheck.h"
#include "probe/TargetProbe.h"
#include "protocol/UseAttributes.h"
#include "targets/TargetProfile.h"

namespace {

bool hasSyntax(const ProbeReport& report, const std::string& syntax) {
    for (const std::string& s : report.syntaxes)
        if (s == syntax) return true;
    return false;
}

bool teachesNothing(const ProbeReport& report) {
    TargetProfile profile;
    learnFromProbe(profile, report);
    return profile.unsupported.empty() && profile.fallbacks.empty();
}

// The demo catalogue serving XML only as "marcxml", "mods" and "dc": the
// element set a database of the DOM filter names, nothing else.
std::unique_ptr<ZebraServer> xmlOnlyByName() {
    return std::make_unique<ZebraServer>(
        std::vector<std::string>{sourcePath("data/demo/demo.mrc")}, "Default",
        ZServer::Logging::Requests, [](const std::string& dir) {
            std::ifstream in(dir + "/yazgfs.xml");
            std::stringstream text;
            text << in.rdbuf();
            const std::regex unnamed("<retrieval syntax=\"xml\">[\\s\\S]*?</retrieval>");
            std::ofstream(dir + "/yazgfs.xml") << std::regex_replace(text.str(), unnamed, "");
        });
}

}  // namespace

TEST(TargetProbeTest, SyntaxesAnswerWithTheTargetsElementSetOrNone) {
    // F gives diagnostic 14 for XML here; none gives MARCXML.
    YazZtestServer ztest;
    Target t;
    t.zurl = ztest.zurl("Default");
    const ProbeReport plain = probeTarget(t, 5);
    EXPECT_TRUE(hasSyntax(plain, "xml")) << plain.text;
    EXPECT_TRUE(hasSyntax(plain, "usmarc")) << plain.text;

    const std::unique_ptr<ZebraServer> zebra = xmlOnlyByName();
    t.zurl = zebra->zurl("Default");
    t.elementsetname = "dc";
    const ProbeReport dom = probeTarget(t, 5);
    EXPECT_TRUE(hasSyntax(dom, "xml")) << dom.text;
    EXPECT_TRUE(contains(dom.text, "Element sets: F, B, dc\n")) << dom.text;
}

TEST(TargetProbeTest, AnExplainAnsweredByAPageOrADiagnosticPrintsTheError) {
    HttpFront front([](const std::string& head) {
        if (contains(head, "/page"))
            return HttpFront::response("200 OK", "text/html",
                                       "<html><body><p>Catalogue closed<br></body></html>");
        return HttpFront::response(
            "200 OK", "text/xml",
            "<diagnostics xmlns=\"http://www.loc.gov/zing/srw/diagnostic/\"><diagnostic>"
            "<uri>info:srw/diagnostic/1/1</uri><details>maintenance</details>"
            "<message>General system error</message></diagnostic></diagnostics>");
    });
    Target t;
    t.zurl = front.url("page");
    const ProbeReport page = probeTarget(t, 5);
    EXPECT_FALSE(page.ok);
    EXPECT_TRUE(contains(probeLines("P", page), " ms\tThe answer is no XML.\n"))
        << probeLines("P", page);

    t.zurl = front.url("diag");
    const ProbeReport diag = probeTarget(t, 5);
    EXPECT_TRUE(contains(probeLines("D", diag),
                         " ms\tThe server answered with a diagnostic: General system error "
                         "(maintenance)\n"))
        << probeLines("D", diag);
}

TEST(TargetProbeTest, OnlyDiagnosticsOfTheIndexTeachTheProfile) {
    // Every search of this database fails with 109, whatever the index.
    YazZtestServer ztest;
    Target t;
    t.zurl = ztest.zurl("Closed");
    const ProbeReport report = probeTarget(t, 5);
    ASSERT_FALSE(report.indexes.empty()) << report.text;
    for (const IndexProbe& index : report.indexes) {
        EXPECT_EQ(index.support, IndexSupport::Unknown) << index.use;
        EXPECT_EQ(index.diagnostic, 109) << index.use;
    }
    EXPECT_TRUE(contains(probeLines("C", report), "C\t4\tTitle\tunknown (diagnostic 109)\n"));
    EXPECT_TRUE(teachesNothing(report));
}

TEST(TargetProbeTest, ASearchThatTimesOutIsNoAnswerAndTeachesNothing) {
    // Init at once, each search after 3 s: longer than the probe waits.
    YazZtestServer ztest;
    Target t;
    t.zurl = ztest.zurl("Slow");
    const ProbeReport report = probeTarget(t, 1);
    ASSERT_EQ(report.indexes.size(), commonUseAttributes().size()) << report.text;
    for (const IndexProbe& index : report.indexes)
        EXPECT_EQ(index.support, IndexSupport::NoAnswer) << index.use;
    EXPECT_TRUE(teachesNothing(report));
}

TEST(TargetProbeTest, CancelEndsTheProbesThreadAtOnce) {
    SilentServer silent;
    Target t;
    t.zurl = silent.zurl("Default");
    std::atomic<bool> cancelled{false};
    std::future<ProbeReport> probe = std::async(std::launch::async, [&] {
        return probeTarget(t, 60, [&cancelled] { return cancelled.load(); });
    });
    // Still waiting for the init after a while.
    ASSERT_EQ(probe.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout);
    cancelled = true;
    ASSERT_EQ(probe.wait_for(std::chrono::seconds(3)), std::future_status::ready);
    EXPECT_EQ(probe.get().error, "Cancelled");
}
