#include <gtest/gtest.h>

#include <boost/regex.hpp>
#include <string>
#include <thread>
#include <vector>

#include "CollectedMessages.h"
#include "MarcBuilder.h"
#include "settings/SettingsDefaults.h"
#include "records/BriefMarcHandler.h"
#include "records/BriefSutrsExtractor.h"
#include "marc/MarcReader.h"
#include "records/ScanBriefRecord.h"

namespace {

const std::string kRecord =
    "Title: The pragmatic programmer\n"
    "Author: Hunt, Andrew\n"
    "Date: 2000\n";

class BriefSutrsTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.SUTRSTitleRE = "Title: ([^\n]*)";
        settings.SUTRSAuthorRE = "Author: ([^\n]*)";
        settings.SUTRSDateRE = "Date: ([0-9]+)";
    }

    BriefSutrsExtractor run(const std::string& text) {
        BriefSutrsExtractor extractor(settings);
        extractor.run(text.data(), text.size());
        return extractor;
    }

    SettingsData settings;
    CollectedMessages messages;
};

TEST_F(BriefSutrsTest, EachFieldIsGroupOneOfItsPattern) {
    const BriefSutrsExtractor e = run(kRecord);
    EXPECT_EQ(e.title, "The pragmatic programmer");
    EXPECT_EQ(e.author, "Hunt, Andrew");
    EXPECT_EQ(e.date, "2000");
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(BriefSutrsTest, FreshInstallationPatternsReadLabelledLines) {
    settings = freshInstallationSettings("targets.xml");
    // Servers capitalise and pad their labels as they like.
    const BriefSutrsExtractor padded =
        run("Title:       Łódź i okolice\r\n"
            "Author:      Kowalczyk, Agnieszka, 1950-\r\n"
            "Published:   Kraków : Znak, 2004.\r\n"
            "Date:        2004\r\n");
    EXPECT_EQ(padded.title, "Łódź i okolice");
    EXPECT_EQ(padded.author, "Kowalczyk, Agnieszka, 1950-");
    EXPECT_EQ(padded.date, "2004");
    const BriefSutrsExtractor upper = run("TITLE: Dune\nCREATOR: Herbert, Frank\nYEAR: 1965\n");
    EXPECT_EQ(upper.title, "Dune");
    EXPECT_EQ(upper.author, "Herbert, Frank");
    EXPECT_EQ(upper.date, "1965");
    EXPECT_EQ(run("Title: x\nPublished: Kraków : Znak 2, 2004.\n").date, "2004.");
    // A label inside a line is not a label.
    EXPECT_EQ(run("Subtitle: none\nNotes: title: x\n").title, "");
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(BriefSutrsTest, DotMatchesLineEndsAndTheSearchFindsTheFirstMatch) {
    std::string field;
    EXPECT_TRUE(ScanBriefRecord(kRecord, "Title: (.*)Date", field));
    EXPECT_EQ(field, "The pragmatic programmer\nAuthor: Hunt, Andrew\n");
    EXPECT_TRUE(ScanBriefRecord("a1 a2 a3", "a([0-9])", field));
    EXPECT_EQ(field, "1");
}

TEST_F(BriefSutrsTest, MatchWithoutAGroupGivesAnEmptyField) {
    std::string field = "old";
    EXPECT_TRUE(ScanBriefRecord(kRecord, "Title: [^\n]*", field));
    EXPECT_EQ(field, "");
    field = "old";
    EXPECT_TRUE(ScanBriefRecord(kRecord, "(Subtitle)?Title", field));
    EXPECT_EQ(field, "");
}

TEST_F(BriefSutrsTest, NoMatchLeavesTheFieldAlone) {
    std::string field = "kept";
    EXPECT_FALSE(ScanBriefRecord(kRecord, "ISBN: (.*)", field));
    EXPECT_EQ(field, "kept");
    settings.SUTRSDateRE = "Year: (.*)";
    EXPECT_EQ(run(kRecord).date, "");
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(BriefSutrsTest, BadPatternPutsTheLibraryErrorInItsFieldOnly) {
    std::string libraryText;
    try {
        boost::regex("(", boost::regex::perl);
    } catch (const boost::regex_error& e) {
        libraryText = e.what();
    }
    ASSERT_FALSE(libraryText.empty());

    settings.SUTRSTitleRE = "(";
    for (int record = 0; record < 2; ++record) {
        const BriefSutrsExtractor e = run(kRecord);
        EXPECT_EQ(e.title, libraryText);
        EXPECT_EQ(e.author, "Hunt, Andrew");
        EXPECT_EQ(e.date, "2000");
    }
    // Once per record retrieved while the pattern is bad.
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{libraryText, libraryText}));
}

TEST_F(BriefSutrsTest, WholeLengthIsScannedPastZeroBytes) {
    const std::string text("Title: x\0Date: 1999\n", 20);
    const BriefSutrsExtractor e = run(text);
    EXPECT_EQ(e.title, std::string("x\0Date: 1999", 12));
    EXPECT_EQ(e.date, "1999");
}

// Workers build records side by side; each extraction must stand alone, and
// messages may come from all of them at once.
TEST(BriefExtractionThreadsTest, WorkersExtractSideBySide) {
    CollectedMessages messages;
    SettingsData settings;
    settings.SUTRSTitleRE = "Title: ([^\n]*)";
    settings.SUTRSDateRE = "[";
    const std::string marc = MarcBuilder()
                                 .data("100", "1 ", {{'a', "Hunt, Andrew,"}, {'d', "1964-"}})
                                 .data("245", "14", {{'a', "The pragmatic programmer"}})
                                 .build();
    constexpr int kWorkers = 4, kRecords = 50;
    std::vector<int> good(kWorkers, 0);
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&, w] {
            for (int i = 0; i < kRecords; ++i) {
                BriefMarcHandler brief;
                MarcReader().read(marc.data(), marc.size(), brief);
                BriefSutrsExtractor sutrs(settings);
                sutrs.run(kRecord.data(), kRecord.size());
                if (brief.author == "Hunt, Andrew, 1964-" &&
                    sutrs.title == "The pragmatic programmer" && !sutrs.date.empty())
                    ++good[w];
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(good, std::vector<int>(kWorkers, kRecords));
    EXPECT_EQ(messages.texts().size(), static_cast<size_t>(kWorkers * kRecords));
}

}  // namespace
