// The server fixtures against what later tests rely on: each starts, answers,
// serves the syntaxes and element sets its header promises, and leaves no
// process behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <yaz/zoom.h>

#include <cerrno>
#include <memory>
#include <string>

#include "FreePort.h"
#include "MarcCorpus.h"
#include "SharedServerTest.h"
#include "SilentServer.h"
#include "TestSupport.h"
#include "TextChecks.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "ZoomSearch.h"

namespace {

bool processGone(pid_t pid) { return kill(pid, 0) == -1 && errno == ESRCH; }

ZoomRecordForms firstRecord(const std::string& zurl, const std::string& pqf,
                            const std::string& syntax, const std::string& elementSet) {
    std::map<std::string, std::string> options{{"preferredRecordSyntax", syntax}};
    if (!elementSet.empty()) options["elementSetName"] = elementSet;
    const ZoomSearchResult result = zoomSearch(zurl, pqf, options, 1);
    EXPECT_EQ(result.error, 0) << syntax << "/" << elementSet << ": " << result.errorText;
    EXPECT_EQ(result.records.size(), 1u) << syntax << "/" << elementSet;
    return result.records.empty() ? ZoomRecordForms{} : result.records.front();
}

}  // namespace

class YazZtestServerTest : public SharedServerTest<YazZtestServer, YazZtestServerTest> {};

TEST_F(YazZtestServerTest, HitCountIsTheNumericTerm) {
    EXPECT_EQ(zoomSearch(server_->zurl("Default"), "@attr 1=4 42").hits, 42);
    EXPECT_EQ(zoomSearch(server_->zurl("Default"), "0").hits, 0);
    EXPECT_EQ(zoomSearch(server_->zurl("db.books"), "7").hits, 7);
}

TEST_F(YazZtestServerTest, ServesEachSyntax) {
    const std::string zurl = server_->zurl("Default");
    const ZoomRecordForms marc = firstRecord(zurl, "5", "usmarc", "F");
    EXPECT_EQ(marc.syntax, "USmarc");
    ASSERT_GT(marc.raw.size(), 24u);
    EXPECT_EQ(marc.raw[9], ' ');  // MARC-8, unlike the corpus
    EXPECT_TRUE(contains(marc.xml, "<record"));
    EXPECT_FALSE(marc.render.empty());

    const ZoomRecordForms xml = firstRecord(zurl, "5", "xml", "marcxml");
    EXPECT_EQ(xml.syntax, "XML");
    EXPECT_TRUE(contains(xml.xml, "http://www.loc.gov/MARC21/slim"));
    EXPECT_EQ(firstRecord(zurl, "5", "xml", "").xml, xml.xml);

    const ZoomRecordForms sutrs = firstRecord(zurl, "5", "sutrs", "");
    EXPECT_EQ(sutrs.syntax, "SUTRS");
    EXPECT_EQ(sutrs.raw, "This is dummy SUTRS record number 1\n");

    const ZoomRecordForms opac = firstRecord(zurl, "5", "opac", "");
    EXPECT_EQ(opac.syntax, "OPAC");
    EXPECT_TRUE(contains(opac.opac, "<holdings>"));
    EXPECT_FALSE(opac.render.empty());

    const ZoomRecordForms grs = firstRecord(zurl, "5", "grs1", "F");
    EXPECT_EQ(grs.syntax, "GRS-1");
    EXPECT_TRUE(contains(grs.render, "GRS-1 test record 1")) << grs.render;
}

TEST_F(YazZtestServerTest, RefusesWhatItDoesNotServe) {
    const std::string zurl = server_->zurl("Default");
    const ZoomSearchResult mods =
        zoomSearch(zurl, "3", {{"preferredRecordSyntax", "xml"}, {"elementSetName", "mods"}}, 1);
    ASSERT_EQ(mods.records.size(), 1u);
    EXPECT_EQ(mods.records[0].error, 14);
    const ZoomSearchResult grs = zoomSearch(zurl, "200", {{"preferredRecordSyntax", "grs1"}}, 200);
    ASSERT_EQ(grs.records.size(), 200u);
    EXPECT_EQ(grs.records[YazZtestServer::kGrs1Records - 1].error, 0);
    EXPECT_EQ(grs.records[YazZtestServer::kGrs1Records].error, 14);
    EXPECT_EQ(zoomSearch(zurl, "3", {{"preferredRecordSyntax", "mab"}}, 1).error, 239);
}

