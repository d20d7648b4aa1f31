#include <gtest/gtest.h>

#include "MarcBuilder.h"
#include "marc/MarcReader.h"
#include "send/CatalogueMatch.h"
#include "send/OverlayRecord.h"

namespace {

// "TAG value" per field, subfield delimiters as '$'.
std::string fieldsOf(const std::string& iso2709) {
    struct Lines : MarcHandler {
        std::string out;
        void add(std::string_view tag, const MarcField& f) {
            std::string value(f.bytes().substr(0, f.bytes().find(kMarcFieldTerminator)));
            for (char& c : value)
                if (c == kMarcSubfieldDelimiter) c = '$';
            out += std::string(tag) + " " + value + "\n";
        }
        void onControlField(std::string_view tag, const MarcField& f) override { add(tag, f); }
        bool onDataField(std::string_view tag, const MarcField& f) override {
            add(tag, f);
            return false;
        }
    } lines;
    MarcReader().read(iso2709.data(), iso2709.size(), lines);
    return lines.out;
}

TEST(OverlayRecordTest, KeepsTheCataloguesNumberAndMovesTheIncomingOneTo035) {
    const std::string incoming = MarcBuilder()
                                     .control("001", "ocm12345")
                                     .control("003", "OCoLC")
                                     .control("008", "000000s2001")
                                     .data("020", "  ", {{'a', "0306406152"}})
                                     .data("245", "10", {{'a', "Title"}})
                                     .build();
    EXPECT_EQ(fieldsOf(overlayRecord(incoming, "cat-7")),
              "001 cat-7\n008 000000s2001\n020   $a0306406152\n035   $a(OCoLC)ocm12345\n"
              "245 10$aTitle\n");
}

TEST(OverlayRecordTest, WithoutA003TheNumberGoesAloneAndAnExisting035IsNotRepeated) {
    const std::string incoming = MarcBuilder()
                                     .control("001", " 99 ")
                                     .data("035", "  ", {{'a', "99"}})
                                     .data("245", "10", {{'a', "T"}})
                                     .build();
    EXPECT_EQ(fieldsOf(overlayRecord(incoming, "1")), "001 1\n035   $a99\n245 10$aT\n");
    // The record's lengths agree with its bytes: a reader takes it whole.
    const std::string out = overlayRecord(incoming, "1");
    EXPECT_EQ(std::stoul(out.substr(0, 5)), out.size());
}

TEST(OverlayRecordTest, A035GoesAtTheEndWhenNothingFollowsIt) {
    const std::string incoming = MarcBuilder().control("001", "n1").control("003", "X").build();
    EXPECT_EQ(fieldsOf(overlayRecord(incoming, "c1")), "001 c1\n035   $a(X)n1\n");
}

TEST(OverlayRecordTest, ARecordThatWouldOutgrowItsLengthDigitsIsRefusedNotCut) {
    MarcBuilder b;
    b.control("001", "n1");
    for (int i = 0; i < 11; ++i) b.data("500", "  ", {{'a', std::string(9000, 'x')}});
    const std::string nearlyFull = b.build();
    ASSERT_LT(nearlyFull.size(), 99999u - 400);
    EXPECT_FALSE(overlayRecord(nearlyFull, "c1").empty());
    EXPECT_TRUE(overlayRecord(nearlyFull, std::string(800, 'c')).empty());
    EXPECT_TRUE(overlayRecord(MarcBuilder().control("001", "n1").build(), std::string(9999, '9')).empty());
    EXPECT_FALSE(overlayRecord(MarcBuilder().control("001", "n1").build(), std::string(9998, '9')).empty());
}

TEST(CatalogueMatchTest, AsksForEveryIdentifierInTheFormsCataloguesHold) {
    const std::string record = MarcBuilder()
                                   .control("001", "n1")
                                   .data("010", "  ", {{'a', "  2001012345 "}})
                                   .data("020", "  ", {{'a', "9780306406157 (pbk.)"}})
                                   .data("022", "  ", {{'a', "0378-5955"}})
                                   .data("035", "  ", {{'a', "(OCoLC)ocm0063111280"}})
                                   .build();
    const std::vector<std::string> want{"@attr 1=12 \"n1\"",
                                        "@attr 1=9 \"2001012345\"",
                                        "@attr 1=7 \"9780306406157\"",
                                        "@attr 1=7 \"0306406152\"",
                                        "@attr 1=8 @attr 4=1 \"0378-5955\"",
                                        "@attr 1=1007 \"63111280\""};
    EXPECT_EQ(duplicateQueries(record), want);
}

TEST(CatalogueMatchTest, TwoRecordsMatchOnASharedNumberOnly) {
    const std::string a = MarcBuilder().control("001", "a").data("020", "  ", {{'a', "0306406152"}}).build();
    const std::string b = MarcBuilder().control("001", "b").data("020", "  ", {{'a', "9780306406157"}}).build();
    const std::string c = MarcBuilder().control("001", "c").data("020", "  ", {{'a', "9780306406164"}}).build();
    const std::string a2 = MarcBuilder().control("001", "a").build();
    EXPECT_TRUE(sameIdentifiers(a, b));
    EXPECT_FALSE(sameIdentifiers(b, c));
    EXPECT_TRUE(sameIdentifiers(a2, a));
    EXPECT_FALSE(sameIdentifiers(MarcBuilder().build(), MarcBuilder().build()));
}

}  // namespace

TEST(OverlayRecordTest, AnEmpty035IsKeptAndTheOriginStillAdded) {
    const std::string incoming = MarcBuilder()
                                     .control("001", "n1")
                                     .control("035", "")
                                     .data("245", "10", {{'a', "Title"}})
                                     .build();
    EXPECT_EQ(fieldsOf(overlayRecord(incoming, "cat-1")),
              "001 cat-1\n035 \n035   $an1\n245 10$aTitle\n");
}
