#include <gtest/gtest.h>

#include <string>

#include "MarcBuilder.h"
#include "marc/MarcField.h"

namespace {

// readable: '$' for the subfield delimiter, '#' for the field terminator.
std::string textOf(const std::string& readable, size_t start = 2) {
    return MarcField("245", marcBytes(readable)).text(start);
}

TEST(MarcFieldTest, TextTurnsDelimitersIntoBlanksAndDropsTheFirstCode) {
    EXPECT_EQ(textOf("10$aAnnual report :$bfiscal year /$cprepared by the office.#"),
              "Annual report : fiscal year / prepared by the office.");
    // Leading pairs go as long as they repeat; an empty first subfield leaves no blank.
    EXPECT_EQ(textOf("10$a$bWord#"), "Word");
    // No ISBD punctuation is trimmed, trailing blanks stay.
    EXPECT_EQ(textOf("00$aSmith, John,$d1950- #"), "Smith, John, 1950- ");
    // Text before the first delimiter is kept as it is.
    EXPECT_EQ(textOf("10Plain$bmore#"), "Plain more");
}

TEST(MarcFieldTest, TextDropsTheLastByteWhateverItIs) {
    EXPECT_EQ(textOf("10$aNo terminator"), "No terminato");
    EXPECT_EQ(textOf("10$aEnds in a delimiter$#"), "Ends in a delimiter");
    EXPECT_EQ(textOf("10$aCode at the end$b#"), "Code at the end ");
}

TEST(MarcFieldTest, TextEndsAtTheFirstZeroByte) {
    EXPECT_EQ(textOf(std::string("10$aBefore\0after#", 17)), "Before");
    // A zero byte in the code position is replaced, not an end.
    EXPECT_EQ(textOf(std::string("10$aA$\0B#", 9)), "A B");
}

TEST(MarcFieldTest, TextOfShortFields) {
    EXPECT_EQ(textOf(""), "");
    EXPECT_EQ(textOf("1"), "");
    EXPECT_EQ(textOf("10"), "");
    EXPECT_EQ(textOf("10#"), "");
    EXPECT_EQ(textOf("10$#"), "");
    EXPECT_EQ(textOf("abc", 0), "ab");
}

TEST(MarcFieldTest, SubfieldLookupTakesTheFirstOccurrenceOnly) {
    const std::string bytes = marcBytes("  $aNew York :$bRandom,$cc2000.$cc2001.#");
    const MarcField field("260", bytes);
    EXPECT_EQ(field.subfield('c'), "c2000.");
    EXPECT_EQ(field.subfield('a'), "New York :");
    EXPECT_EQ(field.subfield('z'), "");
    EXPECT_EQ(field.subfields("ca"), "c2000.New York :");
    EXPECT_EQ(field.subfields("a b"), "New York : Random,");
    EXPECT_EQ(field.subfields("z z"), " ");
    EXPECT_EQ(field.subfields(""), "");
}

TEST(MarcFieldTest, SubfieldWithoutAnEndInsideTheFieldIsEmpty) {
    const auto c = [](const std::string& readable) {
        const std::string bytes = marcBytes(readable);
        return std::string(MarcField("260", bytes).subfield('c'));
    };
    EXPECT_EQ(c("  $cc1999."), "");
    EXPECT_EQ(c("  $"), "");
    // Bytes after a terminator are still searched, and need an end of their own.
    EXPECT_EQ(c("  $bx#$cc1999."), "");
    EXPECT_EQ(c("  $bx#$cc1999.#"), "c1999.");
    // The content ends at the field terminator even when more bytes follow.
    EXPECT_EQ(c("  $cc1999.#junk$cx#"), "c1999.");
}

}  // namespace
