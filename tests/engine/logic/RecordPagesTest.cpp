// The record view's pages: one per record kind and display setting through the
// shipped stylesheets, the target summary with its links, the link actions, and
// what real servers send shown as text, never as markup.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CollectedMessages.h"
#include "MarcBuilder.h"
#include "SearchHarness.h"
#include "SharedServerTest.h"
#include "TestSupport.h"
#include "TextChecks.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "ZoomSearch.h"
#include "display/LinkAction.h"
#include "display/RecordPages.h"
#include "protocol/z3950/Z3950Records.h"
#include "records/ResultStore.h"
#include "settings/SettingsDefaults.h"
#include "targets/TargetList.h"

namespace {

Record xmlRecord(XmlSchema schema, const std::string& file) {
    Record record;
    record.kind = Xml;
    record.syntax = "xml";
    record.xmlSchema = schema;
    record.xmlText = readFileBytes(sourcePath("tests/data/xml/" + file));
    return record;
}

Record textRecord(RecordKind kind, const std::string& renderedText) {
    Record record;
    record.kind = kind;
    record.renderedText = renderedText;
    return record;
}

const char* const kUnchanged = "page before";

// The page of record, alone in a store; kUnchanged when none was made.
std::string pageOf(const Record& record, const SettingsData& settings) {
    ResultStore store;
    store.add(record);
    std::string html = kUnchanged;
    EXPECT_TRUE(renderRecordHtml(store, 1, settings, html));
    return html;
}

}  // namespace

TEST(RecordPagesTest, EscapingAndThePreformattedPage) {
    EXPECT_EQ(escapeHtml("a<b>&\"c'd"), "a&lt;b&gt;&amp;&quot;c&apos;d");
    EXPECT_EQ(preformattedPage("x < y\n"),
              "<html><head></head><body><pre>x &lt; y\n</pre></body></html>");
    // Bytes that are not UTF-8 still give a valid page.
    EXPECT_EQ(preformattedPage("caf\xe9"),
              "<html><head></head><body><pre>caf\xc3\xa9</pre></body></html>");
}

TEST(RecordPagesTest, TextKindsShowTheirRenderedText) {
    SettingsData settings = searchSettings();
    const std::string text = "245 10 $a Title <b>bold</b>";
    const std::string expected = preformattedPage(text);
    for (RecordKind kind : {Sutrs, Marc, Opac, Grs1, Other}) {
        SCOPED_TRACE(kind);
        settings.MARCDisplayType = "YAZ";
        EXPECT_EQ(pageOf(textRecord(kind, text), settings), expected);
        settings.MARCDisplayType = "xsl";  // only exactly "XSL" selects the stylesheet
        EXPECT_EQ(pageOf(textRecord(kind, text), settings), expected);
    }
    settings.MARCDisplayType = "XSL";
    EXPECT_EQ(pageOf(textRecord(Sutrs, text), settings), expected);
    EXPECT_EQ(pageOf(textRecord(Grs1, text), settings), expected);
}

TEST(RecordPagesTest, EachXmlSchemaGoesThroughItsShippedStylesheet) {
    const struct {
        XmlSchema schema;
        const char* file;
        const char* heading;
    } cases[] = {
        {MarcXml, "marcxml-1.xml", "<h1>Annual report : fiscal year 1998</h1>"},
        {MarcXml, "marcxml-collection.xml", "<h1>Grundlagen der Katalogisierung</h1>"},
        {Mods, "mods-1.xml", "<h1>Annual report : fiscal year 1998</h1>"},
        {Mods, "mods3-2.xml", "<h1>Grundlagen der Katalogisierung</h1>"},
        {DublinCore, "dc-1.xml", "<h1>Annual report : fiscal year 1998</h1>"},
        {DublinCore, "oai-dc-1.xml", "<h1>Annual report : fiscal year 1998</h1>"},
        {DublinCore, "srw-dc-1.xml", "<h1>Annual report : fiscal year 1998</h1>"},
        {OtherXml, "srw-dc-1.xml", "fiscal year 1998 /"},
    };
    CollectedMessages messages;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string html = pageOf(xmlRecord(c.schema, c.file), searchSettings());
        EXPECT_TRUE(contains(html, c.heading)) << html;
        EXPECT_TRUE(contains(html, "</table>") || c.schema == OtherXml) << html;
    }
    const std::string marc = pageOf(xmlRecord(MarcXml, "marcxml-1.xml"), searchSettings());
    EXPECT_TRUE(contains(marc, ">LDR</td>"));
    EXPECT_TRUE(contains(marc, "<span class=\"code\">$b</span> fiscal year 1998 /"));
    const std::string mods = pageOf(xmlRecord(Mods, "mods3-2.xml"), searchSettings());
    EXPECT_TRUE(contains(mods, "Weiß, Anna <span class=\"role\">(editor)</span>")) << mods;
    EXPECT_TRUE(contains(mods, "ISBN: 9783161484100"));
    const std::string tree = pageOf(xmlRecord(OtherXml, "srw-dc-1.xml"), searchSettings());
    EXPECT_TRUE(contains(tree, "&lt;dc:title")) << tree;
    EXPECT_EQ(messages.texts(), std::vector<std::string>());
}

