// Scanning an index at a real Zebra over Z39.50 and over SRU: the same terms
// both ways, counts that are the hits of a search for the term, continuing
// from a term, and a target that cannot scan next to one that can.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HttpFront.h"
#include "SharedServerTest.h"
#include "TestSettings.h"
#include "probe/TargetProbe.h"
#include "search/ScanTargets.h"
#include "search/TargetConnections.h"

namespace {

struct ScanTest : DemoZebraTest<ScanTest> {
    using DemoZebraTest<ScanTest>::server_;

    std::vector<Target> both() const {
        Target z;
        z.name = "Z39.50";
        z.zurl = server_->zurl("Default");
        z.recsyntax = "usmarc";
        Target s;
        s.name = "SRU";
        s.zurl = server_->sruUrl();
        s.recsyntax = "marcxml";
        return {z, s};
    }
    std::vector<ScanAnswer> scan(const std::string& pqf, int32_t number, int32_t position = 1) {
        return scanTargets(both(), settings_, pqf, number, position, 2);
    }
    int64_t hits(const Target& target, const std::string& pqf) {
        const auto connection = connectionFor(target, settings_, [] { return false; });
        if (!connection->connect() || !connection->search(pqf, 0)) return -2;
        return connection->hits();
    }

    SettingsData settings_ = searchSettings(0);
};

std::vector<std::string> raws(const ScanAnswer& answer) {
    std::vector<std::string> out;
    for (const ScanTerm& t : answer.terms) out.push_back(t.raw);
    return out;
}

}  // namespace

TEST_F(ScanTest, bothProtocolsListTheSameTermsCountedAsASearchFindsThem) {
    for (const char* use : {"4", "1003", "21"}) {
        const std::vector<ScanAnswer> answers = scan(std::string("@attr 1=") + use + " m", 8);
        ASSERT_EQ(answers[0].failure, "") << use;
        ASSERT_EQ(answers[1].failure, "") << use;
        // The subject index ends before eight terms.
        ASSERT_GE(answers[0].terms.size(), 5u) << use;
        EXPECT_LE(answers[0].terms.size(), 8u) << use;
        EXPECT_EQ(raws(answers[0]), raws(answers[1])) << use;
        EXPECT_GE(answers[0].terms.front().raw, "m") << use;
        for (size_t i = 0; i < answers[0].terms.size(); ++i) {
            const ScanTerm& z = answers[0].terms[i];
            EXPECT_EQ(z.count, answers[1].terms[i].count) << use << " " << z.raw;
            // Zebra's raw terms are its own folded forms: the display term
            // is the one a search finds.
            EXPECT_EQ(z.display, answers[1].terms[i].display);
            const std::string search = std::string("@attr 1=") + use + " \"" + z.display + "\"";
            EXPECT_EQ(z.count, hits(both()[0], search)) << search;
            if (i > 0) {
                EXPECT_LT(answers[0].terms[i - 1].raw, z.raw);
            }
        }
    }
}

TEST_F(ScanTest, continuesFromARawTermAtThePositionAsked) {
    const std::vector<ScanAnswer> first = scan("@attr 1=4 a", 6);
    ASSERT_EQ(first[0].terms.size(), 6u) << first[0].failure;
    const std::string from = first[0].terms[4].raw;
    // Asked at position 3, the term stands third, the two before it first.
    const std::vector<ScanAnswer> next = scan("@attr 1=4 \"" + from + "\"", 5, 3);
    for (const ScanAnswer& answer : next) {
        ASSERT_EQ(answer.terms.size(), 5u) << answer.failure;
        EXPECT_EQ(answer.terms[0].raw, first[0].terms[2].raw);
        EXPECT_EQ(answer.terms[2].raw, from);
    }
}

TEST_F(ScanTest, anIndexATargetLacksFailsThereAlone) {
    std::vector<Target> targets = both();
    Target refusing = targets[0];
    refusing.name = "Closed";
    refusing.zurl = "127.0.0.1:1/Default";
    targets.push_back(refusing);
    const std::vector<ScanAnswer> unknown =
        scanTargets(targets, settings_, "@attr 1=9999 a", 5, 1, 3);
    EXPECT_NE(unknown[0].failure.find("(114)"), std::string::npos) << unknown[0].failure;
    EXPECT_EQ(unknown[1].failure, "No CQL index for Bib-1 use attribute 9999");
    EXPECT_NE(unknown[2].failure.find("Connect failed"), std::string::npos) << unknown[2].failure;
    // ISSN has a CQL index, which this server does not know.
    const std::vector<ScanAnswer> issn = scanTargets(targets, settings_, "@attr 1=8 a", 5, 1, 3);
    EXPECT_NE(issn[0].failure.find("(114)"), std::string::npos) << issn[0].failure;
    EXPECT_EQ(issn[1].failure, "Unsupported index (16)");
    const std::vector<ScanAnswer> known = scanTargets(targets, settings_, "@attr 1=4 a", 5, 1, 3);
    EXPECT_EQ(known[0].terms.size(), 5u);
    EXPECT_EQ(known[1].terms.size(), 5u);
    EXPECT_TRUE(known[2].terms.empty());
    EXPECT_FALSE(known[2].failure.empty());
}

TEST_F(ScanTest, theProbeNotesThatATargetScans) {
    for (const Target& t : both()) {
        const ProbeReport report = probeTarget(t, 10);
        EXPECT_TRUE(report.scans) << t.name << "\n" << report.text;
        EXPECT_NE(report.text.find("Scan: supported\n"), std::string::npos) << report.text;
    }
}

TEST_F(ScanTest, anSruServerWithoutScanSaysWhyAndTheProbeNotesIt) {
    const int zebraPort = server_->port();
    HttpFront front([zebraPort](const std::string& head) {
        if (head.find("operation=scan") == std::string::npos)
            return HttpFront::forward(head, zebraPort);
        return HttpFront::response(
            "200 OK", "text/xml",
            "<scanResponse xmlns=\"http://www.loc.gov/zing/srw/\"><version>1.2</version>"
            "<diagnostics><diagnostic><uri>info:srw/diagnostic/1/4</uri><details>scan</details>"
            "</diagnostic></diagnostics></scanResponse>");
    });
    Target t = both()[1];
    t.zurl = front.url("/Default");
    const std::vector<ScanAnswer> answers = scanTargets({t}, settings_, "@attr 1=4 a", 5, 1, 1);
    EXPECT_TRUE(answers[0].terms.empty());
    EXPECT_EQ(answers[0].failure, "Unsupported operation (4): scan");
    const ProbeReport report = probeTarget(t, 10);
    EXPECT_TRUE(report.ok) << report.text;
    EXPECT_FALSE(report.scans);
    EXPECT_NE(report.text.find("Scan: Unsupported operation (4): scan\n"), std::string::npos)
        << report.text;
}
