// Generated MARC 21 bibliographic records (ISO 2709, UTF-8, leader/09 'a') for the
// tests, the benchmarks and the demo catalogue. The same count and seed give the
// same bytes on every platform, so a test may rely on what a corpus holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What went into one record, kept beside its ISO 2709 form for tests to expect back.
struct CorpusRecord {
    std::string controlNumber;       // 001
    std::string titleA;              // 245 $a as written, ISBD punctuation included
    std::string titleB;              // 245 $b, empty when the record has none
    std::string authorA;             // 100 or 110 $a; empty without a main entry
    int authorTag = 0;               // 100, 110 or 0
    std::string dateC;               // 260 or 264 $c
    int publicationTag = 0;          // 260 or 264
    std::vector<std::string> isbns;  // each 020 $a, in field order
    std::string iso2709;
};

class MarcCorpus {
public:
    // Known answers: they hold for every seed once a corpus has at least
    // kKnownAnswerRecords records (the marked records are all among the first 400).
    static constexpr int kKnownAnswerRecords = 400;
    static constexpr const char* kTitleWord100 = "lighthouse";  // 245 $a of exactly 100
    static constexpr const char* kTitleWord20 = "compass";      // 245 $a of exactly 20
    static constexpr const char* kAuthor10 = "Kowalczyk";       // 100 $a of exactly 10
    // What data/demo/demo.mrc holds.
    static constexpr int kDemoCount = 400;
    static constexpr uint32_t kDemoSeed = 1;

    // Any thread. Generates count records (none for count <= 0).
    MarcCorpus(int count, uint32_t seed);

    const std::vector<CorpusRecord>& records() const { return records_; }
    // All records concatenated, as a MARC file holds them.
    std::string iso2709() const;

private:
    std::vector<CorpusRecord> records_;
};

// What data/demo/demo.mrc holds, generated once per process.
const MarcCorpus& demoCorpus();

// The concatenated ISO 2709 of MarcCorpus(count, seed).
std::string generateCorpus(int count, uint32_t seed);

// Writes generateCorpus(count, seed) to path; throws std::runtime_error when it cannot.
void writeCorpusFile(const std::string& path, int count, uint32_t seed);
