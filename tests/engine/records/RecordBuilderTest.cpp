// buildRecord on records real servers sent: Zebra for the bibliographic kinds,
// yaz-ztest for OPAC and GRS-1.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MarcCorpus.h"
#include "SharedServerTest.h"
#include "TestSupport.h"
#include "TextChecks.h"
#include "YazZtestServer.h"
#include "ZebraServer.h"
#include "ZoomSearch.h"
#include "records/MarcForms.h"
#include "protocol/z3950/Z3950Records.h"
#include "settings/SettingsDefaults.h"

namespace {

Target catalogueTarget(const std::string& recsyntax, const std::string& elementSet) {
    Target target;
    target.id = 7;
    target.name = "Local catalogue";
    target.recsyntax = recsyntax;
    target.elementsetname = elementSet;
    return target;
}

// Fetches the first record as the target asks for it, unless fetchSyntax says
// otherwise, and builds it with the fresh-installation settings.
Record fetchAndBuild(const std::string& zurl, const std::string& pqf, const Target& target,
                     const std::string& fetchSyntax = "") {
    std::map<std::string, std::string> options{
        {"preferredRecordSyntax", fetchSyntax.empty() ? target.recsyntax : fetchSyntax}};
    if (!target.elementsetname.empty()) options["elementSetName"] = target.elementsetname;
    ZoomSearchResult result;
    const std::vector<ZoomRecordPtr> records = zoomRecords(zurl, pqf, options, 1, &result);
    EXPECT_EQ(result.error, 0) << result.errorText;
    if (records.size() != 1 || !records[0]) {
        ADD_FAILURE() << "no record for " << target.recsyntax << "/" << target.elementsetname;
        return Record();
    }
    return buildRecord(records[0].get(), target, freshInstallationSettings("targets.xml"));
}

// "Łódź i okolice :" -> "Łódź i okolice"; the forms other than ISO 2709 drop
// the ISBD punctuation.
std::string bare(std::string text) {
    while (!text.empty() && (text.back() == ':' || text.back() == '/' || text.back() == '.' ||
                             text.back() == ',' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string yearOf(const std::string& dateC) {
    const size_t at = dateC.find_first_of("0123456789");
    return at == std::string::npos ? std::string() : dateC.substr(at, 4);
}

void expectNoBriefFields(const Record& record) {
    EXPECT_EQ(record.title, "");
    EXPECT_EQ(record.author, "");
    EXPECT_EQ(record.date, "");
}

}  // namespace

class RecordBuilderZebraTest : public DemoZebraTest<RecordBuilderZebraTest> {
protected:
    // A record with every brief field in play: a 100 with dates, a 245 $b, a 260.
    static const CorpusRecord& fullRecord() {
        for (const CorpusRecord& rec : demoCorpus().records())
            if (rec.authorTag == 100 && rec.publicationTag == 260 && !rec.titleB.empty())
                return rec;
        throw std::logic_error("the demo corpus has no record with 100, 245 $b and 260");
    }

    Record build(const Target& target, const std::string& fetchSyntax = "") {
        return fetchAndBuild(server_->zurl("Default"), "@attr 1=12 " + fullRecord().controlNumber,
                             target, fetchSyntax);
    }
};

TEST_F(RecordBuilderZebraTest, UsmarcKeepsTheExactBytesAndItsBriefFields) {
    const CorpusRecord& rec = fullRecord();
    Record record = build(catalogueTarget("usmarc", "F"));
    EXPECT_EQ(record.kind, Marc);
    EXPECT_EQ(record.syntax, "usmarc");
    EXPECT_EQ(record.rawData, rec.iso2709);
    EXPECT_TRUE(record.formsDeferred);
    completeRecordForms(record);
    EXPECT_TRUE(contains(record.xmlText, "<record")) << record.xmlText;
    EXPECT_FALSE(record.renderedText.empty());
    // The whole 245: $a, $b and any statement of responsibility.
    EXPECT_EQ(record.title.rfind(rec.titleA + " " + rec.titleB, 0), 0u) << record.title;
    EXPECT_EQ(record.author.rfind(rec.authorA + " ", 0), 0u) << record.author;
    EXPECT_EQ(record.date, rec.dateC);
    EXPECT_EQ(record.targetId, 7);
    EXPECT_EQ(record.targetName, "Local catalogue");
    EXPECT_EQ(record.number, 0);
}

TEST_F(RecordBuilderZebraTest, Marc21AnsweredAsUsmarcIsMarc) {
    const Record record = build(catalogueTarget("marc21", "B"));
    EXPECT_EQ(record.kind, Marc);
    EXPECT_EQ(record.rawData, fullRecord().iso2709);
}

TEST_F(RecordBuilderZebraTest, EachXmlSchemaYieldsTitleAuthorAndDate) {
    const CorpusRecord& rec = fullRecord();
    const struct {
        const char* elementSet;
        XmlSchema schema;
    } cases[] = {{"marcxml", MarcXml}, {"mods", Mods}, {"dc", DublinCore}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elementSet);
        const Record record = build(catalogueTarget("xml", c.elementSet));
        EXPECT_EQ(record.kind, Xml);
        EXPECT_EQ(record.xmlSchema, c.schema);
        EXPECT_TRUE(record.rawData.empty());
        EXPECT_TRUE(contains(record.title, bare(rec.titleA))) << record.title;
        EXPECT_TRUE(contains(record.author, bare(rec.authorA))) << record.author;
        EXPECT_TRUE(contains(record.date, yearOf(rec.dateC))) << record.date;
    }
}

TEST_F(RecordBuilderZebraTest, XmlUnderAnotherElementSetHasNoBriefFields) {
    const Record record = build(catalogueTarget("xml", "F"));
    EXPECT_EQ(record.kind, Xml);
    EXPECT_EQ(record.xmlSchema, OtherXml);
    EXPECT_TRUE(contains(record.xmlText, "MARC21/slim"));
    expectNoBriefFields(record);
}

TEST_F(RecordBuilderZebraTest, SutrsFieldsComeFromTheDefaultPatterns) {
    const CorpusRecord& rec = fullRecord();
    const Record record = build(catalogueTarget("sutrs", "F"));
    EXPECT_EQ(record.kind, Sutrs);
    EXPECT_TRUE(contains(record.title, bare(rec.titleA))) << record.rawData;
    EXPECT_TRUE(contains(record.author, bare(rec.authorA))) << record.rawData;
    EXPECT_TRUE(contains(record.date, yearOf(rec.dateC))) << record.rawData;
    EXPECT_FALSE(contains(record.title, "\n"));
}

TEST_F(RecordBuilderZebraTest, TheRecordsSyntaxDecidesNotTheTargets) {
    const Record record = build(catalogueTarget("xml", "dc"), "sutrs");
    EXPECT_EQ(record.kind, Sutrs);
    EXPECT_EQ(record.syntax, "sutrs");
    EXPECT_FALSE(record.title.empty());
}

class RecordBuilderZtestTest : public SharedServerTest<YazZtestServer, RecordBuilderZtestTest> {};

TEST_F(RecordBuilderZtestTest, OpacKeepsItsXmlAndRawFormsButNoBriefFields) {
    const Record record = fetchAndBuild(server_->zurl("Default"), "5", catalogueTarget("opac", ""));
    EXPECT_EQ(record.kind, Opac);
    EXPECT_TRUE(contains(record.xmlText, "<holdings>")) << record.xmlText;
    EXPECT_FALSE(record.rawData.empty());
    EXPECT_FALSE(record.renderedText.empty());
    expectNoBriefFields(record);
}

TEST_F(RecordBuilderZtestTest, Grs1IsRenderedOnly) {
    const Record record =
        fetchAndBuild(server_->zurl("Default"), "5", catalogueTarget("grs1", "F"));
    EXPECT_EQ(record.kind, Grs1);
    EXPECT_EQ(record.syntax, "grs-1");
    EXPECT_TRUE(record.xmlText.empty());
    EXPECT_TRUE(record.rawData.empty());
    EXPECT_TRUE(contains(record.renderedText, "GRS-1 test record 1")) << record.renderedText;
    expectNoBriefFields(record);
}

TEST_F(RecordBuilderZtestTest, SutrsWithoutLabelsLeavesTheFieldsEmpty) {
    const Record record =
        fetchAndBuild(server_->zurl("Default"), "5", catalogueTarget("sutrs", ""));
    EXPECT_EQ(record.kind, Sutrs);
    EXPECT_EQ(record.rawData, "This is dummy SUTRS record number 1\n");
    expectNoBriefFields(record);
}

namespace {
// The deferred forms must be byte for byte what the toolkit itself delivers.
void expectDeferredFormsMatchTheToolkit(const std::string& zurl, const std::string& pqf) {
    const std::vector<ZoomRecordPtr> records =
        zoomRecords(zurl, pqf, {{"preferredRecordSyntax", "usmarc"}}, 5);
    ASSERT_FALSE(records.empty());
    for (const ZoomRecordPtr& zoomRecord : records) {
        auto form = [&](const char* type) {
            int length = 0;
            const char* data = ZOOM_record_get(zoomRecord.get(), type, &length);
            return data ? std::string(data, static_cast<size_t>(length)) : std::string();
        };
        Record record = buildRecord(zoomRecord.get(), catalogueTarget("usmarc", ""),
                                    freshInstallationSettings("targets.xml"));
        completeRecordForms(record);
        EXPECT_EQ(record.xmlText, form("xml"));
        EXPECT_EQ(record.renderedText, form("render"));
        EXPECT_FALSE(record.formsDeferred);
    }
}
}  // namespace

TEST_F(RecordBuilderZebraTest, DeferredMarcFormsEqualTheToolkitsUtf8) {
    expectDeferredFormsMatchTheToolkit(server_->zurl("Default"),
                                       std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
}

TEST_F(RecordBuilderZtestTest, DeferredMarcFormsEqualTheToolkitsMarc8) {
    expectDeferredFormsMatchTheToolkit(server_->zurl("Default"), "5");
}

TEST(MarcFormsTest, BytesThatAreNotIso2709GiveNoForms) {
    EXPECT_EQ(marcToXml("not a record"), "");
    EXPECT_EQ(marcToText(""), "");
    Record sutrs;
    sutrs.kind = Sutrs;
    sutrs.renderedText = "kept";
    completeRecordForms(sutrs);
    EXPECT_EQ(sutrs.renderedText, "kept");
}
