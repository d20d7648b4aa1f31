// A catalogue that sends MARC-8: the list, both record pages and the MARCXML
// show the letters the records hold, and the stored bytes stay MARC-8.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "CollectedMessages.h"
#include "Marc8Zebra.h"
#include "SearchHarness.h"
#include "SharedServerTest.h"
#include "TextChecks.h"
#include "ZoomSearch.h"
#include "display/RecordPages.h"
#include "xml/XmlDocument.h"
#include "records/BriefMarcHandler.h"
#include "marc/Iso2709Splitter.h"
#include "records/MarcForms.h"
#include "marc/UnicodeNfc.h"

namespace {

const char* const kAllRecords = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";
// "Синдром Петрушки" and "Рубина, Дина.", from the Cyrillic record.
const std::string kSindrom =
    "\xD0\xA1\xD0\xB8\xD0\xBD\xD0\xB4\xD1\x80\xD0\xBE\xD0\xBC "
    "\xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD1\x83\xD1\x88\xD0\xBA\xD0\xB8";
const std::string kRubina =
    "\xD0\xA0\xD1\x83\xD0\xB1\xD0\xB8\xD0\xBD\xD0\xB0, \xD0\x94\xD0\xB8\xD0\xBD\xD0\xB0.";

class Marc8SearchTest : public SharedServerTest<ZebraServer, Marc8SearchTest> {
protected:
    static void SetUpTestSuite() {
        start([] {
            return marc8Zebra({sourcePath("tests/data/marc/loc-opera-marc8.mrc"),
                               sourcePath("tests/data/marc/rubina-marc8.mrc")});
        });
    }
};

// The UTF-8 originals of the MARC-8 opera records, by 001; a later record with
// the same number replaces an earlier one, as it does in the catalogue.
std::map<std::string, std::string> operaOriginals() {
    const std::string bytes = readFileBytes(sourcePath("tests/data/marc/loc-opera.mrc"));
    std::map<std::string, std::string> byNumber;
    for (const std::string_view record : splitIso2709(bytes))
        byNumber[controlNumberOf(std::string(record))] = std::string(record);
    return byNumber;
}

}  // namespace

TEST_F(Marc8SearchTest, ListPagesAndMarcXmlShowTheRecordsLetters) {
    const std::string zurl = server_->zurl("Default");
    SearchHarness h(searchSettings(100, 1000, 2));
    h.addTarget("MARC-8 catalogue", zurl, "USMARC", "F");
    h.start(kAllRecords);
    ASSERT_TRUE(h.drain());
    ASSERT_EQ(h.doc->store.count(), 44u);

    // What the toolkit itself makes of the same records with "charset=marc8,utf-8",
    // composed.
    std::map<std::string, std::pair<std::string, std::string>> toolkit;
    for (const ZoomRecordPtr& r : zoomRecords(
             zurl, kAllRecords, {{"preferredRecordSyntax", "usmarc"}, {"elementSetName", "F"}}, 44))
        toolkit[controlNumberOf(form(r.get(), "raw"))] = {
            toNfc(form(r.get(), "xml; charset=marc8,utf-8")),
            toNfc(form(r.get(), "render; charset=marc8,utf-8"))};
    ASSERT_EQ(toolkit.size(), 44u);

    const std::map<std::string, std::string> originals = operaOriginals();
    int accented = 0;
    for (int32_t number = 1; number <= 44; ++number) {
        Record record;
        ASSERT_TRUE(h.doc->store.copyRecord(number, record));
        const std::string id = controlNumberOf(record.rawData);
        SCOPED_TRACE(id);
        ASSERT_GT(record.rawData.size(), 24u);
        EXPECT_EQ(record.rawData[9], ' ');  // kept as the server sent it
        EXPECT_EQ(record.xmlText, toolkit[id].first);
        EXPECT_EQ(record.renderedText, toolkit[id].second);
        XmlDocument parsed;
        parsed.loadXml(record.xmlText);
        EXPECT_EQ(parsed.parseErrorCode(), 0);

        const auto original = originals.find(id);
        if (original == originals.end()) continue;  // the two Cyrillic ones, below
        const BriefMarcHandler want = briefMarcFields(original->second);
        EXPECT_EQ(record.title, want.title);
        EXPECT_EQ(record.author, want.author);
        EXPECT_EQ(record.date, want.date);
        if (hasNonAscii(want.title + want.author)) ++accented;
    }
    EXPECT_GE(accented, 10);

    // The Cyrillic record: in the list, and on both pages.
    CollectedMessages messages;
    SettingsData settings = searchSettings();
    settings.MARCCustomXSL = sourcePath("data/xsl/marcxml.xsl");
    for (int32_t number = 1; number <= 44; ++number) {
        Record record;
        ASSERT_TRUE(h.doc->store.copyRecord(number, record));
        if (controlNumberOf(record.rawData) != "u5278992c") continue;
        EXPECT_EQ(record.title.substr(0, kSindrom.size()), kSindrom);
        EXPECT_EQ(record.author, kRubina);
        EXPECT_NE(record.rawData.find("\x1B(N"), std::string::npos);
        for (const char* mode : {"XSL", "Default"}) {
            settings.MARCDisplayType = mode;
            std::string page;
            ASSERT_TRUE(renderRecordHtml(h.doc->store, number, settings, page));
            EXPECT_NE(page.find(kSindrom), std::string::npos) << mode << "\n" << page;
            EXPECT_NE(page.find(kRubina), std::string::npos) << mode;
        }
    }
    EXPECT_TRUE(messages.texts().empty());
}