TEST(RecordPagesTest, EmptyStylesheetSettings) {
    SettingsData settings = searchSettings();
    settings.DisplayXML_MARCXML.clear();
    settings.DisplayXML_MODS.clear();
    settings.DisplayXML_DC.clear();
    settings.DefaultXMLXSL.clear();
    CollectedMessages messages;
    // A known schema without its stylesheet shows nothing and says nothing.
    EXPECT_EQ(pageOf(xmlRecord(MarcXml, "marcxml-1.xml"), settings), kUnchanged);
    EXPECT_EQ(pageOf(xmlRecord(Mods, "mods-1.xml"), settings), kUnchanged);
    EXPECT_EQ(pageOf(xmlRecord(DublinCore, "dc-1.xml"), settings), kUnchanged);
    EXPECT_TRUE(messages.texts().empty());
    // Other XML is transformed all the same, and the failure is told.
    EXPECT_EQ(pageOf(xmlRecord(OtherXml, "dc-1.xml"), settings), kUnchanged);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0].rfind("_com_error: ", 0), 0u) << messages.texts()[0];
}

TEST(RecordPagesTest, MarcShowsItsDeferredFormsAsTextOrThroughTheCustomStylesheet) {
    Record record;
    record.kind = Marc;
    record.syntax = "usmarc";
    record.rawData = MarcBuilder()
                         .control("001", "qrn-p1")
                         .data("245", "10", {{'a', "Harbour lights :"}, {'b', "a history"}})
                         .build();
    record.formsDeferred = true;
    SettingsData settings = searchSettings();

    settings.MARCDisplayType = "YAZ";
    const std::string text = pageOf(record, settings);
    EXPECT_TRUE(contains(text, "<pre>")) << text;
    EXPECT_TRUE(contains(text, "$a Harbour lights :")) << text;

    settings.MARCDisplayType = "XSL";
    const std::string xsl = pageOf(record, settings);
    EXPECT_TRUE(contains(xsl, "<h1>Harbour lights : a history</h1>")) << xsl;

    CollectedMessages messages;
    settings.MARCCustomXSL.clear();
    EXPECT_EQ(pageOf(record, settings), kUnchanged);
    EXPECT_EQ(messages.texts().size(), 1u);
}

TEST(RecordPagesTest, NoSuchRecordLeavesThePage) {
    ResultStore store;
    store.add(textRecord(Sutrs, "one"));
    std::string html = kUnchanged;
    EXPECT_FALSE(renderRecordHtml(store, 2, searchSettings(), html));
    EXPECT_FALSE(renderRecordHtml(store, 0, searchSettings(), html));
    EXPECT_EQ(html, kUnchanged);
}

namespace {

Target& summaryTarget(TargetList& list, int32_t id, TargetState state, int32_t hits,
                      int32_t retrieved, bool error, const std::string& lastError) {
    Target target;
    target.id = id;
    target.name = "Library of Test";
    target.zurl = "127.0.0.1:9999/Default";
    target.search.state = state;
    target.search.hitCount = hits;
    target.search.retrievedCount = retrieved;
    target.search.errorFlag = error;
    target.search.setLastError(lastError);
    list.targets.push_back(target);
    return list.targets.back();
}

}  // namespace

