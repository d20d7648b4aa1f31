// MARC-8 records in every character set, served by a Zebra that labels them
// rightly and by one that labels them UTF-8: exported as UTF-8 they match the
// toolkit's own conversion, whatever the label, unless the target insists on
// UTF-8, which the record then shows as replaced characters.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>

#include "Marc8Records.h"
#include "Marc8Zebra.h"
#include "SearchHarness.h"
#include "TestSupport.h"
#include "display/RecordPages.h"
#include "marc/Iso2709Splitter.h"
#include "marc/UnicodeNfc.h"
#include "export/AssembleRecords.h"

namespace {

const char* const kAllRecords = "@attr 1=_ALLRECORDS @attr 2=103 \"\"";

class CharsetExportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        std::string file;
        for (const std::string& record : scriptRecordsUtf8()) file += toMarc8(record);
        writeFileBytes(dir_->file("scripts.mrc"), file);
        try {
            labelled_ = marc8Zebra({dir_->file("scripts.mrc")});
            mislabelled_ = marc8Zebra({dir_->file("scripts.mrc")}, 'a');
        } catch (const std::exception& e) {
            startError_ = e.what();
        }
    }
    static void TearDownTestSuite() {
        labelled_.reset();
        mislabelled_.reset();
        delete dir_;
    }
    void SetUp() override { ASSERT_TRUE(labelled_ && mislabelled_) << startError_; }

    // Each target's records exported as UTF-8, by 001; the stored records beside.
    struct Exported {
        std::map<std::string, std::string> utf8;
        std::map<std::string, Record> stored;
    };
    static Exported search(const std::string& zurl, const std::string& recordCharset) {
        SearchHarness h(searchSettings(100, 1000, 1));
        h.addTarget("catalogue", zurl).recordCharset = recordCharset;
        h.start(kAllRecords);
        Exported out;
        EXPECT_TRUE(h.drain());
        std::vector<int32_t> numbers;
        for (const Record& r : h.doc->store.copyAll()) {
            numbers.push_back(r.number);
            out.stored[controlNumberOf(r.rawData)] = r;
        }
        ExportProgress progress;
        MarcExportOptions options;
        options.asUtf8 = true;
        const AssembledFile file =
            assembleRecords(h.doc->store, numbers, FileExportKind::Marc, {}, progress, options);
        for (const std::string_view record : splitIso2709(file.bytes))
            out.utf8[controlNumberOf(std::string(record))] = std::string(record);
        return out;
    }

    static TempDir* dir_;
    static std::unique_ptr<ZebraServer> labelled_, mislabelled_;
    static std::string startError_;
};

TempDir* CharsetExportTest::dir_ = nullptr;
std::unique_ptr<ZebraServer> CharsetExportTest::labelled_;
std::unique_ptr<ZebraServer> CharsetExportTest::mislabelled_;
std::string CharsetExportTest::startError_;

}  // namespace

TEST_F(CharsetExportTest, Utf8ExportMatchesTheToolkitsConversionWhateverTheLabel) {
    const Exported labelled = search(labelled_->zurl("Default"), "");
    ASSERT_EQ(labelled.utf8.size(), 5u);
    std::string file;
    for (const auto& [id, record] : labelled.utf8) {
        SCOPED_TRACE(id);
        const Record& stored = labelled.stored.at(id);
        EXPECT_EQ(stored.rawData[9], ' ');
        EXPECT_EQ(stored.replacements, 0u);
        EXPECT_EQ(record[9], 'a');
        const std::string want = toNfc(toolkitLines(stored.rawData, "marc8"));
        EXPECT_NE(want.find("script-"), std::string::npos);
        EXPECT_EQ(toolkitLines(record, "utf-8"), want);
        file += record;
    }
    writeFileBytes(dir_->file("utf8.mrc"), file);
    const std::string command = "yaz-marcdump -i marc -o line '" + dir_->file("utf8.mrc") +
                                "' > '" + dir_->file("utf8.txt") + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    const std::string dump = readFileBytes(dir_->file("utf8.txt"));
    for (const auto& [id, record] : labelled.utf8)
        EXPECT_NE(dump.find("001 " + id), std::string::npos) << dump;

    // Mislabelled as UTF-8: automatic and a target set to MARC-8 read them alike.
    for (const char* setting : {"", "MARC-8"}) {
        const Exported mislabelled = search(mislabelled_->zurl("Default"), setting);
        EXPECT_EQ(mislabelled.utf8, labelled.utf8) << setting;
        for (const auto& [id, stored] : mislabelled.stored) {
            EXPECT_EQ(stored.rawData[9], 'a');
            EXPECT_EQ(stored.replacements, 0u) << id;
        }
    }
}

TEST_F(CharsetExportTest, TargetSetToUtf8MarksReplacedCharacters) {
    SearchHarness h(searchSettings(100, 1000, 1));
    h.addTarget("catalogue", mislabelled_->zurl("Default")).recordCharset = "UTF-8";
    h.addTarget("automatic", mislabelled_->zurl("Default"));
    h.start(kAllRecords);
    ASSERT_TRUE(h.drain());
    int marked = 0;
    for (const Record& r : h.doc->store.copyAll()) {
        std::string page;
        ASSERT_TRUE(renderRecordHtml(h.doc->store, r.number, searchSettings(), page));
        if (r.targetName == "automatic") {
            EXPECT_EQ(r.replacements, 0u);
            EXPECT_NE(page.find("Character set: MARC-8 (leader says UTF-8; bytes "),
                      std::string::npos);
            continue;
        }
        EXPECT_NE(page.find("Character set: UTF-8 (set for this target)"), std::string::npos);
        if (r.replacements == 0) continue;
        ++marked;
        EXPECT_NE(page.find(std::to_string(r.replacements) + " replacement character"),
                  std::string::npos);
    }
    EXPECT_GE(marked, 2);  // the ones with ANSEL bytes
}

TEST_F(CharsetExportTest, QueryTermsGoInTheTargetsQueryCharset) {
    const std::pair<const char*, std::string> cases[] = {{"", "Bront\xC3\xAB"},
                                                         {"ISO-8859-1", "Bront\xEB"},
                                                         {"MARC-8",
                                                          "Bront\xE8"
                                                          "e"}};
    for (const auto& [charset, sent] : cases) {
        SearchHarness h(searchSettings(100, 1000, 1));
        h.addTarget("catalogue", labelled_->zurl("Default")).queryCharset = charset;
        h.start("@attr 1=1003 Bront\xC3\xAB");
        ASSERT_TRUE(h.drain());
        EXPECT_NE(labelled_->log().find(sent), std::string::npos) << charset;
    }
}
