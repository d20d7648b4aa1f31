// Brief extraction of 100,000 generated MARC 21 records of about 830 bytes:
// our reader with the brief handler beside YAZ's own ISO 2709 reader pulling the
// same three fields from its decoded record, measured in the same run.
#include <benchmark/benchmark.h>
#include <yaz/marcdisp.h>
#include <yaz/nmem.h>
#include <yaz/wrbuf.h>
#include <yaz/yaz-iconv.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "MarcBuilder.h"
#include "records/BriefMarcHandler.h"
#include "marc/MarcReader.h"

namespace {

constexpr size_t kRecords = 100000;

// Fixed-seed generator, so every run reads the same records.
class Words {
public:
    uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    std::string word() {
        static const char* const kWords[] = {
            "library",  "catalogue", "history",  "of",      "the",         "annual",  "report",
            "and",      "science",   "computer", "methods", "programming", "music",   "opera",
            "national", "survey",    "studies",  "in",      "modern",      "theory",  "practice",
            "society",  "world",     "guide",    "Python",  "data",        "systems", "art"};
        return kWords[next() % (sizeof kWords / sizeof kWords[0])];
    }
    std::string phrase(size_t minWords, size_t spread) {
        std::string text = word();
        for (size_t n = minWords + next() % spread; n > 1; --n) text += " " + word();
        return text;
    }
    std::string digits(size_t count) {
        std::string text;
        for (size_t i = 0; i < count; ++i) text += static_cast<char>('0' + next() % 10);
        return text;
    }

private:
    uint32_t state_ = 20240601u;
};

std::string makeRecord(Words& w) {
    const std::string year = "19" + w.digits(2);
    MarcBuilder b("00000cam a2200000 a 4500");
    b.control("001", w.digits(9))
        .control("003", "DLC")
        .control("005", "2004" + w.digits(10) + ".0")
        .control("008", "040601s" + year + "    nyua     b    001 0 eng  ")
        .data("010", "  ", {{'a', "  " + w.digits(10)}})
        .data("020", "  ", {{'a', w.digits(10) + " (pbk.)"}})
        .data("040", "  ", {{'a', "DLC"}, {'c', "DLC"}, {'d', "DLC"}})
        .data("050", "00", {{'a', "QA76." + w.digits(2)}, {'b', ".L" + w.digits(3) + " " + year}})
        .data("082", "00", {{'a', "005." + w.digits(2) + "/3"}, {'2', "22"}});
    const uint32_t shape = w.next() % 10;
    const std::string name = w.phrase(1, 2) + ", " + w.phrase(1, 2) + ".";
    if (shape < 7)
        b.data("100", "1 ", {{'a', name}, {'d', "19" + w.digits(2) + "-"}});
    else if (shape < 8)
        b.data("110", "2 ", {{'a', w.phrase(2, 3)}, {'b', w.phrase(1, 3)}});
    b.data(
         "245", "10",
         {{'a', w.phrase(3, 5) + " :"}, {'b', w.phrase(2, 6) + " /"}, {'c', w.phrase(2, 4) + "."}})
        .data("250", "  ", {{'a', "2nd ed."}})
        .data("260", "  ",
              {{'a', "New York :"}, {'b', w.phrase(1, 3) + ","}, {'c', "c" + year + "."}})
        .data("300", "  ",
              {{'a', "xii, " + w.digits(3) + " p. :"}, {'b', "ill. ;"}, {'c', "24 cm."}})
        .data("490", "1 ", {{'a', w.phrase(2, 4)}})
        .data("650", " 0", {{'a', w.phrase(1, 3)}, {'x', w.phrase(1, 2)}})
        .data("650", " 0", {{'a', w.phrase(1, 3)}, {'v', "Handbooks, manuals, etc."}})
        .data("700", "1 ", {{'a', w.phrase(1, 2) + ", " + w.word() + "."}})
        .data("700", "1 ", {{'a', w.phrase(1, 2) + ", " + w.word() + "."}, {'e', "ed."}})
        .data("830", " 0", {{'a', w.phrase(2, 4) + "."}});
    return b.build();
}

struct Corpus {
    std::string bytes;
    std::vector<std::string_view> records;
};

const Corpus& corpus() {
    static const Corpus built = [] {
        Corpus c;
        Words words;
        std::vector<size_t> ends;
        for (size_t i = 0; i < kRecords; ++i) {
            c.bytes += makeRecord(words);
            ends.push_back(c.bytes.size());
        }
        size_t begin = 0;
        for (const size_t end : ends) {
            c.records.emplace_back(c.bytes.data() + begin, end - begin);
            begin = end;
        }
        return c;
    }();
    return built;
}

struct Brief {
    std::string title, author, date;
};

// What the record list gets: the brief fields, decoded when a record is in MARC-8.
Brief oursBrief(std::string_view record) {
    BriefMarcHandler handler = briefMarcFields(record);
    return {std::move(handler.title), std::move(handler.author), std::move(handler.date)};
}

// YAZ keeps its decoded record private. These mirror the node list of YAZ 5
// (src/marcdisp.c); yazLayoutHolds() checks them on a real record before use.
enum YazNodeType { kYazDatafield, kYazControlfield, kYazComment, kYazLeader };
struct YazSubfield {
    char* codeData;
    YazSubfield* next;
};
struct YazNode {
    YazNodeType which;
    union {
        struct {
            char* tag;
            char* indicator;
            YazSubfield* subfields;
        } datafield;
        struct {
            char* tag;
            char* data;
        } controlfield;
        char* comment;
        char* leader;
    } u;
    YazNode* next;
};
struct YazMarc {
    WRBUF wr;
    NMEM nmem;
    int outputFormat;
    int debug;
    int writeUsingLibxml2;
    int enableCollection;
    yaz_iconv_t iconv;
    char subfieldStr[8];
    char endlineStr[8];
    char* leaderSpec;
    YazNode* nodes;
    YazNode** nodesTail;
    YazSubfield** subfieldTail;
};

const YazNode* yazNodes(yaz_marc_t mt) { return reinterpret_cast<YazMarc*>(mt)->nodes; }

std::string yazFirstSubfield(const YazNode& n, char code) {
    for (const YazSubfield* s = n.u.datafield.subfields; s; s = s->next)
        if (s->codeData[0] == code) return s->codeData + 1;
    return {};
}

std::string yazWholeField(const YazNode& n) {
    std::string text;
    for (const YazSubfield* s = n.u.datafield.subfields; s; s = s->next) {
        if (!text.empty()) text += ' ';
        text += s->codeData + 1;
    }
    return text;
}

Brief yazBrief(yaz_marc_t mt, std::string_view record) {
    Brief b;
    if (yaz_marc_read_iso2709(mt, record.data(), static_cast<int>(record.size())) <= 0) return b;
    for (const YazNode* n = yazNodes(mt); n; n = n->next) {
        if (n->which != kYazDatafield) continue;
        const char* tag = n->u.datafield.tag;
        if (!std::strcmp(tag, "245"))
            b.title = yazWholeField(*n);
        else if (!std::strcmp(tag, "260"))
            b.date = yazFirstSubfield(*n, 'c');
        else if (b.author.empty() && !std::strcmp(tag, "100"))
            b.author = yazWholeField(*n);
        else if (b.author.empty() &&
                 (!std::strcmp(tag, "110") || !std::strcmp(tag, "700") || !std::strcmp(tag, "710")))
            b.author = yazFirstSubfield(*n, 'a');
    }
    return b;
}

// The mirror must find the leader first, the list must end where YAZ appends,
// and both readers must agree on the first records.
bool yazLayoutHolds(yaz_marc_t mt) {
    for (size_t i = 0; i < 100; ++i) {
        const std::string_view record = corpus().records[i];
        const Brief yaz = yazBrief(mt, record);
        const YazNode* first = yazNodes(mt);
        if (!first || first->which != kYazLeader || std::memcmp(first->u.leader, record.data(), 5))
            return false;
        const YazNode* last = first;
        while (last->next) last = last->next;
        if (reinterpret_cast<YazMarc*>(mt)->nodesTail != &const_cast<YazNode*>(last)->next)
            return false;
        const Brief ours = oursBrief(record);
        if (yaz.title != ours.title || yaz.author != ours.author || yaz.date != ours.date)
            return false;
    }
    return true;
}

// One YAZ handle for a benchmark; unusable when the mirror does not fit this YAZ.
class YazReader {
public:
    YazReader() : mt_(yaz_marc_create()), usable_(yazLayoutHolds(mt_)) {}
    ~YazReader() { yaz_marc_destroy(mt_); }
    YazReader(const YazReader&) = delete;
    YazReader& operator=(const YazReader&) = delete;

