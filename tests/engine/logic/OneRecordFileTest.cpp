#include <gtest/gtest.h>

#include <string>

#include "MarcBuilder.h"
#include "records/Record.h"
#include "export/OneRecordFile.h"

namespace {

const std::string kBad = "\xEF\xBF\xBD";

Record marc(const std::string& title, const std::string& subject) {
    Record r;
    r.kind = Marc;
    r.rawData = MarcBuilder("00000nam a2200000 a 4500")
                    .control("001", "ocm 42/7")
                    .data("245", "10", {{'a', title}})
                    .data("650", " 0", {{'a', subject}})
                    .data("650", " 0", {{'a', "Coasts"}, {'x', subject}})
                    .build();
    return r;
}

}  // namespace

TEST(OneRecordFileTest, NameFromTitleWordsElseControlNumber) {
    Record r = marc("", "x");
    r.title = "The lighthouse: keeping a light / by A. Ames, 1887";
    EXPECT_EQ(suggestedFileName(r), "The-lighthouse-keeping-a-light-by-A-Ames");
    r.title = "Bohe\xCC\x80me " + kBad + "?";
    EXPECT_EQ(suggestedFileName(r), "Bohe\xCC\x80me");
    // A long first word is cut whole characters at a time.
    r.title = std::string(39, 'a') + "\xC3\xA8" + "b";
    EXPECT_EQ(suggestedFileName(r), std::string(39, 'a'));
    r.title = std::string(38, 'a') + "\xE2\x80\x94" + "b";
    EXPECT_EQ(suggestedFileName(r), std::string(38, 'a'));
    r.title = std::string(37, 'a') + "\xE2\x80\x94" + "b";
    EXPECT_EQ(suggestedFileName(r), std::string(37, 'a') + "\xE2\x80\x94");
    r.title = "  ?? ";
    EXPECT_EQ(suggestedFileName(r), "ocm-42-7");
    Record other;
    EXPECT_EQ(suggestedFileName(other), "record");
}

TEST(OneRecordFileTest, FieldsWithReplacementsEachOnce) {
    EXPECT_TRUE(fieldsWithReplacements(marc("Fine", "Fine")).empty());
    EXPECT_EQ(fieldsWithReplacements(marc("Bad" + kBad, "Fine")),
              std::vector<std::string>({"245"}));
    EXPECT_EQ(fieldsWithReplacements(marc("Bad" + kBad, kBad)),
              std::vector<std::string>({"245", "650"}));
    Record text;
    text.kind = Sutrs;
    text.renderedText = "245 " + kBad;
    EXPECT_TRUE(fieldsWithReplacements(text).empty());
}

TEST(OneRecordFileTest, WarningNamesTheFields) {
    EXPECT_EQ(replacementWarning({"245"}).rfind("Field 245 holds replacement", 0), 0u);
    EXPECT_EQ(replacementWarning({"245", "650"}).rfind("Fields 245 and 650 hold", 0), 0u);
    EXPECT_EQ(replacementWarning({"100", "245", "650"}).rfind("Fields 100, 245 and 650 hold", 0),
              0u);
}
