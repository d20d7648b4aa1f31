// MARCXML from SRU against the same records in ISO 2709, over every MARC
// corpus of the repository: the same brief fields, pages and exported bytes.
#include <gtest/gtest.h>
#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

#include <string>
#include <vector>

#include "TestSettings.h"
#include "TestSupport.h"
#include "records/BriefMarcHandler.h"
#include "marc/Iso2709Splitter.h"
#include "marc/MarcCharset.h"
#include "records/MarcForms.h"
#include "protocol/sru/SruRecords.h"
#include "records/ResultStore.h"
#include "records/SruRecord.h"
#include "protocol/sru/SruResponse.h"
#include "export/AssembleRecords.h"
#include "export/ManyRecordFile.h"

namespace {

// The record as an SRU server sends it: MARCXML, in UTF-8.
std::string asMarcXml(std::string_view iso2709) {
    yaz_marc_t marc = yaz_marc_create();
    const MarcCharset charset = marcCharset(iso2709);
    yaz_iconv_t cd = charset == MarcCharset::Marc8      ? yaz_iconv_open("utf-8", "marc8")
                     : charset == MarcCharset::Utf8Latin1 ? yaz_iconv_open("utf-8", "iso-8859-1")
                                                          : nullptr;
    yaz_marc_iconv(marc, cd);
    yaz_marc_xml(marc, YAZ_MARC_MARCXML);
    WRBUF out = wrbuf_alloc();
    std::string xml;
    if (yaz_marc_decode_wrbuf(marc, iso2709.data(), static_cast<int>(iso2709.size()), out) > 0)
        xml = wrbuf_cstr(out);
    wrbuf_destroy(out);
    if (cd) yaz_iconv_close(cd);
    yaz_marc_destroy(marc);
    return xml;
}

std::string brief(const BriefMarcHandler& b) { return b.title + "|" + b.author + "|" + b.date; }

}  // namespace

TEST(SruRecordTest, MarcXmlListsShowsAndExportsAsItsIso2709Does) {
    Target target;
    const SettingsData settings = searchSettings();
    size_t compared = 0;
    size_t readOnTheWay = 0;
    for (const char* file :
         {"data/demo/demo.mrc", "tests/data/marc/zebra-sample-marc.mrc",
          "tests/data/marc/loc-opera.mrc", "tests/data/marc/loc-opera-marc8.mrc",
          "tests/data/marc/loc-bibliographic.mrc", "tests/data/marc/loc-names.mrc",
          "tests/data/marc/marc4j-chabon.mrc", "tests/data/marc/rubina-marc8.mrc"}) {
        const std::string bytes = readFileBytes(sourcePath(file));
        // The same records as elements of one response, read in its own pass.
        std::string response = "<searchRetrieveResponse><records>";
        std::vector<std::string> made;
        for (const std::string_view iso : splitIso2709(bytes)) {
            const std::string xml = asMarcXml(iso);
            if (xml.empty()) continue;
            SCOPED_TRACE(std::string(file) + ": " + xml.substr(0, 300));
            const std::string want = brief(briefMarcFields(iso));
            // Kept as MARCXML (too long for ISO 2709), and made into ISO 2709.
            EXPECT_EQ(brief(briefMarcXmlFields(xml)), want);
            std::vector<Record> got = buildSruRecords(xml, target, settings);
            ASSERT_EQ(got.size(), 1u);
            EXPECT_EQ(got[0].title + "|" + got[0].author + "|" + got[0].date, want);
            if (iso[9] != 'a') continue;
            Record same;
            same.kind = Marc;
            same.rawData = std::string(iso);
            same.formsDeferred = true;
            completeRecordForms(same);
            completeRecordForms(got[0]);
            EXPECT_EQ(got[0].rawData, same.rawData);
            EXPECT_EQ(got[0].xmlText, same.xmlText);
            EXPECT_EQ(got[0].renderedText, same.renderedText);
            ++compared;
            response += "<record><recordData>" + xml + "</recordData></record>";
            made.push_back(got[0].rawData);
        }
        const SruSearchResponse read =
            parseSruSearchResponse(response + "</records></searchRetrieveResponse>");
        ASSERT_EQ(read.records.size(), made.size());
        for (size_t i = 0; i < made.size(); ++i)
            if (!read.records[i].iso2709.empty()) {
                EXPECT_EQ(read.records[i].iso2709, std::vector<std::string>{made[i]});
                ++readOnTheWay;
            }
    }
    EXPECT_GT(compared, 400u);
    EXPECT_GT(readOnTheWay, 400u);
}

TEST(SruRecordTest, ARecordTooLongForIso2709StaysWholeAsMarcXml) {
    std::string xml =
        "<record xmlns=\"http://www.loc.gov/MARC21/slim\"><leader>00000nam a2200000 a "
        "4500</leader><datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield "
        "code=\"a\">Long :</subfield><subfield code=\"b\">notes.</subfield></datafield>";
    for (int i = 0; i < 150; ++i)
        xml += "<datafield tag=\"500\" ind1=\" \" ind2=\" \"><subfield code=\"a\">" +
               std::string(1000, 'a' + i % 26) + "</subfield></datafield>";
    xml += "</record>";
    Target target;
    std::vector<Record> got = buildSruRecords(xml, target, searchSettings());
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].kind, Xml);
    EXPECT_EQ(got[0].xmlSchema, MarcXml);
    EXPECT_EQ(got[0].xmlText, xml);
    EXPECT_EQ(got[0].title, "Long : notes.");

    ResultStore store;
    store.add(got[0]);
    ExportProgress progress;
    const AssembledFile marc = assembleRecords(store, {1}, FileExportKind::Marc, "", progress);
    EXPECT_EQ(
        recordsWrittenText(FileExportKind::Marc, marc.written, marc.skipped, marc.tooLongForMarc),
        "0 records written, 1 skipped: not MARC (1 MARCXML too long for ISO 2709; export "
        "them as XML)");
    const AssembledFile asXml = assembleRecords(store, {1}, FileExportKind::Xml, "", progress);
    EXPECT_EQ(asXml.written, 1u);
    EXPECT_NE(asXml.bytes.find(std::string(1000, 'a' + 149 % 26)), std::string::npos);
}