TEST_F(YazZtestServerTest, RejectsUnknownDatabasesAndParameters) {
    const ZoomSearchResult unknown = zoomSearch(server_->zurl("Nonexistent"), "5");
    EXPECT_EQ(unknown.error, 109);
    EXPECT_EQ(unknown.addinfo, "Nonexistent");
    EXPECT_EQ(zoomSearch(server_->zurl("Default?bogus=1"), "5").error, 1025);
}

TEST_F(YazZtestServerTest, SlowDatabasesStillAnswer) {
    EXPECT_EQ(zoomSearch(server_->zurl("Slow1"), "5").hits, 5);
    EXPECT_EQ(zoomSearch(server_->zurl("Default?search-delay=0.1&fetch-delay=0.1"), "3", {}, 1)
                  .records.size(),
              1u);
}

TEST_F(YazZtestServerTest, LogShowsWhatTheServerReceived) {
    zoomSearch(server_->zurl("Default"), "2",
               {{"user", "alice"}, {"password", "secret"}, {"elementSetName", "B"}}, 1);
    const std::string log = server_->log();
    EXPECT_TRUE(contains(log, "userId 'alice'")) << log;
    EXPECT_TRUE(contains(log, "password 'secret'"));
    EXPECT_TRUE(contains(log, "generic 'B'"));
    EXPECT_TRUE(contains(log, "Auth idPass alice"));
}

class ZebraServerTest : public DemoZebraTest<ZebraServerTest> {
protected:
    static const MarcCorpus& corpus() { return demoCorpus(); }
};

TEST_F(ZebraServerTest, KnownQueriesHaveTheirAnswers) {
    const std::string zurl = server_->zurl("Default");
    EXPECT_EQ(zoomSearch(zurl, "@attr 1=4 lighthouse").hits, 100);
    EXPECT_EQ(zoomSearch(zurl, "@attr 1=4 Compass").hits, 20);
    EXPECT_EQ(zoomSearch(zurl, "@attr 1=1003 kowalczyk").hits, 10);
    EXPECT_EQ(zoomSearch(zurl, "@attr 1=_ALLRECORDS @attr 2=103 \"\"").hits, 400);
    const CorpusRecord& rec = corpus().records()[1];
    ASSERT_FALSE(rec.isbns.empty());
    EXPECT_EQ(zoomSearch(zurl, "@attr 1=7 " + rec.isbns.front()).hits, 1);
    EXPECT_EQ(zoomSearch(zurl, "@attr 1=12 " + rec.controlNumber).hits, 1);
}

TEST_F(ZebraServerTest, NonAsciiWordsMatchInEitherCase) {
    const std::string zurl = server_->zurl("Default");
    const long lower = zoomSearch(zurl, "@attr 1=4 łódź").hits;
    EXPECT_GT(lower, 0);
    EXPECT_EQ(zoomSearch(zurl, "@attr 1=4 ŁÓDŹ").hits, lower);
}

TEST_F(ZebraServerTest, ServesEachSyntaxAndElementSet) {
    // The Kowalczyk records carry Polish titles, so UTF-8 must survive each form.
    const CorpusRecord& rec = corpus().records()[2];
    const std::string zurl = server_->zurl("Default");
    const std::string pqf = "@attr 1=12 " + rec.controlNumber;

    const ZoomRecordForms marc = firstRecord(zurl, pqf, "usmarc", "F");
    EXPECT_EQ(marc.syntax, "USmarc");
    EXPECT_EQ(marc.raw, rec.iso2709);
    EXPECT_TRUE(contains(marc.render, "Łódź"));
    EXPECT_EQ(firstRecord(zurl, pqf, "marc21", "B").raw, rec.iso2709);

    const ZoomRecordForms marcxml = firstRecord(zurl, pqf, "xml", "marcxml");
    EXPECT_EQ(marcxml.syntax, "XML");
    EXPECT_TRUE(contains(marcxml.xml, "<record xmlns=\"http://www.loc.gov/MARC21/slim\""));
    EXPECT_TRUE(contains(marcxml.xml, "Łódź"));
    EXPECT_EQ(firstRecord(zurl, pqf, "xml", "F").xml, marcxml.xml);

    const ZoomRecordForms mods = firstRecord(zurl, pqf, "xml", "mods");
    EXPECT_TRUE(contains(mods.xml, "<mods xmlns=\"http://www.loc.gov/mods/v3\"")) << mods.xml;
    EXPECT_TRUE(contains(mods.xml, "<title>Łódź i okolice</title>"));

    const ZoomRecordForms dc = firstRecord(zurl, pqf, "xml", "dc");
    EXPECT_TRUE(contains(dc.xml, "<srw_dc:dc ")) << dc.xml;
    EXPECT_TRUE(contains(dc.xml, "<dc:title>Łódź i okolice")) << dc.xml;
    EXPECT_TRUE(contains(dc.xml, "<dc:creator>Kowalczyk, Agnieszka"));

    const ZoomRecordForms sutrs = firstRecord(zurl, pqf, "sutrs", "F");
    EXPECT_EQ(sutrs.syntax, "SUTRS");
    EXPECT_TRUE(contains(sutrs.raw, "Title:       Łódź i okolice")) << sutrs.raw;
    EXPECT_TRUE(contains(sutrs.raw, "Author:      Kowalczyk, Agnieszka"));
}

