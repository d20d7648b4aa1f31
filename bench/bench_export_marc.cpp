// Writing 50,000 records of a result to one MARC file: the export (records
// copied out of the store a slice at a time, assembled, saved through a
// temporary file) beside writing the same bytes with one plain write loop,
// both in every iteration of the same run; the ratio is the export's time
// over the loop's.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QString>
#include <chrono>
#include <string>
#include <vector>

#include "MarcCorpus.h"
#include "TestSupport.h"
#include "engine/ResultStore.h"
#include "export/AssembleRecords.h"
#include "export/widgets/SaveExportFile.h"

namespace {

constexpr int kRecords = 50000;

struct Result {
    ResultStore store;
    std::vector<int32_t> numbers;
    std::vector<std::string> bytes;
};

const Result& result() {
    static const Result* built = [] {
        auto* r = new Result;
        const MarcCorpus corpus(kRecords, 5);
        for (const CorpusRecord& c : corpus.records()) {
            Record record;
            record.kind = Marc;
            record.syntax = "usmarc";
            record.title = c.titleA;
            record.author = c.authorA;
            record.date = c.dateC;
            record.targetName = "Bench";
            record.rawData = c.iso2709;
            record.formsDeferred = true;
            r->store.add(std::move(record));
            r->bytes.push_back(c.iso2709);
        }
        for (int32_t n = 1; n <= kRecords; ++n) r->numbers.push_back(n);
        return r;
    }();
    return *built;
}

void exportPass(const std::string& path) {
    ExportProgress progress;
    const AssembledFile file =
        assembleRecords(result().store, result().numbers, FileExportKind::Marc, {}, progress);
    QString message, cause;
    if (file.written != static_cast<size_t>(kRecords) ||
        !saveExportFile(QString::fromStdString(path), file.bytes, message, cause))
        std::abort();
}

void writeLoopPass(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) std::abort();
    for (const std::string& record : result().bytes) {
        for (size_t done = 0; done < record.size();) {
            const ssize_t n = ::write(fd, record.data() + done, record.size() - done);
            if (n <= 0) std::abort();
            done += static_cast<size_t>(n);
        }
    }
    ::close(fd);
}

void BM_MarcExportVsWriteLoop(benchmark::State& state) {
    const TempDir dir;
    const std::string ours = dir.file("export.mrc"), plain = dir.file("plain.mrc");
    result();
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double> exportTime{0}, loopTime{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        exportPass(ours);
        const auto t1 = Clock::now();
        writeLoopPass(plain);
        const auto t2 = Clock::now();
        exportTime += t1 - t0;
        loopTime += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t2 - t0).count());
    }
    if (readFileBytes(ours) != readFileBytes(plain)) state.SkipWithError("files differ");
    state.counters["export_ms"] = 1000 * exportTime.count() / state.iterations();
    state.counters["loop_ms"] = 1000 * loopTime.count() / state.iterations();
    state.counters["ratio"] = exportTime.count() / loopTime.count();
}

}  // namespace

BENCHMARK(BM_MarcExportVsWriteLoop)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
