// PQF from the search pages as CQL by the shipped mapping: indexes, relations,
// truncation, booleans, terms with CQL's own characters, and what cannot go.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "protocol/sru/PqfToCql.h"

TEST(PqfToCqlTest, ShippedMappingTurnsPageQueriesIntoCql) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"@attr 1=4 lighthouse", "dc.title = lighthouse"},
        {"@attr 1=1003 \"Smith, John\"", "dc.creator = \"Smith, John\""},
        {"@attr 1=7 0-19-852663-6", "bath.isbn = 0-19-852663-6"},
        {"@attr 1=8 0028-0836", "bath.issn = 0028-0836"},
        {"@attr 1=1016 sea", "sea"},
        {"@attr 1=31 @attr 2=4 1999", "dc.date >= 1999"},
        {"@attr 1=4 @attr 5=1 light", "dc.title = light*"},
        {"@attr 1=4 @attr 5=3 igh", "dc.title = *igh*"},
        {"@and @attr 1=4 sea @or @attr 1=1003 kay @attr 1=21 ships",
         "dc.title = sea and (dc.creator = kay or dc.subject = ships)"},
        {"@not @attr 1=4 sea @attr 1=1018 penguin", "dc.title = sea not dc.publisher = penguin"},
        // Masking characters typed by the user are kept as text; blanks quote.
        {"@attr 1=4 \"what? a * day\"", "dc.title = \"what\\? a \\* day\""},
        {"@attr 1=4 caf\xC3\xA9", "dc.title = caf\xC3\xA9"},
        // Each term as typed: CQL's own characters escaped, quoted where needed.
        {"@attr 1=4 \"a\\\\b\"", "dc.title = a\\\\b"},
        {"@attr 1=4 \"foo\\\\\"", "dc.title = foo\\\\"},
        {"@attr 1=4 \"a\tb\"", "dc.title = \"a\tb\""},
        {"@attr 1=4 lighthouse^", "dc.title = lighthouse\\^"},
        {"@attr 1=4 \"and\"", "dc.title = \"and\""},
        {"@attr 1=4 PROX", "dc.title = \"PROX\""},
        {"@attr 1=4 sortby", "dc.title = \"sortby\""},
        // What the user types is never taken for the conversion's own tokens.
        {"@and @attr 1=4 QRNTERM0X @attr 1=4 other", "dc.title = QRNTERM0X and dc.title = other"},
        {"@attr 1=4 @attr 5=104 QRNTERM7X", "dc.title = QRNTERM7X"},
        {"@attr 1=4 @attr 5=1 \"sea li\"", "dc.title = \"sea li*\""},
        {"@attr 1=4 @attr 6=3 \"the hidden lighthouse\"", "dc.title == \"the hidden lighthouse\""},
        {"@attr 1=31 @attr 2=4 @attr 6=3 1999", "dc.date >= 1999"},
    };
    for (const auto& [pqf, cql] : cases) {
        const CqlConversion got = pqfToCql(pqf);
        EXPECT_EQ(got.error, "") << pqf;
        EXPECT_EQ(got.cql, cql) << pqf;
    }
}

TEST(PqfToCqlTest, WhatCannotBeSentIsNamed) {
    EXPECT_EQ(pqfToCql("@attr 1=1032 x").error, "No CQL index for Bib-1 use attribute 1032");
    EXPECT_EQ(pqfToCql("@and @attr 1=4 a @attr 1=1032 x").error,
              "No CQL index for Bib-1 use attribute 1032");
    EXPECT_FALSE(pqfToCql("@attr 1=4 @attr 5=101 x").error.empty());
    EXPECT_FALSE(pqfToCql("@and @attr 1=4").error.empty());
    EXPECT_FALSE(pqfToCql("@attr 1=4 x", "/nonexistent/mapping").error.empty());

    // A user's mapping replaces the shipped one.
    TempDir dir;
    const std::string file = dir.file("mine.properties");
    std::ofstream(file) << "index.my.kind = 1=1032\n";
    EXPECT_EQ(pqfToCql("@attr 1=1032 x", file).cql, "my.kind = x");
    EXPECT_EQ(pqfToCql("@attr 1=4 x", file).error, "No CQL index for Bib-1 use attribute 4");
}

TEST(PqfToCqlTest, AConversionThatGoesWrongNamesTheQuery) {
    // A mapping whose index looks like the conversion's own token.
    TempDir dir;
    const std::string file = dir.file("odd.properties");
    std::ofstream(file) << "index.QRNTERMS = 1=4\n";
    const CqlConversion got = pqfToCql("@attr 1=4 x", file);
    EXPECT_EQ(got.error, "Cannot convert the query @attr 1=4 x to CQL");
    EXPECT_EQ(got.cql, "");
    EXPECT_EQ(pqfToCql("@attr 5=102 QRNTERMX").error.find("stoul"), std::string::npos);
}