    bool readyFor(benchmark::State& state) const {
        if (!usable_) state.SkipWithError("YAZ's private record layout differs from the mirror");
        return usable_;
    }
    void pass() const {
        for (const std::string_view record : corpus().records)
            benchmark::DoNotOptimize(yazBrief(mt_, record));
    }

private:
    yaz_marc_t mt_;
    bool usable_;
};

void oursPass() {
    for (const std::string_view record : corpus().records)
        benchmark::DoNotOptimize(oursBrief(record));
}

void setRecordCounters(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kRecords));
    state.counters["bytes_per_record"] =
        static_cast<double>(corpus().bytes.size()) / static_cast<double>(kRecords);
}

void BM_BriefMarc(benchmark::State& state) {
    corpus();
    for (auto _ : state) oursPass();
    setRecordCounters(state);
}

void BM_YazIso2709(benchmark::State& state) {
    const YazReader yaz;
    if (!yaz.readyFor(state)) return;
    for (auto _ : state) yaz.pass();
    setRecordCounters(state);
}

// A reader pass whose handler wants nothing: the floor under the brief handler.
void BM_DirectoryWalk(benchmark::State& state) {
    corpus();
    class Nothing : public MarcHandler {
    public:
        bool onDataField(std::string_view, const MarcField&) override { return false; }
    };
    for (auto _ : state) {
        for (const std::string_view record : corpus().records) {
            Nothing handler;
            MarcReader().read(record.data(), record.size(), handler);
            benchmark::ClobberMemory();
        }
    }
    setRecordCounters(state);
}

// Both readers over the same records in every iteration, so that load from other
// work on the machine weighs on both alike; the ratio is ours over YAZ's.
void BM_BriefVsYaz(benchmark::State& state) {
    const YazReader yaz;
    if (!yaz.readyFor(state)) return;
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double> ours{0}, theirs{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        oursPass();
        const auto t1 = Clock::now();
        yaz.pass();
        const auto t2 = Clock::now();
        ours += t1 - t0;
        theirs += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t2 - t0).count());
    }
    const double records = static_cast<double>(state.iterations() * kRecords);
    state.counters["ours_rec_per_s"] = records / ours.count();
    state.counters["yaz_rec_per_s"] = records / theirs.count();
    state.counters["ratio"] = theirs.count() / ours.count();
}

}  // namespace

BENCHMARK(BM_BriefMarc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YazIso2709)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectoryWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BriefVsYaz)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
