// Records sent to a real Zebra that takes them, and to servers that do not.
#include <gtest/gtest.h>

#include <atomic>

#include "MarcBuilder.h"
#include "TestSettings.h"
#include "WritableZebra.h"
#include "YazZtestServer.h"
#include "search/TargetConnections.h"
#include "send/CatalogueSender.h"
#include "send/OverlayRecord.h"

namespace {

std::string book(const std::string& number, const std::string& title, const std::string& isbn,
                 const std::string& org = "DLC") {
    MarcBuilder b;
    b.control("001", number).control("003", org);
    if (!isbn.empty()) b.data("020", "  ", {{'a', isbn}});
    b.data("245", "10", {{'a', title}});
    b.data("500", "  ", {{'a', "Local note"}});
    return b.build();
}

class CatalogueSenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TempDir seed;
        // No record with an LCCN or ISSN: the catalogue has no such index.
        const std::string otherAgency = MarcBuilder()
                                            .control("001", "cat-3")
                                            .data("035", "  ", {{'a', "(DLC)63111280"}})
                                            .data("245", "10", {{'a', "Buoys"}})
                                            .build();
        writeFileBytes(seed.file("seed.mrc"), book("cat-1", "Lighthouse keeping", "9780306406157") +
                                                  book("cat-2", "Harbour charts", "") + otherAgency);
        server_ = writableZebra({seed.file("seed.mrc")}).release();
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    Target home(const std::string& user = "admin", const std::string& password = "secret") {
        Target t;
        t.name = "Home";
        t.zurl = server_->zurl("Default");
        t.recsyntax = "usmarc";
        t.elementsetname = "F";
        t.username = user;
        t.password = password;
        return t;
    }

    std::vector<SendReport> sendAll(const Target& target, const std::vector<std::string>& records,
                                    MatchChoice choice = MatchChoice::Skip,
                                    std::string* failure = nullptr) {
        auto connection = connectionFor(target, settings_, [] { return false; });
        CatalogueSender sender(*connection, target.profile, MarcTagPatterns("9XX"));
        if (!sender.connect()) {
            if (failure) *failure = sender.failureText();
            return {};
        }
        auto reports = sendRecords(
            sender, records, [&](size_t, const CatalogueMatch&) { return choice; }, {}, {});
        if (failure) *failure = sender.failureText();
        return reports;
    }

    CatalogueMatch matchOf(const std::string& record) {
        const Target target = home();
        auto connection = connectionFor(target, settings_, [] { return false; });
        CatalogueSender sender(*connection, target.profile, MarcTagPatterns());
        EXPECT_TRUE(sender.connect());
        return sender.findMatch(record);
    }

    static ZebraServer* server_;
    SettingsData settings_ = searchSettings();
};

ZebraServer* CatalogueSenderTest::server_ = nullptr;

TEST_F(CatalogueSenderTest, InsertsANewRecordThatCanThenBeFound) {
    const std::string record = book("ocm-77", "Tide tables of the north", "0306406160");
    const auto reports = sendAll(home(), {record});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(sendResultText(reports[0]), "inserted");
    EXPECT_EQ(reports[0].title, "Tide tables of the north");
    const CatalogueMatch match = matchOf(record);
    EXPECT_TRUE(match.found);
    EXPECT_EQ(match.id, "ocm-77");
}

TEST_F(CatalogueSenderTest, FindsARecordByItsIsbnInTheOtherFormAndSkipsIt) {
    // The catalogue holds the ISBN-13 form; the incoming record the ISBN-10.
    const auto reports = sendAll(home(), {book("lc-5", "Lighthouse keeping", "0306406152")});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(sendResultText(reports[0]), "already there cat-1");
}

TEST_F(CatalogueSenderTest, AnIndexTheCatalogueLacksRulesOutOnlyItsOwnIdentifier) {
    const std::string record = MarcBuilder()
                                   .control("001", "lc-1")
                                   .data("010", "  ", {{'a', "2001012345"}})
                                   .data("020", "  ", {{'a', "0306406152"}})
                                   .build();
    const CatalogueMatch match = matchOf(record);
    EXPECT_FALSE(match.checkFailed);
    EXPECT_TRUE(match.found);
    EXPECT_EQ(match.id, "cat-1");
}

TEST_F(CatalogueSenderTest, TheSameDigitsFromAnotherAgencyAreNoMatch) {
    // The catalogue's 035 "(DLC)63111280" holds the word the OCLC search asks for.
    const std::string record = MarcBuilder()
                                   .control("001", "o-1")
                                   .data("035", "  ", {{'a', "(OCoLC)63111280"}})
                                   .build();
    const CatalogueMatch match = matchOf(record);
    EXPECT_FALSE(match.found) << match.id;
    EXPECT_FALSE(match.checkFailed);
}

