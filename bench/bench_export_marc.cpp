// Writing 50,000 records of a result to one MARC file: the export (records
// copied out of the store a slice at a time, assembled, saved by the safe
// write of every export) beside writing the same bytes with one plain write
// loop, both in every iteration of the same run. ratio is the export's time
// over the loop's. The safe write flushes the file to disk before it takes
// the old one's place; the plain loop does not, so sync_ms gives what that
// flush costs the loop, and ratio_synced compares with the loop plus it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QString>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "MarcCorpus.h"
#include "TestSupport.h"
#include "records/ResultStore.h"
#include "export/AssembleRecords.h"
#include "export/widgets/SaveExportFile.h"

namespace {

constexpr int kRecords = 50000;
using Clock = std::chrono::steady_clock;

struct Result {
    ResultStore store;
    std::vector<int32_t> numbers;
    std::string bytes;  // the records one after another, as the file holds them
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
            r->bytes += c.iso2709;
        }
        for (int32_t n = 1; n <= kRecords; ++n) r->numbers.push_back(n);
        return r;
    }();
    return *built;
}

// The export as the command runs it, without the dialogs; the time it took to
// assemble the file goes to assembled.
void exportPass(const std::string& path, std::chrono::duration<double>& assembled) {
    const auto t0 = Clock::now();
    ExportProgress progress;
    const AssembledFile file =
        assembleRecords(result().store, result().numbers, FileExportKind::Marc, {}, progress);
    assembled += Clock::now() - t0;
    QString message, cause;
    if (file.written != static_cast<size_t>(kRecords) ||
        !saveExportFile(QString::fromStdString(path), file.bytes, message, cause))
        std::abort();
}

// The plain loop; the flush to disk afterwards is timed apart into synced.
void writeLoopPass(const std::string& path, std::chrono::duration<double>& synced) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) std::abort();
    const std::string& bytes = result().bytes;
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) std::abort();
        done += static_cast<size_t>(n);
    }
    const auto t0 = Clock::now();
    ::fdatasync(fd);
    synced += Clock::now() - t0;
    ::close(fd);
}

void BM_MarcExportVsWriteLoop(benchmark::State& state) {
    const TempDir dir;
    const std::string ours = dir.file("export.mrc"), plain = dir.file("plain.mrc");
    result();
    std::chrono::duration<double> exportTime{0}, assembled{0}, loopAndSync{0}, synced{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        exportPass(ours, assembled);
        const auto t1 = Clock::now();
        writeLoopPass(plain, synced);
        const auto t2 = Clock::now();
        exportTime += t1 - t0;
        loopAndSync += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t2 - t0).count());
    }
    if (readFileBytes(ours) != readFileBytes(plain)) state.SkipWithError("files differ");
    const double n = static_cast<double>(state.iterations());
    const double loop = (loopAndSync - synced).count();
    state.counters["export_ms"] = 1000 * exportTime.count() / n;
    state.counters["assemble_ms"] = 1000 * assembled.count() / n;
    state.counters["loop_ms"] = 1000 * loop / n;
    state.counters["sync_ms"] = 1000 * synced.count() / n;
    state.counters["ratio"] = exportTime.count() / loop;
    state.counters["ratio_synced"] = exportTime.count() / loopAndSync.count();
}

}  // namespace

BENCHMARK(BM_MarcExportVsWriteLoop)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
