#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "MarcBuilder.h"
#include "TestSupport.h"
#include "TextChecks.h"
#include "records/BriefMarcHandler.h"
#include "marc/Iso2709Splitter.h"
#include "marc/MarcCharset.h"
#include "records/MarcForms.h"
#include "marc/ScreenText.h"
#include "marc/Utf8.h"
#include "xml/XmlDocument.h"

namespace {

std::vector<std::string> recordsOf(const std::string& file) {
    const std::string bytes = readFileBytes(sourcePath("tests/data/marc/" + file));
    std::vector<std::string> records;
    for (const std::string_view record : splitIso2709(bytes)) records.emplace_back(record);
    return records;
}

bool parses(const std::string& xml) {
    XmlDocument document;
    document.loadXml(xml);
    return document.parseErrorCode() == 0;
}

TEST(MarcCharsetTest, LeaderBlankMeansMarc8UnlessTheBytesAreUtf8) {
    const auto record = [](char position9, const std::string& title) {
        std::string leader = "00000nam a2200000 a 4500";
        leader[9] = position9;
        return MarcBuilder(leader).data("245", "10", {{'a', title}}).build();
    };
    EXPECT_EQ(marcCharset(record(' ', "Plain \x1B(NtEXT\x1B(B")), MarcCharset::Marc8);
    EXPECT_EQ(marcCharset(record(' ', "Bo\xE3heme")), MarcCharset::Marc8);
    EXPECT_EQ(marcCharset(record(' ', "Boh\xC3\xA8me")), MarcCharset::Utf8);
    // Labelled UTF-8 (or anything but blank) yet not UTF-8: MARC-8 reads it.
    EXPECT_EQ(marcCharset(record('a', "Bo\xE3heme")), MarcCharset::Marc8);
    EXPECT_EQ(marcCharset(record('#', "Bo\xE3heme")), MarcCharset::Marc8);
    EXPECT_EQ(marcCharset(record('a', "Boh\xC3\xA8me")), MarcCharset::Utf8);
    EXPECT_EQ(marcCharset("00000nam "), MarcCharset::Utf8);

    // Real name authority records with a blank position 9 and UTF-8 letters.
    int mislabelled = 0;
    for (const std::string& names : recordsOf("loc-names.mrc")) {
        ASSERT_EQ(names[9], ' ');
        if (!hasNonAscii(names)) continue;
        ++mislabelled;
        EXPECT_EQ(marcCharset(names), MarcCharset::Utf8);
        const BriefMarcHandler brief = briefMarcFields(names);
        EXPECT_TRUE(isUtf8(brief.author)) << brief.author;
        EXPECT_NE(marcToXml(names).find(brief.author.substr(0, brief.author.find(','))),
                  std::string::npos);
    }
    EXPECT_EQ(mislabelled, 8);
}

// The MARC-8 file is the UTF-8 one converted by the toolkit, so the list must
// show what the UTF-8 original gives (the forms: Marc8SearchTest).
TEST(MarcCharsetTest, Marc8RecordsShowWhatTheirUtf8OriginalsShow) {
    const auto marc8 = recordsOf("loc-opera-marc8.mrc");
    const auto utf8 = recordsOf("loc-opera.mrc");
    ASSERT_EQ(marc8.size(), 43u);
    ASSERT_EQ(utf8.size(), marc8.size());
    int accented = 0;
    for (size_t i = 0; i < marc8.size(); ++i) {
        ASSERT_EQ(marcCharset(marc8[i]), MarcCharset::Marc8) << i;
        const BriefMarcHandler got = briefMarcFields(marc8[i]);
        const BriefMarcHandler want = briefMarcFields(utf8[i]);
        EXPECT_EQ(got.title, want.title) << i;
        EXPECT_EQ(got.author, want.author) << i;
        EXPECT_EQ(got.date, want.date) << i;
        if (hasNonAscii(want.title + want.author)) ++accented;
    }
    EXPECT_GE(accented, 10);
    // "Costa, Maria Aída B." in 100, stored as MARC-8 0xE2 'i', shown composed.
    EXPECT_EQ(briefMarcFields(marc8[28]).author,
              "Costa, Maria A\xC3\xAD"
              "da B.");
}

TEST(MarcCharsetTest, CyrillicInMarc8Escapes) {
    const auto records = recordsOf("rubina-marc8.mrc");
    ASSERT_EQ(records.size(), 2u);
    for (const std::string& record : records) ASSERT_NE(record.find('\x1B'), std::string::npos);

    // Cyrillic in the main fields reaches the list.
    const BriefMarcHandler brief = briefMarcFields(records[1]);
    EXPECT_EQ(brief.title,
              "\xD0\xA1\xD0\xB8\xD0\xBD\xD0\xB4\xD1\x80\xD0\xBE\xD0\xBC "
              "\xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD1\x83\xD1\x88\xD0\xBA\xD0\xB8 : "
              "\xD1\x80\xD0\xBE\xD0\xBC\xD0\xB0\xD0\xBD / "
              "\xD0\x94\xD0\xB8\xD0\xBD\xD0\xB0 \xD0\xA0\xD1\x83\xD0\xB1\xD0\xB8\xD0\xBD\xD0\xB0.");
    EXPECT_EQ(brief.author,
              "\xD0\xA0\xD1\x83\xD0\xB1\xD0\xB8\xD0\xBD\xD0\xB0, "
              "\xD0\x94\xD0\xB8\xD0\xBD\xD0\xB0.");
    EXPECT_EQ(brief.date, "2010 \xD0\xB3.");

    // The Library of Congress record: Latin main fields, Cyrillic in 880.
    const std::string moskva = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";
    const std::string eksmo = "\xC4\x96ksmo";
    EXPECT_EQ(briefMarcFields(records[0]).title, "880-01 Sindrom Petrushki : roman / Dina Rubina.");
    const std::string xml = marcToXml(records[0]);
    const std::string text = marcToText(records[0]);
    EXPECT_TRUE(parses(xml));
    for (const std::string& form : {xml, text}) {
        EXPECT_NE(form.find("<subfield code=\"a\">" + moskva + " :</subfield>") == std::string::npos
                      ? form.find("$a " + moskva + " :")
                      : 0,
                  std::string::npos);
        EXPECT_NE(form.find(eksmo), std::string::npos);
        EXPECT_EQ(form.find('\x1B'), std::string::npos);
    }
}

TEST(MarcCharsetTest, Utf8RecordsKeepTheirBytesAndTheXmlStaysWellFormed) {
    const std::string title =
        "Fran\xE7"
        "ais \x88The\x89 cat \xEF\xBF\xBF";
    const std::string record = MarcBuilder("00000nam a2200000 a 4500")
                                   .data("100", "1 ", {{'a', "Dvo\xC5\x99\xC3\xA1k"}})
                                   .data("245", "10", {{'a', title}})
                                   .build();
    // Neither UTF-8 nor MARC-8: the stray bytes are read as Latin-1.
    const BriefMarcHandler brief = briefMarcFields(record);
    EXPECT_EQ(brief.title,
              "Fran\xC3\xA7"
              "ais \xC2\x98The\xC2\x9C cat \xEF\xBF\xBF");
    EXPECT_EQ(brief.author, "Dvo\xC5\x99\xC3\xA1k");
    EXPECT_EQ(screenText(brief.title),
              "Fran\xC3\xA7"
              "ais The cat \xEF\xBF\xBF");
    EXPECT_NE(marcToText(record).find(brief.title), std::string::npos);

    const std::string xml = marcToXml(record);
    EXPECT_TRUE(parses(xml)) << xml;
    EXPECT_NE(xml.find("Fran\xC3\xA7"
                       "ais \xC2\x98The\xC2\x9C cat \xEF\xBF\xBD"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("Dvo\xC5\x99\xC3\xA1k"), std::string::npos);

    // An escape left open in one text does not change the next.
    EXPECT_EQ(marcTextToUtf8("x\x1B(N", MarcCharset::Marc8), "x");
    EXPECT_EQ(marcTextToUtf8("caf\xE2"
                             "e",
                             MarcCharset::Marc8),
              "caf\xC3\xA9");  // composed

    // MARC-8 markers come through the toolkit as U+0098 and U+009C.
    const std::string marc8 = MarcBuilder("00000nam  2200000 a 4500")
                                  .data("245", "10",
                                        {{'a',
                                          "\x88The \x89"
                                          "cat"}})
                                  .build();
    EXPECT_EQ(briefMarcFields(marc8).title,
              "\xC2\x98The \xC2\x9C"
              "cat");
    EXPECT_EQ(screenText(briefMarcFields(marc8).title), "The cat");
}

TEST(MarcCharsetTest, DamagedRecordsStillGiveWellFormedXml) {
    // A MARC-8 combining mark as indicator and subfield code: the decoder holds it
    // back across the markup.
    const std::string marks = MarcBuilder("00000nam  2200000 a 4500")
                                  .raw("245", "\xF6\xF6\x1F\xF6Title\x1E")
                                  .data("260", "  ", {{'c', "1993."}})
                                  .build();
    // Directory bytes that the toolkit copies into a comment.
    std::string dashes = MarcBuilder("00000nam a2200000 a 4500")
                             .data("100", "1 ", {{'a', "Name"}})
                             .data("245", "10", {{'a', "Title"}})
                             .build();
    dashes.replace(36, 12, "0-- --> <&--");
    // Subfields shorter than the identifier length of 9 the leader gives.
    const std::string shortCodes = MarcBuilder("00000nam a2900000 a 4500")
                                       .raw("245",
                                            "10\x1F"
                                            "a\x1F"
                                            "b\x1F"
                                            "cx\x1E")
                                       .build();
    for (const std::string& record : {marks, dashes, shortCodes}) {
        const std::string xml = marcToXml(record);
        EXPECT_TRUE(parses(xml)) << xml;
        EXPECT_NE(xml.find("<leader>"), std::string::npos) << xml;
    }
    EXPECT_NE(marcToXml(marks).find("1993."), std::string::npos);
    EXPECT_NE(marcToXml(dashes).find(">Name<"), std::string::npos);
}

// Whatever a catalogue sends, the MARCXML form is either empty or well-formed.
TEST(MarcCharsetTest, EveryRealRecordGivesWellFormedXml) {
    const std::filesystem::path folder = sourcePath("tests/data/marc");
    size_t records = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".mrc") continue;
        for (const std::string& record : recordsOf(entry.path().filename().string())) {
            ++records;
            const std::string xml = marcToXml(record);
            EXPECT_TRUE(xml.empty() || parses(xml)) << entry.path().filename() << " " << records;
            EXPECT_TRUE(isUtf8(marcToText(record)) || marcCharset(record) == MarcCharset::Utf8);
        }
    }
    EXPECT_GT(records, 130u);
}

}  // namespace
