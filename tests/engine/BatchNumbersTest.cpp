#include <gtest/gtest.h>

#include "engine/SearchQuery.h"
#include "query/BatchNumbers.h"

TEST(BatchNumbersTest, Isbn13ConvertsOnlyWith978Prefix) {
    std::string isbn10;
    ASSERT_TRUE(isbn13ToIsbn10("9780306406157", isbn10));
    EXPECT_EQ(isbn10, "0306406152");
    ASSERT_TRUE(isbn13ToIsbn10("9780131103627", isbn10));
    EXPECT_EQ(isbn10, "0131103628");
    ASSERT_TRUE(isbn13ToIsbn10("9780804429573", isbn10));  // remainder 1 gives 'X'
    EXPECT_EQ(isbn10, "080442957X");
    ASSERT_TRUE(isbn13ToIsbn10("9780000000002", isbn10));  // remainder 0 gives '0'
    EXPECT_EQ(isbn10, "0000000000");
    EXPECT_FALSE(isbn13ToIsbn10("9791034567890", isbn10));
    EXPECT_FALSE(isbn13ToIsbn10("978030640615", isbn10));
    EXPECT_FALSE(isbn13ToIsbn10("", isbn10));
}

TEST(BatchNumbersTest, ListChecksLengthAndDuplicatesKeepingOrder) {
    BatchNumberList list;
    std::string message;
    EXPECT_EQ(list.addBatchNumber("9780306406157", message), BatchNumberList::AddResult::Added);
    EXPECT_EQ(list.addBatchNumber("0306406152", message), BatchNumberList::AddResult::Duplicate);
    EXPECT_EQ(message, "ISBN [ 0306406152 ] already in List.");
    EXPECT_EQ(list.addBatchNumber("03178471", message), BatchNumberList::AddResult::Added);
    EXPECT_EQ(list.addBatchNumber("03178471", message), BatchNumberList::AddResult::Duplicate);
    EXPECT_EQ(message, "ISSN [ 03178471 ] already in List.");
    EXPECT_EQ(list.addBatchNumber("9791034567890", message), BatchNumberList::AddResult::Invalid);
    EXPECT_EQ(message, "9791034567890 is not a valid ISBN or ISSN");
    EXPECT_EQ(list.addBatchNumber("", message), BatchNumberList::AddResult::Invalid);
    EXPECT_EQ(message, " is not a valid ISBN or ISSN");
    EXPECT_EQ(list.addBatchNumber("0-306-40615-2", message), BatchNumberList::AddResult::Invalid);
    EXPECT_EQ(list.addBatchNumber("abcdefghij", message), BatchNumberList::AddResult::Added);
    const std::vector<std::string> expected = {"@attr 1=7 0306406152", "@attr 1=8 03178471",
                                               "@attr 1=7 abcdefghij"};
    EXPECT_EQ(list.queries(), expected);
    EXPECT_TRUE(list.remove("03178471"));
    EXPECT_FALSE(list.remove("03178471"));
    EXPECT_EQ(list.numbers().size(), 2u);
}

TEST(BatchNumbersTest, LineEndsAreRemovedButNothingElse) {
    EXPECT_EQ(stripLineEnd("0306406152\r\n"), "0306406152");
    EXPECT_EQ(stripLineEnd(" 0306406152\n"), " 0306406152");
    EXPECT_EQ(stripLineEnd("\n"), "");
}

TEST(BatchNumbersTest, NumbersTheToolkitCannotReadBareAreQuoted) {
    EXPECT_EQ(batchQueryFor("0306406152"), "@attr 1=7 0306406152");
    EXPECT_EQ(batchQueryFor("0306 40615"), "@attr 1=7 \"0306 40615\"");
    EXPECT_EQ(batchQueryFor("031\"8471"), "@attr 1=8 \"031\\\"8471\"");
    EXPECT_EQ(batchQueryFor("@and12345x"), "@attr 1=7 \"@and12345x\"");
    SearchQuery query;
    for (const char* number : {"0306 40615", "031\"8471", "@and12345x", "031784\\1"})
        EXPECT_TRUE(query.compile(batchQueryFor(number))) << number;
}
