// The generated corpus: valid ISO 2709 as YAZ reads it, the promised variety, and
// the known answers later tests count on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "ChildProcess.h"
#include "MarcCorpus.h"
#include "TestSupport.h"

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

int recordsMentioning(const MarcCorpus& corpus, const std::string& word) {
    return static_cast<int>(std::count_if(
        corpus.records().begin(), corpus.records().end(),
        [&](const CorpusRecord& r) { return lower(r.iso2709).find(word) != std::string::npos; }));
}

bool validUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

// The weighted sums of a valid ISBN are multiples of 11 (ISBN-10) or 10 (ISBN-13).
bool validIsbn(const std::string& isbn) {
    int sum = 0;
    if (isbn.size() == 10) {
        for (size_t i = 0; i < 10; ++i)
            sum += static_cast<int>(10 - i) * (isbn[i] == 'X' ? 10 : isbn[i] - '0');
        return sum % 11 == 0;
    }
    if (isbn.size() == 13) {
        for (size_t i = 0; i < 13; ++i) sum += (i % 2 ? 3 : 1) * (isbn[i] - '0');
        return sum % 10 == 0;
    }
    return false;
}

}  // namespace

TEST(MarcCorpusTest, SameSeedSameBytesOtherSeedOtherRecords) {
    EXPECT_EQ(generateCorpus(50, 4), generateCorpus(50, 4));
    EXPECT_NE(generateCorpus(50, 4), generateCorpus(50, 5));
    EXPECT_EQ(generateCorpus(0, 4), "");
}

TEST(MarcCorpusTest, ShippedDemoFileIsTheGeneratorsOutput) {
    EXPECT_EQ(readFileBytes(sourcePath("data/demo/demo.mrc")),
              generateCorpus(MarcCorpus::kDemoCount, MarcCorpus::kDemoSeed))
        << "regenerate it with qrn-make-corpus data/demo/demo.mrc";
}

TEST(MarcCorpusTest, YazReadsEveryRecordAsWritten) {
    TempDir tmp;
    const MarcCorpus corpus(300, 11);
    writeFileBytes(tmp.file("c.mrc"), corpus.iso2709());
    ChildProcess dump({"yaz-marcdump", "-i", "marc", "-o", "marcxml", tmp.file("c.mrc")},
                      tmp.path(), tmp.file("dump.xml"));
    ASSERT_EQ(dump.wait(60000), 0);
    const std::string xml = readFileBytes(tmp.file("dump.xml"));

    size_t records = 0;
    for (size_t at = xml.find("<record"); at != std::string::npos; at = xml.find("<record", at + 1))
        ++records;
    EXPECT_EQ(records, 300u);
    // yaz-marcdump reports damaged records inline; a clean dump has none.
    EXPECT_EQ(xml.find("<!--"), std::string::npos) << xml.substr(0, 2000);
    for (const CorpusRecord& rec : corpus.records()) {
        EXPECT_NE(xml.find(">" + rec.controlNumber + "<"), std::string::npos) << rec.controlNumber;
        EXPECT_NE(xml.find(">" + rec.titleA + "<"), std::string::npos) << rec.titleA;
        EXPECT_EQ(std::stoi(rec.iso2709.substr(0, 5)), static_cast<int>(rec.iso2709.size()));
        EXPECT_EQ(rec.iso2709[9], 'a');  // UTF-8
    }
}

TEST(MarcCorpusTest, KnownAnswersHoldForAnySeed) {
    for (const auto& [count, seed] : {std::pair{400, 1u}, {400, 77u}, {1000, 9u}}) {
        const MarcCorpus corpus(count, seed);
        // Anywhere in the record, so a word that leaked into the vocabulary shows.
        EXPECT_EQ(recordsMentioning(corpus, MarcCorpus::kTitleWord100), 100) << seed;
        EXPECT_EQ(recordsMentioning(corpus, MarcCorpus::kTitleWord20), 20) << seed;
        EXPECT_EQ(recordsMentioning(corpus, lower(MarcCorpus::kAuthor10)), 10) << seed;
        int titled = 0;
        for (const CorpusRecord& rec : corpus.records()) {
            if (lower(rec.titleA).find(MarcCorpus::kTitleWord100) != std::string::npos) ++titled;
            if (rec.authorA.rfind(MarcCorpus::kAuthor10, 0) == 0) {
                EXPECT_EQ(rec.authorTag, 100);
            }
        }
        EXPECT_EQ(titled, 100) << seed;
    }
}

TEST(MarcCorpusTest, RecordsVaryLikeACatalogue) {
    const MarcCorpus corpus(400, 1);
    std::set<int> publicationTags, authorTags;
    std::set<size_t> isbnLengths;
    size_t bytes = 0;
    bool tenWithX = false, thirteenFrom979 = false;
    std::set<std::string> controlNumbers, isbns;
    for (const CorpusRecord& rec : corpus.records()) {
        publicationTags.insert(rec.publicationTag);
        authorTags.insert(rec.authorTag);
        EXPECT_FALSE(rec.titleA.empty());
        EXPECT_FALSE(rec.dateC.empty());
        controlNumbers.insert(rec.controlNumber);
        for (const std::string& isbn : rec.isbns) {
            EXPECT_TRUE(validIsbn(isbn)) << isbn;
            isbnLengths.insert(isbn.size());
            tenWithX = tenWithX || isbn.back() == 'X';
            thirteenFrom979 = thirteenFrom979 || isbn.rfind("979", 0) == 0;
            if (isbn.size() == 13) {
                EXPECT_TRUE(isbns.insert(isbn).second) << isbn;
            }
        }
        bytes += rec.iso2709.size();
        EXPECT_TRUE(validUtf8(rec.iso2709)) << rec.controlNumber;
    }
    EXPECT_EQ(publicationTags, (std::set<int>{260, 264}));
    EXPECT_EQ(authorTags, (std::set<int>{0, 100, 110}));
    EXPECT_EQ(isbnLengths, (std::set<size_t>{10, 13}));
    EXPECT_TRUE(tenWithX);
    EXPECT_TRUE(thirteenFrom979);
    EXPECT_EQ(controlNumbers.size(), 400u);
    EXPECT_GT(bytes / 400, 750u);
    EXPECT_LT(bytes / 400, 850u);
    const std::string all = corpus.iso2709();
    for (const char* letters : {"é", "ü", "ø", "ł", "の"})
        EXPECT_NE(all.find(letters), std::string::npos) << letters;
}
