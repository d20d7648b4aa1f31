// Query composition and the Bib-1 lists: the exact PQF text, and the
// toolkit's own PQF reader taking every composed query back term for term.
#include <gtest/gtest.h>
#include <yaz/odr.h>
#include <yaz/pquery.h>

#include "query/Bib1Attributes.h"
#include "query/QueryComposer.h"

namespace {

void collectTerms(const Z_RPNStructure* s, std::vector<std::string>& terms) {
    if (s->which == Z_RPNStructure_complex) {
        collectTerms(s->u.complex->s1, terms);
        collectTerms(s->u.complex->s2, terms);
        return;
    }
    const Z_Term* term = s->u.simple->u.attributesPlusTerm->term;
    terms.emplace_back(reinterpret_cast<const char*>(term->u.general->buf), term->u.general->len);
}

// The terms the toolkit reads from pqf, left to right; false when it cannot parse it.
bool parsedTerms(const std::string& pqf, std::vector<std::string>& terms) {
    ODR odr = odr_createmem(ODR_ENCODE);
    YAZ_PQF_Parser parser = yaz_pqf_create();
    const Z_RPNQuery* rpn = yaz_pqf_parse(parser, odr, pqf.c_str());
    if (rpn) collectTerms(rpn->RPNStructure, terms);
    yaz_pqf_destroy(parser);
    odr_destroy(odr);
    return rpn != nullptr;
}

}  // namespace

TEST(PqfComposeTest, BasicQueryJoinsTitleAndAuthorAndKeepsTrimmedAttributes) {
    SearchAttribute title{"Title", "  @attr 1=4 "};
    SearchAttribute author{"Author", "@attr 1=1003"};
    EXPECT_EQ(composeBasicQuery("dogs", "smith", title, author),
              "@and @attr 1=4 \"dogs\" @attr 1=1003 \"smith\" ");
    EXPECT_EQ(title.pqf, "@attr 1=4");
    EXPECT_EQ(composeBasicQuery("", "smith", title, author), "@attr 1=1003 \"smith\" ");
    EXPECT_EQ(composeBasicQuery(" dogs", "", title, author), "@attr 1=4 \" dogs\" ");
    EXPECT_EQ(composeBasicQuery("", "", title, author), "");

    SearchAttribute untouched{"T", " @attr 1=4"};
    composeBasicQuery("", "smith", untouched, author);
    EXPECT_EQ(untouched.pqf, " @attr 1=4");  // a row without a term keeps its value
}

TEST(PqfComposeTest, AdvancedQueryNestsToTheLeftWithEachRowsOwnOperator) {
    const std::string a = "@attr 1=4", b = "@attr 1=1003", c = "@attr 1=21", d = "@attr 1=1016";
    EXPECT_EQ(composeAdvancedQuery({{"", a, "x"}, {"AND", b, "y"}, {"OR", c, "z"}, {"AND", d, ""}}),
              "@or @and @attr 1=4 \"x\" @attr 1=1003 \"y\" @attr 1=21 \"z\"");
    // Rows 1 and 3: row 3's list joins them; row 2's is ignored.
    EXPECT_EQ(
        composeAdvancedQuery({{"", a, "x"}, {"OR", b, ""}, {"AND NOT", c, "z"}, {"OR", d, ""}}),
        "@not @attr 1=4 \"x\" @attr 1=21 \"z\"");
    EXPECT_EQ(composeAdvancedQuery({{"", a, ""}, {"AND", b, "y"}, {"AND", c, ""}, {"OR", d, "w"}}),
              "@or @attr 1=1003 \"y\" @attr 1=1016 \"w\"");
    EXPECT_EQ(composeAdvancedQuery({{"", a, ""}, {"AND", b, ""}, {"AND", c, ""}, {"AND", d, ""}}),
              "");

    EXPECT_EQ(operatorPrefix("AND"), "@and ");
    EXPECT_EQ(operatorPrefix("OR"), "@or ");
    EXPECT_EQ(operatorPrefix("AND NOT"), "@not ");
    EXPECT_EQ(operatorPrefix("and"), "");
}

