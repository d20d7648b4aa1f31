// Exporting 50,000 MARC-8 records as UTF-8 (records copied out of the store,
// each read in MARC-8, composed to NFC and written anew) beside the toolkit's
// "yaz-marcdump -f MARC-8 -t UTF-8 -o marc" over the same file, both in every
// iteration of the same run. ratio is the export's time over yaz-marcdump's
// (its process start included, a few milliseconds).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "Marc8Records.h"
#include "MarcCorpus.h"
#include "TestSupport.h"
#include "marc/MarcCharsetChoice.h"
#include "records/ResultStore.h"
#include "export/AssembleRecords.h"

namespace {

constexpr int kRecords = 50000;
using Clock = std::chrono::steady_clock;

struct Result {
    ResultStore store;
    std::vector<int32_t> numbers;
    std::string marc8;  // the same records as one file
};

const Result& result() {
    static const Result* built = [] {
        auto* r = new Result;
        const MarcCorpus corpus(kRecords, 5);
        const std::vector<std::string> scripts = scriptRecordsUtf8();
        int n = 0;
        for (const CorpusRecord& c : corpus.records()) {
            // Every tenth record carries the other character sets and every diacritic.
            const std::string& utf8 = ++n % 10 == 0 ? scripts[n / 10 % scripts.size()] : c.iso2709;
            Record record;
            record.kind = Marc;
            record.syntax = "usmarc";
            record.rawData = toMarc8(utf8);
            record.charsetChoice = packCharsetChoice(
                chooseMarcCharset(record.rawData, RecordCharsetSetting::Automatic));
            record.formsDeferred = true;
            r->marc8 += record.rawData;
            r->store.add(std::move(record));
        }
        for (int32_t number = 1; number <= kRecords; ++number) r->numbers.push_back(number);
        return r;
    }();
    return *built;
}

void BM_Utf8ExportVsYazMarcdump(benchmark::State& state) {
    const TempDir dir;
    writeFileBytes(dir.file("marc8.mrc"), result().marc8);
    const std::string command = "yaz-marcdump -f MARC-8 -t UTF-8 -o marc '" +
                                dir.file("marc8.mrc") + "' > '" + dir.file("yaz.mrc") + "'";
    MarcExportOptions options;
    options.asUtf8 = true;
    std::chrono::duration<double> ours{0}, yaz{0};
    size_t bytes = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ExportProgress progress;
        const AssembledFile file = assembleRecords(result().store, result().numbers,
                                                   FileExportKind::Marc, {}, progress, options);
        const auto t1 = Clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("yaz-marcdump failed");
        const auto t2 = Clock::now();
        if (file.written != static_cast<size_t>(kRecords)) state.SkipWithError("records lost");
        bytes = file.bytes.size();
        ours += t1 - t0;
        yaz += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t2 - t0).count());
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["export_ms"] = 1000 * ours.count() / n;
    state.counters["yaz_ms"] = 1000 * yaz.count() / n;
    state.counters["ratio"] = ours.count() / yaz.count();
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

}  // namespace

BENCHMARK(BM_Utf8ExportVsYazMarcdump)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
