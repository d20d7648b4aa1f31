#include <gtest/gtest.h>

#include "engine/StandardNumber.h"

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
