#include <gtest/gtest.h>

#include <string>

#include "MarcBuilder.h"
#include "records/BriefMarcHandler.h"
#include "marc/MarcReader.h"

namespace {

BriefMarcHandler brief(const std::string& record) {
    BriefMarcHandler handler;
    MarcReader().read(record.data(), record.size(), handler);
    return handler;
}

TEST(BriefMarcHandlerTest, TitleIsTheWhole245) {
    const BriefMarcHandler b = brief(MarcBuilder()
                                         .control("001", "1")
                                         .data("245", "10",
                                               {{'a', "Annual report :"},
                                                {'b', "fiscal year /"},
                                                {'c', "prepared by the office."}})
                                         .build());
    EXPECT_EQ(b.title, "Annual report : fiscal year / prepared by the office.");
    EXPECT_EQ(b.author, "");
    EXPECT_EQ(b.date, "");
}

TEST(BriefMarcHandlerTest, AuthorFrom100IsItsWholeTextAnd700IsIgnored) {
    const BriefMarcHandler b = brief(MarcBuilder()
                                         .data("100", "1 ", {{'a', "Smith, John,"}, {'d', "1950-"}})
                                         .data("245", "10", {{'a', "T"}})
                                         .data("700", "1 ", {{'a', "Other, Ann."}})
                                         .build());
    EXPECT_EQ(b.author, "Smith, John, 1950-");
}

TEST(BriefMarcHandlerTest, AuthorFromFirst7XXWithSubfieldA) {
    EXPECT_EQ(brief(MarcBuilder()
                        .data("700", "1 ", {{'d', "1900-"}})
                        .data("700", "1 ", {{'a', "Doe, Jane."}, {'d', "1960-"}})
                        .data("710", "2 ", {{'a', "Body."}})
                        .build())
                  .author,
              "Doe, Jane.");
    EXPECT_EQ(brief(MarcBuilder()
                        .data("710", "2 ", {{'a', ""}, {'b', "Empty a"}})
                        .data("710", "2 ", {{'a', "Library of Congress."}, {'b', "Music"}})
                        .build())
                  .author,
              "Library of Congress.");
    // A 110 gives only its subfield a, and holds against a later 100.
    EXPECT_EQ(brief(MarcBuilder()
                        .data("110", "2 ", {{'a', "Washington (State)."}, {'b', "Office"}})
                        .data("100", "1 ", {{'a', "Late, Name."}})
                        .build())
                  .author,
              "Washington (State).");
}

TEST(BriefMarcHandlerTest, LaterFieldsOverwriteTitleAndDate) {
    const BriefMarcHandler two = brief(MarcBuilder()
                                           .data("245", "10", {{'a', "First"}})
                                           .data("245", "10", {{'a', "Second"}})
                                           .data("260", "  ", {{'c', "1999."}})
                                           .data("260", "  ", {{'c', "c2000."}})
                                           .build());
    EXPECT_EQ(two.title, "Second");
    EXPECT_EQ(two.date, "c2000.");

    // A later 260 without subfield c empties the date again; a record with a
    // 260 date never takes the 264's.
    const BriefMarcHandler emptied = brief(MarcBuilder()
                                               .data("260", "  ", {{'c', "1999."}})
                                               .data("260", "  ", {{'a', "Paris"}})
                                               .data("264", " 1", {{'c', "2001"}})
                                               .build());
    EXPECT_EQ(emptied.date, "");
}

TEST(BriefMarcHandlerTest, WithoutA260DateThePublication264GivesIt) {
    EXPECT_EQ(brief(MarcBuilder()
                        .data("264", " 0", {{'c', "2010 (production)"}})
                        .data("264", " 1", {{'a', "Oslo"}, {'c', "2015."}})
                        .data("264", " 1", {{'c', "2016."}})
                        .data("264", " 4", {{'c', "c2014"}})
                        .build())
                  .date,
              "2015.");
    EXPECT_EQ(brief(MarcBuilder()
                        .data("260", "  ", {{'a', "Paris"}})
                        .data("264", " 1", {{'c', "2015."}})
                        .build())
                  .date,
              "2015.");
}

TEST(BriefMarcHandlerTest, TagsAreThreeExactBytesAndControlFieldsAreNotData) {
    const BriefMarcHandler b = brief(MarcBuilder()
                                         .data("24 ", "10", {{'a', "Not a title"}})
                                         .data("0245", "10", {{'a', "Tag cut to 024"}})
                                         .data("246", "10", {{'a', "Variant"}})
                                         .data("900", "  ", {{'a', "Local"}})
                                         .build());
    EXPECT_EQ(b.title, "");
    EXPECT_EQ(b.author, "");
}

TEST(BriefMarcHandlerTest, LeaderWithoutUsableBaseAddressGivesNothing) {
    std::string record = MarcBuilder()
                             .data("100", "1 ", {{'a', "A"}})
                             .data("245", "10", {{'a', "T"}})
                             .data("260", "  ", {{'c', "D"}})
                             .build();
    for (const char* base : {"00025", "abcde"}) {
        record.replace(12, 5, base);
        const BriefMarcHandler b = brief(record);
        EXPECT_EQ(b.title + b.author + b.date, "") << base;
    }
}

}  // namespace