TEST(PqfComposeTest, AddJoinsTheQueryFieldWithTheChosenOperator) {
    const std::string first = appendPqfTerm("cat", "@attr 1=4", "@and", "");
    EXPECT_EQ(first, "@attr 1=4 \"cat\"");
    EXPECT_EQ(appendPqfTerm("dog", "@attr 1=1003", "@or", first),
              "@or @attr 1=4 \"cat\" @attr 1=1003 \"dog\"");
    EXPECT_EQ(appendPqfTerm("", "@attr 1=4", "@and", ""), "@attr 1=4 \"\"");
}

TEST(PqfComposeTest, QuotesAndBackslashesInTermsReachTheToolkitIntact) {
    const std::vector<std::string> terms = {"The \"Best\" of", "C:\\temp\\", "\"",    "\\",
                                            "plain",           "a\\\"b",     "x\\x41",
                                            "@1 pour 2",       "@0*"};
    SearchAttribute title{"Title", "@attr 1=4"}, author{"Author", "@attr 1=1003"};
    for (const std::string& t : terms) {
        std::vector<std::string> read;
        ASSERT_TRUE(parsedTerms(composeBasicQuery(t, t, title, author), read)) << t;
        EXPECT_EQ(read, std::vector<std::string>({t, t}));
        read.clear();
        const std::string advanced = composeAdvancedQuery(
            {{"", "@attr 1=4", t}, {"OR", "@attr 1=21", "x"}, {"AND NOT", "@attr 1=1016", t}});
        ASSERT_TRUE(parsedTerms(advanced, read)) << advanced;
        EXPECT_EQ(read, std::vector<std::string>({t, "x", t}));
        read.clear();
        ASSERT_TRUE(
            parsedTerms(appendPqfTerm(t, "", "@and", appendPqfTerm("y", "", "@and", "")), read));
        EXPECT_EQ(read, std::vector<std::string>({"y", t}));
    }
}

TEST(PqfComposeTest, Bib1ListsHoldTheListedEntriesInTypeOrder) {
    const std::vector<size_t> sizes = {99, 10, 3, 16, 7, 3};
    for (int type = 1; type <= 6; ++type) {
        const Bib1List& list = bib1List(type);
        EXPECT_EQ(list.type, type);
        EXPECT_EQ(list.entries.size(), sizes[static_cast<size_t>(type - 1)]);
        const std::string marker = "@attr " + std::to_string(type) + "=";
        for (const std::string& e : list.entries)
            EXPECT_NE(e.find(": " + marker), std::string::npos) << e;
    }
    const auto& use = bib1List(1).entries;
    EXPECT_EQ(use.front(), "Personal name: @attr 1=1");
    EXPECT_EQ(use[62], "Note: @attr 1=63");
    EXPECT_EQ(use[63], "Author-title: @attr 1=1000");
    EXPECT_EQ(use[91], "Stock-number: @attr 1=1028");
    EXPECT_EQ(use[92], "Thematic-number: @attr 1=1030");
    EXPECT_EQ(use.back(), "Author-Title-Subject: @attr 1=1036");

    const std::vector<std::string> position = bib1DisplayEntries(bib1List(3));
    EXPECT_EQ(position, std::vector<std::string>({"", "first in field: @attr 3=1",
                                                  "first in subfield: @attr 3=2",
                                                  "any position in field: @attr 3=3"}));
    const std::vector<std::string> truncation = bib1DisplayEntries(bib1List(5));
    EXPECT_EQ(truncation, std::vector<std::string>(
                              {"", "do not truncate: @attr 5=100", "left and right: @attr 5=3",
                               "left Truncation: @attr 5=2",
                               "process # in search term: @attr 5=101", "regExpr-1: @attr 5=102",
                               "regExpr-2: @attr 5=103", "right Truncation: @attr 5=1"}));
}

TEST(PqfComposeTest, Bib1StringTakesTheListsInTypeOrder) {
    EXPECT_EQ(bib1AttributeString(
                  {"Any: @attr 1=1016", "", "any position in field: @attr 3=3", "", "", ""}),
              "@attr 1=1016 @attr 3=3 ");
    EXPECT_EQ(bib1AttributeString({"", "", "", "numeric string: @attr 4=109", "", ""}),
              "@attr 4=109 ");
    EXPECT_EQ(bib1AttributeString({"", "", "", "", "", ""}), "");
    EXPECT_EQ(bib1AttributeString({":@attr 1=4", "x:  @attr 2=3  "}), "@attr 2=3 ");
}
