// A Z39.50 scan term's bytes read as each target's charset settings say.
#include <gtest/gtest.h>

#include "protocol/z3950/Z3950Scan.h"

TEST(ScanTermTextTest, theQueryCharsetReadsTheTermsItWasSentIn) {
    EXPECT_EQ(scanTermUtf8("caf\xe9", "ISO-8859-1", ""), "caf\xc3\xa9");
    // The query charset wins over the records' one.
    EXPECT_EQ(scanTermUtf8("caf\xe9", "ISO-8859-1", "MARC-8"), "caf\xc3\xa9");
}

TEST(ScanTermTextTest, withoutOneTheRecordsCharsetReadsThem) {
    EXPECT_EQ(scanTermUtf8("caf\xc3\xa9", "", ""), "caf\xc3\xa9");
    // Automatic takes a stray byte as Latin-1 rather than losing it.
    EXPECT_EQ(scanTermUtf8("caf\xe9", "", ""), "caf\xc3\xa9");
    EXPECT_EQ(scanTermUtf8("caf\xe9", "", "ISO-8859-1"), "caf\xc3\xa9");
    // MARC-8: the combining acute comes before its letter.
    EXPECT_EQ(scanTermUtf8("caf\xe2" "e", "", "MARC-8"), "caf\xc3\xa9");
}
