#include <gtest/gtest.h>

#include <string>

#include "marc/ScreenText.h"
#include "marc/Utf8.h"

namespace {

TEST(ScreenTextTest, WellFormedUtf8PassesWithoutNonSortingMarkers) {
    const std::string text =
        "Stra\xC3\x9F"
        "e \xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xF0\x9F\x93\x9A";
    EXPECT_EQ(screenText(text), text);
    EXPECT_EQ(screenText("\xC2\x98The \xC2\x9C"
                         "Cat"),
              "The Cat");
    EXPECT_EQ(screenText(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ScreenTextTest, OtherBytesAreLatin1AndMarc8MarkersGo) {
    EXPECT_EQ(screenText("Fran\xE7"
                         "ais"),
              "Fran\xC3\xA7"
              "ais");
    EXPECT_EQ(screenText("\x88The \x89"
                         "Cat"),
              "The Cat");
    EXPECT_EQ(screenText("\x98The \x9C"
                         "Cat"),
              "The Cat");
    // Cut, overlong, surrogate and out-of-range sequences are read byte by byte.
    EXPECT_EQ(screenText("\xC3"), "\xC3\x83");
    EXPECT_EQ(screenText("\xE2\x82"), "\xC3\xA2\xC2\x82");
    EXPECT_EQ(screenText("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(screenText("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");
    EXPECT_EQ(screenText("\xF4\x90\x80\x80"), "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80");
    // A valid sequence right after a stray byte is kept whole.
    EXPECT_EQ(screenText("\xFF\xC3\xA9"), "\xC3\xBF\xC3\xA9");
}

TEST(ScreenTextTest, ResultIsAlwaysUtf8AndStable) {
    std::string every;
    for (int i = 0; i < 256; ++i) every.push_back(static_cast<char>(i));
    const std::string once = screenText(every + every);
    EXPECT_TRUE(isUtf8(once));
    EXPECT_EQ(screenText(once), once);
}

TEST(Utf8Test, SequenceLengthsAtTheEdgesOfEachForm) {
    EXPECT_EQ(utf8SequenceLength("\x7F", 0), 1u);
    EXPECT_EQ(utf8SequenceLength("\xC2\x80", 0), 2u);
    EXPECT_EQ(utf8SequenceLength("\xE0\xA0\x80", 0), 3u);
    EXPECT_EQ(utf8SequenceLength("\xE0\x9F\xBF", 0), 0u);
    EXPECT_EQ(utf8SequenceLength("\xED\x9F\xBF", 0), 3u);
    EXPECT_EQ(utf8SequenceLength("\xF0\x90\x80\x80", 0), 4u);
    EXPECT_EQ(utf8SequenceLength("\xF4\x8F\xBF\xBF", 0), 4u);
    EXPECT_EQ(utf8SequenceLength("\xF5\x80\x80\x80", 0), 0u);
    EXPECT_EQ(utf8SequenceLength("a", 1), 0u);
}

}  // namespace