TEST(TargetSummaryTest, EveryPieceInOrder) {
    TargetList list;
    summaryTarget(list, 3, Finished, 1, 1, false, "");
    Target& full = summaryTarget(list, 7, Finished, 10, 4, true, "Database unavailable (109) X\n");
    full.website = "http://example.org/";
    const std::string page = renderTargetSummaryHtml(list, 7);
    // What the user reads, in reading order; the markup around it is free.
    const std::vector<std::string> pieces = {
        ">Library of Test<",
        "127.0.0.1:9999/Default",
        "Result Count: 10",
        "Records Returned: 4",
        "Website: <a href=\"http://example.org/\" target=\"_new\">http://example.org/</a>",
        "Error Message: <span style=\"color:red;\">Database unavailable (109) X",
        "<a href=\"retry:7\">Retry</a>",
        "<a href=\"resume:7\">Resume</a>",
    };
    size_t at = 0;
    for (const std::string& piece : pieces) {
        at = page.find(piece, at);
        ASSERT_NE(at, std::string::npos) << "\"" << piece << "\" missing or out of order in\n"
                                         << page;
    }
    EXPECT_EQ(renderTargetSummaryHtml(list, 4), "");
}

TEST(TargetSummaryTest, RetryAndResumeConditions) {
    const struct {
        TargetState state;
        int32_t hits, retrieved;
        bool error;
        const char* lastError;
        bool retry, resume, errorLine;
    } cases[] = {
        {Finished, 10, 10, false, "", false, false, false},
        {Finished, 10, 4, false, "", false, true, false},
        {Running, 10, 4, false, "", false, false, false},
        {Pending, 10, 4, false, "", false, false, false},
        {Finished, 0, 0, true, "", true, false, false},
        {Finished, 0, 0, false, "stale text", false, false, false},
        {Running, 0, 0, true, "Connect failed (10000) x\n", true, false, true},
    };
    for (const auto& c : cases) {
        TargetList list;
        summaryTarget(list, 5, c.state, c.hits, c.retrieved, c.error, c.lastError);
        const std::string page = renderTargetSummaryHtml(list, 5);
        SCOPED_TRACE(page);
        EXPECT_EQ(contains(page, "<a href=\"retry:5\">Retry</a>"), c.retry);
        EXPECT_EQ(contains(page, "<a href=\"resume:5\">Resume</a>"), c.resume);
        EXPECT_EQ(contains(page, "Error Message"), c.errorLine);
        EXPECT_FALSE(contains(page, "Website"));
    }
}

TEST(TargetSummaryTest, TargetValuesCannotPlantMarkupOrLinks) {
    TargetList list;
    Target& target =
        summaryTarget(list, 2, Finished, 0, 0, true, "Bad <a href=\"resume:9\">here</a> (1) &x\n");
    target.name = "x < y & \"z\"";
    target.zurl = "host:1/<b>db</b>";
    target.website = "http://a.example/' onclick='x";
    const std::string page = renderTargetSummaryHtml(list, 2);
    EXPECT_TRUE(contains(page, "<div class=\"heading\">x &lt; y &amp; &quot;z&quot;</div>"));
    EXPECT_TRUE(contains(page, "<br />host:1/&lt;b&gt;db&lt;/b&gt;"));
    EXPECT_TRUE(
        contains(page, "<a href=\"http://a.example/&apos; onclick=&apos;x\" target=\"_new\">"));
    EXPECT_TRUE(contains(page, "Bad &lt;a href=&quot;resume:9&quot;&gt;here&lt;/a&gt; (1) &amp;x"));
    EXPECT_EQ(occurrences(page, "<a "), 2u) << page;  // the website and Retry
}