TEST_F(CatalogueSenderTest, TheFirstRecordGoesIntoADatabaseThatDoesNotExistYet) {
    Target t = home();
    t.zurl = server_->zurl("Fresh");
    const auto reports = sendAll(t, {book("f-1", "First of its kind", "")});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(sendResultText(reports[0]), "inserted");
}

TEST_F(CatalogueSenderTest, OverlayReplacesTheCataloguesRecordUnderItsOwnNumber) {
    const auto reports = sendAll(home(), {book("lc-9", "Harbour charts, revised", "", "DLC")},
                                 MatchChoice::Overlay);
    // Found by nothing but its title: no match, inserted.
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(sendResultText(reports[0]), "inserted");

    const std::string again = book("lc-9", "Harbour charts, third edition", "");
    const auto replaced = sendAll(home(), {again}, MatchChoice::Overlay);
    ASSERT_EQ(replaced.size(), 1u);
    EXPECT_EQ(sendResultText(replaced[0]), "replaced lc-9");
    const CatalogueMatch match = matchOf(again);
    EXPECT_EQ(match.title, "Harbour charts, third edition");
}

TEST_F(CatalogueSenderTest, AnonymousUsersAreRefusedWithTheServersWords) {
    const auto reports = sendAll(home("", ""), {book("anon-1", "Nobody's record", "")});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].kind, SendReport::Kind::Refused);
    EXPECT_EQ(reports[0].diagnostic, 223);
    EXPECT_NE(sendResultText(reports[0]).find("refused (diagnostic 223: "), std::string::npos);
}

TEST_F(CatalogueSenderTest, AWrongPasswordStopsBeforeAnyRecord) {
    std::string failure;
    const auto reports =
        sendAll(home("admin", "wrong"), {book("pw-1", "Locked out", "")}, MatchChoice::Skip, &failure);
    EXPECT_TRUE(reports.empty());
    EXPECT_NE(failure.find("Bad Userid and/or Password"), std::string::npos) << "[" << failure << "]";
}

TEST_F(CatalogueSenderTest, AReadOnlyCatalogueRefusesAndSaysSo) {
    auto readOnly = ZebraServer::withDemoCorpus();
    Target t = home("", "");
    t.zurl = readOnly->zurl("Default");
    const auto reports = sendAll(t, {book("ro-1", "Test record", "")});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].kind, SendReport::Kind::Refused);
    EXPECT_EQ(reports[0].diagnostic, 223);
}

TEST_F(CatalogueSenderTest, ARecordOnlyQueuedIsNotReportedAsInserted) {
    // yaz-ztest answers "accepted" for its database "accept": not yet stored.
    YazZtestServer ztest;
    Target t = home();
    t.zurl = ztest.zurl("accept");
    auto connection = connectionFor(t, settings_, [] { return false; });
    const UpdateOutcome outcome = connection->update(book("z-1", "Test record", ""), UpdateAction::Insert);
    EXPECT_EQ(outcome.kind, UpdateOutcome::Kind::Refused) << outcome.text;
}

TEST_F(CatalogueSenderTest, AServerDiagnosticForTheDatabaseReachesTheReport) {
    YazZtestServer ztest;
    Target t = home();
    t.zurl = ztest.zurl("fault");
    auto connection = connectionFor(t, settings_, [] { return false; });
    const UpdateOutcome outcome = connection->update(book("z-2", "Test record", ""), UpdateAction::Insert);
    EXPECT_EQ(outcome.kind, UpdateOutcome::Kind::Refused);
    EXPECT_EQ(outcome.diagnostic, 109);
    EXPECT_EQ(outcome.text, "Database unavailable: fault");
}

TEST_F(CatalogueSenderTest, StopBetweenRecordsSendsNoMore) {
    const Target target = home();
    std::atomic<bool> stop{false};
    auto connection = connectionFor(target, settings_, [&] { return stop.load(); });
    CatalogueSender sender(*connection, target.profile, MarcTagPatterns());
    ASSERT_TRUE(sender.connect());
    const auto reports = sendRecords(
        sender, {book("s-1", "First", ""), book("s-2", "Second", ""), book("s-3", "Third", "")},
        [](size_t, const CatalogueMatch&) { return MatchChoice::Skip; },
        [&](size_t, const SendReport&) { stop = true; }, [&] { return stop.load(); });
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_FALSE(matchOf(book("s-2", "Second", "")).found);
}

}  // namespace
