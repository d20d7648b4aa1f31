#include <gtest/gtest.h>

#include "marc/StandardNumber.h"

TEST(StandardNumberTest, CheckCharactersOfEveryKind) {
    EXPECT_TRUE(standardNumberCheckOk("0306406152"));
    EXPECT_TRUE(standardNumberCheckOk("080442957X"));
    EXPECT_FALSE(standardNumberCheckOk("0306406153"));
    EXPECT_TRUE(standardNumberCheckOk("9780306406157"));
    EXPECT_TRUE(standardNumberCheckOk("9791032300824"));
    EXPECT_FALSE(standardNumberCheckOk("9780306406158"));
    EXPECT_TRUE(standardNumberCheckOk("2434561X"));
    EXPECT_TRUE(standardNumberCheckOk("03785955"));
    EXPECT_FALSE(standardNumberCheckOk("03785956"));
    EXPECT_FALSE(standardNumberCheckOk("ABCDEFGHIJ"));
    EXPECT_FALSE(standardNumberCheckOk("12345X7890"));
}

TEST(StandardNumberTest, CleansTypedAndScannedForms) {
    EXPECT_EQ(cleanStandardNumber(" 0-306-40615-2 "), "0306406152");
    EXPECT_EQ(cleanStandardNumber("080442957x"), "080442957X");
    EXPECT_EQ(cleanStandardNumber("ISBN: 978-0-306-40615-7"), "9780306406157");
    EXPECT_EQ(cleanStandardNumber("EAN 9780306406157 51299"), "9780306406157");
    EXPECT_EQ(cleanStandardNumber("issn 2434-561x"), "2434561X");
}

TEST(StandardNumberTest, ConvertsBetweenForms) {
    EXPECT_EQ(isbnAs13("0306406152"), "9780306406157");
    EXPECT_EQ(isbnAs10("9780306406157"), "0306406152");
    EXPECT_EQ(isbnAs10("9791032300824"), "");
    EXPECT_EQ(isbnAs13("03785955"), "");
    EXPECT_EQ(isbn13FromCatalogued("0-306-40615-2 (pbk.)"), "9780306406157");
    EXPECT_EQ(isbn13FromCatalogued("9780306406157 : $12.00"), "9780306406157");
    EXPECT_EQ(isbn13FromCatalogued("(pbk.)"), "");
}

TEST(StandardNumberTest, CleansWhatEditorsAndWebPagesPaste) {
    // Notepad's byte-order mark, labels with their form, Unicode dashes,
    // the minus sign and Unicode blanks.
    EXPECT_EQ(cleanStandardNumber("\xEF\xBB\xBF"
                                  "0306406152"),
              "0306406152");
    EXPECT_EQ(cleanStandardNumber("ISBN-13: 978-0-306-40615-7"), "9780306406157");
    EXPECT_EQ(cleanStandardNumber("ISBN 10: 0-306-40615-2"), "0306406152");
    EXPECT_EQ(cleanStandardNumber("isbn13 9780306406157"), "9780306406157");
    EXPECT_EQ(cleanStandardNumber("ISSN 0363\xE2\x80\x90"
                                  "6836"),
              "03636836");
    EXPECT_EQ(cleanStandardNumber("0\xE2\x80\x91"
                                  "306\xE2\x80\x92"
                                  "40615\xE2\x80\x93"
                                  "2"),
              "0306406152");
    EXPECT_EQ(cleanStandardNumber("978\xE2\x80\x94"
                                  "0\xE2\x80\x95"
                                  "306\xE2\x88\x92"
                                  "406157"),
              "9780306406157");
    EXPECT_EQ(cleanStandardNumber("\xC2\xA0"
                                  "0306\xE2\x80\xAF"
                                  "406152\xE3\x80\x80"),
              "0306406152");
    EXPECT_EQ(cleanStandardNumber("0306\xE2\x80\x8B"
                                  "406152\xE2\x80\x89"),
              "0306406152");
    // A label's form needs a separator after it: these digits are the number's.
    EXPECT_EQ(cleanStandardNumber("ISBN 1361234567"), "1361234567");
    // Other characters stay and make the number invalid, not another one.
    EXPECT_EQ(cleanStandardNumber("0306\xC3\xA9"
                                  "406152"),
              "0306\xC3\xA9"
              "406152");
}