TEST(LinkActionTest, OnlyOwnLinksAndWebAddressesAct) {
    const struct {
        const char* address;
        LinkAction::Kind kind;
        int32_t id;
    } cases[] = {
        {"retry:7", LinkAction::Retry, 7},
        {"resume:12abc", LinkAction::Resume, 12},
        {"RESUME:3", LinkAction::Resume, 3},
        {"retry:", LinkAction::Retry, 0},
        {"retry:x5", LinkAction::Retry, 0},
        {"retry:99999999999", LinkAction::Ignore, 0},
        {"retryx:5", LinkAction::Ignore, 0},
        {"http://example.org/", LinkAction::OpenInBrowser, 0},
        {"HTTPS://example.org/", LinkAction::OpenInBrowser, 0},
        {"mailto:desk@example.org", LinkAction::OpenInBrowser, 0},
        {"javascript:alert(1)", LinkAction::Ignore, 0},
        {"file:///etc/passwd", LinkAction::Ignore, 0},
        {"about:blank", LinkAction::Ignore, 0},
        {"page.html", LinkAction::Ignore, 0},
        {"", LinkAction::Ignore, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        const LinkAction action = linkActionFor(c.address);
        EXPECT_EQ(action.kind, c.kind);
        EXPECT_EQ(action.targetId, c.id);
    }
}

// A Zebra serving one record whose title is written to break a page.
class RecordPagesZebraTest : public SharedServerTest<ZebraServer, RecordPagesZebraTest> {
protected:
    static void SetUpTestSuite() {
        start([] {
            TempDir dir;
            writeFileBytes(
                dir.file("hostile.mrc"),
                MarcBuilder()
                    .control("001", "hostile1")
                    .data("100", "1 ", {{'a', "Doe, Jane."}})
                    .data("245", "10",
                          {{'a', "x < y & \"z\" :"}, {'b', "<a href=\"retry:1\">go</a>"}})
                    .data("260", "  ", {{'a', "Oslo :"}, {'b', "Nord,"}, {'c', "2001."}})
                    .build());
            return std::make_unique<ZebraServer>(std::vector<std::string>{dir.file("hostile.mrc")});
        });
    }
};

TEST_F(RecordPagesZebraTest, WhatTheServerSendsShowsAsText) {
    SearchHarness harness(searchSettings());
    const std::vector<std::pair<std::string, std::string>> forms = {
        {"usmarc", "F"}, {"sutrs", "F"}, {"xml", "marcxml"},
        {"xml", "mods"}, {"xml", "dc"},  {"xml", "F"}};
    for (const auto& form : forms)
        harness.addTarget(form.first + "/" + form.second, server_->zurl("Default"), form.first,
                          form.second);
    // The server names the unknown database in its error text.
    const Target& failing =
        harness.addTarget("Broken", server_->zurl("x<a_href=\"retry:1\">"), "usmarc", "F");
    harness.start("@attr 1=12 hostile1");
    ASSERT_TRUE(harness.drain());

    SettingsData settings = searchSettings();
    CollectedMessages messages;
    const std::vector<Record> records = harness.doc->store.copyAll();
    ASSERT_EQ(records.size(), forms.size());
    for (const Record& record : records) {
        for (const char* display : {"YAZ", "XSL"}) {
            settings.MARCDisplayType = display;
            std::string html;
            ASSERT_TRUE(renderRecordHtml(harness.doc->store, record.number, settings, html));
            SCOPED_TRACE(record.targetName + " " + display + ": " + html);
            EXPECT_TRUE(contains(html, "x &lt; y &amp; "));
            EXPECT_TRUE(contains(html, "&lt;a href="));
            EXPECT_FALSE(contains(html, "<a "));
        }
    }
    EXPECT_TRUE(messages.texts().empty());

    const std::string summary = renderTargetSummaryHtml(harness.doc->targetList, failing.id);
    EXPECT_TRUE(contains(summary,
                         "<span style=\"color:red;\">Database unavailable (109) "
                         "x&lt;a_href=&quot;retry:1&quot;&gt;"))
        << summary;
    EXPECT_EQ(occurrences(summary, "<a "), 1u) << summary;
    EXPECT_TRUE(
        contains(summary, "<a href=\"retry:" + std::to_string(failing.id) + "\">Retry</a>"));
}

class RecordPagesZtestTest : public SharedServerTest<YazZtestServer, RecordPagesZtestTest> {};

TEST_F(RecordPagesZtestTest, OpacShowsItsHoldingsThroughTheCustomStylesheet) {
    Target target;
    target.id = 1;
    target.name = "ztest";
    const std::vector<ZoomRecordPtr> zoomed =
        zoomRecords(server_->zurl("Default"), "5", {{"preferredRecordSyntax", "opac"}}, 1);
    ASSERT_EQ(zoomed.size(), 1u);
    Record record = buildRecord(zoomed[0].get(), target, searchSettings());
    ASSERT_EQ(record.kind, Opac);

    SettingsData settings = searchSettings();
    settings.MARCDisplayType = "XSL";
    const std::string html = pageOf(record, settings);
    EXPECT_TRUE(contains(html, "<h1>How to program a computer</h1>")) << html;
    EXPECT_TRUE(contains(html, "<h2>Holdings</h2>"));
    EXPECT_TRUE(contains(html, "Call number</td><td>MLCM 89/00602 (N)</td>")) << html;
    settings.MARCDisplayType = "YAZ";
    EXPECT_EQ(pageOf(record, settings), preformattedPage(record.renderedText));
}