TEST_F(ZebraServerTest, RefusesWhatItDoesNotServe) {
    const std::string zurl = server_->zurl("Default");
    EXPECT_EQ(zoomSearch(zurl, "lighthouse", {{"preferredRecordSyntax", "grs1"}}, 1).error, 239);
    EXPECT_EQ(zoomSearch(zurl, "lighthouse", {{"preferredRecordSyntax", "opac"}}, 1).error, 239);
    EXPECT_EQ(zoomSearch(server_->zurl("Nope"), "lighthouse").error, 109);
    EXPECT_EQ(zoomSearch(zurl, "@attr 1=9999 lighthouse").error, 114);
}

TEST_F(ZebraServerTest, ASecondServerSharesTheRegister) {
    auto second = ZebraServer::onSameRegister(*server_);
    EXPECT_NE(second->port(), server_->port());
    EXPECT_EQ(zoomSearch(second->zurl("Default"), "@attr 1=4 lighthouse").hits, 100);
    const pid_t pid = second->pid();
    second.reset();
    EXPECT_TRUE(processGone(pid));
    EXPECT_EQ(zoomSearch(server_->zurl("Default"), "@attr 1=4 lighthouse").hits, 100);
}

TEST(ZServerLifecycleTest, StoppedServersLeaveNoProcess) {
    pid_t ztestPid = -1;
    pid_t zebraPid = -1;
    int zebraPort = 0;
    {
        YazZtestServer ztest;
        ztestPid = ztest.pid();
        TempDir tmp;
        writeCorpusFile(tmp.file("few.mrc"), 20, 3);
        ZebraServer zebra({tmp.file("few.mrc")}, "books");
        zebraPid = zebra.pid();
        zebraPort = zebra.port();
        EXPECT_EQ(zoomSearch(zebra.zurl("books"), "@attr 1=_ALLRECORDS @attr 2=103 \"\"").hits, 20);
        EXPECT_GT(zoomSearch(ztest.zurl("Default"), "4").hits, 0);
    }
    EXPECT_TRUE(processGone(ztestPid));
    EXPECT_TRUE(processGone(zebraPid));
    EXPECT_FALSE(acceptsConnections(zebraPort));
}

TEST(ZServerLifecycleTest, AServerThatCannotStartThrows) {
    EXPECT_THROW(YazZtestServer({"-f", "missing.xml"}), std::runtime_error);
    EXPECT_THROW(ZebraServer({"no-such-file.mrc"}), std::runtime_error);
}

TEST(SilentServerTest, AcceptsAndNeverAnswers) {
    SilentServer silent;
    const ZoomSearchResult r = zoomSearch(silent.zurl("Default"), "x", {{"timeout", "1"}});
    EXPECT_EQ(r.error, ZOOM_ERROR_TIMEOUT);
    EXPECT_EQ(silent.acceptedCount(), 1);
}

TEST(SilentServerTest, AFreePortRefuses) {
    const int port = pickFreePort();
    EXPECT_FALSE(acceptsConnections(port));
    EXPECT_EQ(zoomSearch("127.0.0.1:" + std::to_string(port) + "/Default", "x").error,
              ZOOM_ERROR_CONNECT);
}
