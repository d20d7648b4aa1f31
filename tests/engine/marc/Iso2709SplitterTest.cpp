#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "MarcBuilder.h"
#include "records/BriefLine.h"
#include "marc/Iso2709Splitter.h"

namespace {

std::vector<std::string> split(const std::string& bytes) {
    std::vector<std::string> pieces;
    for (const std::string_view piece : splitIso2709(bytes)) pieces.emplace_back(piece);
    return pieces;
}

const std::string kFirst = MarcBuilder().control("001", "first").build();
const std::string kSecond = MarcBuilder().data("245", "10", {{'a', "Second"}}).build();

TEST(Iso2709SplitterTest, RecordsFollowTheirLeaderLength) {
    EXPECT_EQ(split(kFirst + kSecond), (std::vector<std::string>{kFirst, kSecond}));
    EXPECT_TRUE(split("").empty());
    // The length wins over a record terminator inside the record.
    std::string inner = kFirst;
    inner[30] = '\x1D';
    EXPECT_EQ(split(inner + kSecond), (std::vector<std::string>{inner, kSecond}));
}

TEST(Iso2709SplitterTest, UnusableLengthCutsAfterTheNextTerminator) {
    for (const char* length : {"0001x", "00023", "99999", "     "}) {
        std::string bad = kFirst;
        bad.replace(0, 5, length);
        EXPECT_EQ(split(bad + kSecond), (std::vector<std::string>{bad, kSecond})) << length;
    }
    // No terminator at all: the rest of the file is the record.
    EXPECT_EQ(split("garbage"), (std::vector<std::string>{"garbage"}));
    EXPECT_EQ(split(kFirst + "\x1D\x1D"), (std::vector<std::string>{kFirst, "\x1D", "\x1D"}));
    // Fewer than five bytes left cannot hold a length.
    EXPECT_EQ(split(kFirst + "0012"), (std::vector<std::string>{kFirst, "0012"}));
}

TEST(Iso2709SplitterTest, TrailingJunkIsNoRecordButJunkBeforeARecordIs) {
    const std::string junk(" \r\n\0\x1A", 5);
    EXPECT_EQ(split(kFirst + junk), (std::vector<std::string>{kFirst}));
    EXPECT_TRUE(split(junk).empty());
    EXPECT_EQ(split(kFirst + "\n" + kSecond), (std::vector<std::string>{kFirst, "\n" + kSecond}));
    EXPECT_EQ(split(kFirst + junk + "x"), (std::vector<std::string>{kFirst, junk + "x"}));
}

TEST(BriefLineTest, TabsAndLineEndsBecomeOneBlank) {
    EXPECT_EQ(briefLine("T", "A", "D"), "T\tA\tD");
    EXPECT_EQ(briefLine("", "", ""), "\t\t");
    EXPECT_EQ(briefLine("a\tb\r\nc\nd\re", "x\n\ny", "1\r\n"), "a b c d e\tx  y\t1 ");
}

}  // namespace
