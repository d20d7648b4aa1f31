#include <gtest/gtest.h>

#include "MarcBuilder.h"
#include "display/RecordComparison.h"
#include "marc/MarcCharsetChoice.h"

TEST(RecordComparisonTest, AlignsByTagAndOccurrenceAndNamesTheDifference) {
    const std::string a = MarcBuilder()
                              .control("001", "a1")
                              .data("245", "10", {{'a', "Lights /"}, {'c', "Ames."}})
                              .data("650", " 0", {{'a', "Harbours."}})
                              .data("650", " 0", {{'a', "Lighthouses."}})
                              .build();
    const std::string b = MarcBuilder()
                              .control("001", "a1")
                              .data("245", "14", {{'a', "Lights /"}, {'c', "Ames."}})
                              .data("650", " 0", {{'a', "Harbours."}})
                              .data("650", " 0", {{'a', "Beacons."}})
                              .data("650", " 7", {{'a', "Coasts."}})
                              .build();
    const std::vector<ComparedRow> rows = compareRecords({a, b, "not a record"});
    std::vector<std::string> shown;
    for (const ComparedRow& row : rows)
        shown.push_back(row.tag + "/" + std::to_string(row.occurrence) + ": " +
                        differenceText(row));
    // The third "record" has no leader worth the name and no fields.
    EXPECT_EQ(shown, (std::vector<std::string>{"LDR/1: contents differ", "001/1: only in 1, 2",
                                               "245/1: only in 1, 2", "650/1: only in 1, 2",
                                               "650/2: only in 1, 2", "650/3: only in 2"}));

    const std::vector<ComparedRow> two = compareRecords({a, b});
    ASSERT_EQ(two.size(), 6u);
    EXPECT_EQ(differenceText(two[1]), "");
    EXPECT_EQ(differenceText(two[2]), "indicators differ");
    EXPECT_EQ(two[2].fields[1].text, "$a Lights / $c Ames.");
    EXPECT_EQ(differenceText(two[3]), "");
    EXPECT_EQ(differenceText(two[4]), "subfields differ");
    EXPECT_EQ(differenceText(two[5]), "only in 2");

    const std::string c = MarcBuilder()
                              .control("001", "c9")
                              .data("245", "10", {{'a', "Lights /"}, {'c', "Ames."}})
                              .build();
    EXPECT_EQ(differenceText(compareRecords({a, c})[1]), "contents differ");
}

TEST(RecordComparisonTest, ReadsEachRecordAsTheListAndThePageDo) {
    // A target set to UTF-8 shows the stray byte as U+FFFD; automatic would
    // read it as Latin-1.
    const std::string bytes = MarcBuilder().data("245", "10", {{'a', "Caf\xE9"}}).build();
    Record record;
    record.kind = Marc;
    record.rawData = bytes;
    record.charsetChoice = packCharsetChoice(chooseMarcCharset(bytes, RecordCharsetSetting::Utf8));
    Record automatic = record;
    automatic.charsetChoice = 0;
    const std::vector<ComparedRow> rows = compareRecords(std::vector<Record>{record, automatic});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].fields[0].text, "$a Caf\xEF\xBF\xBD");
    EXPECT_EQ(rows[1].fields[1].text, "$a Caf\xC3\xA9");
}
