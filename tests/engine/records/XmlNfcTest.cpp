// XML records other than MARC come composed, in their brief fields, their
// pages and what is written of them, whatever form the server sent.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Marc8Records.h"
#include "Marc8Zebra.h"
#include "MarcBuilder.h"
#include "TestSettings.h"
#include "TestSupport.h"
#include "ZoomSearch.h"
#include "display/RecordPages.h"
#include "protocol/sru/SruRecords.h"
#include "protocol/z3950/Z3950Records.h"
#include "records/ResultStore.h"
#include "marc/UnicodeNfc.h"

namespace {

// "Amélie" with its accent apart, as text and as a character reference.
const std::string kDecomposed = "Ame\xCC\x81lie";
const std::string kReference = "Ame&#x301;lie";
const std::string kComposed = "Am\xC3\xA9lie";

const std::string kDublinCore =
    "<srw_dc:dc xmlns:srw_dc=\"info:srw/schema/1/dc-schema\" "
    "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Le destin d'" +
    kDecomposed + "</dc:title><dc:creator>" + kReference +
    ", Jeanne</dc:creator><dc:date>2001</dc:date></srw_dc:dc>";

const std::string kMods = "<mods xmlns=\"http://www.loc.gov/mods/v3\"><titleInfo><title>" +
                          kReference + "</title></titleInfo><name><namePart>" + kDecomposed +
                          "</namePart></name></mods>";

}  // namespace

TEST(XmlNfcTest, DublinCoreAndModsAreComposedInListPageAndText) {
    const SettingsData settings = searchSettings();
    ResultStore store;
    for (const std::string& xml : {kDublinCore, kMods}) {
        SCOPED_TRACE(xml);
        std::vector<Record> got = buildSruRecords(xml, Target(), settings);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_NE(got[0].title.find(kComposed), std::string::npos) << got[0].title;
        EXPECT_NE(got[0].author.find(kComposed), std::string::npos) << got[0].author;
        // The stored text, which the page and the exports are made of.
        EXPECT_EQ(got[0].xmlText.find(kDecomposed), std::string::npos);
        store.add(got[0]);
    }
    std::string page;
    ASSERT_TRUE(renderRecordHtml(store, 1, settings, page));
    EXPECT_NE(page.find(kComposed), std::string::npos) << page;
    EXPECT_EQ(page.find("e\xCC\x81"), std::string::npos);
}

TEST(XmlNfcTest, MarcXmlTooLongForIso2709IsKeptComposed) {
    std::string xml =
        "<record xmlns=\"http://www.loc.gov/MARC21/slim\"><leader>00000nam a2200000 a "
        "4500</leader><datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield code=\"a\">" +
        kDecomposed + "</subfield></datafield>";
    for (int i = 0; i < 120; ++i)
        xml += "<datafield tag=\"500\" ind1=\" \" ind2=\" \"><subfield code=\"a\">" +
               std::string(1000, 'n') + "</subfield></datafield>";
    xml += "</record>";
    const std::vector<Record> got = buildSruRecords(xml, Target(), searchSettings());
    ASSERT_EQ(got.size(), 1u);
    ASSERT_EQ(got[0].xmlSchema, MarcXml);
    EXPECT_EQ(got[0].xmlText.find(kDecomposed), std::string::npos);
    EXPECT_NE(got[0].xmlText.find(kComposed), std::string::npos);
}

TEST(XmlNfcTest, OtherSchemasAreComposedAndMarkupStaysWhole) {
    // ">" and a combining long solidus would make one character of their own.
    const std::string xml = "<book><t>" + kDecomposed + "</t><x>\xCC\xB8</x></book>";
    const std::vector<Record> got = buildSruRecords(xml, Target(), searchSettings());
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].xmlText, "<book><t>" + kComposed + "</t><x>\xCC\xB8</x></book>");
    // Declared in another encoding, the bytes are not UTF-8 text to compose.
    const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>e\xCC\x81</t>";
    EXPECT_EQ(toNfcXml(latin1), latin1);
}

// A Zebra that keeps MARC-8 records sends their XML forms with the accents apart.
TEST(XmlNfcTest, XmlFormsOfAMarc8CatalogueAreComposed) {
    TempDir dir;
    writeFileBytes(dir.file("marc8.mrc"), toMarc8(MarcBuilder("00000nam a2200000 a 4500")
                                                      .control("001", "nfc-1")
                                                      .data("245", "10", {{'a', kDecomposed}})
                                                      .build()));
    const std::unique_ptr<ZebraServer> zebra = marc8Zebra({dir.file("marc8.mrc")});
    Target target;
    target.recsyntax = "xml";
    for (const char* elementSet : {"dc", "mods"}) {
        SCOPED_TRACE(elementSet);
        target.elementsetname = elementSet;
        const std::vector<ZoomRecordPtr> got =
            zoomRecords(zebra->zurl("Default"), "@attr 1=12 nfc-1",
                        {{"preferredRecordSyntax", "xml"}, {"elementSetName", elementSet}}, 1);
        ASSERT_EQ(got.size(), 1u);
        const Record record = buildRecord(got[0].get(), target, searchSettings());
        EXPECT_NE(record.title.find(kComposed), std::string::npos) << record.title;
        EXPECT_EQ(record.xmlText.find(kDecomposed), std::string::npos) << record.xmlText;
    }
}
