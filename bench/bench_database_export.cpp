// Inserting 10,000 records into SQLite through the export (template read once,
// values bound, one transaction, records handed over in slices) against a
// plain prepared-statement loop of the same values on a connection of its own, side by side in
// every iteration so that other load on the machine weighs on both alike. The counter "ratio" is
// the export's time over the loop's (the goal is under 1.5).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "records/Record.h"
#include "export/InsertTemplate.h"
#include "export/db/CADODatabase.h"
#include "export/db/DatabaseExportJob.h"

namespace {

constexpr size_t kRecords = 10000;

std::vector<Record> makeRecords() {
    std::vector<Record> records(kRecords);
    for (size_t i = 0; i < kRecords; ++i) {
        Record& r = records[i];
        r.number = static_cast<int32_t>(i + 1);
        r.kind = Marc;
        r.title = "Title number " + std::to_string(i) + " of the benchmark's records";
        r.author = "Author " + std::to_string(i % 97);
        r.rawData = std::string(900, static_cast<char>('a' + i % 26)) + '\x1D';
    }
    return records;
}

const char* const kTable = "CREATE TABLE t (title TEXT, author TEXT, marc BLOB)";

void runSql(CADODatabase& db, const std::string& sql) { db.Execute(sql); }

void exportPass(const std::string& connection, const std::vector<Record>& records) {
    ParsedTemplate parsed;
    std::string error;
    parseInsertTemplate(
        "INSERT INTO t(title, author, marc) VALUES('{TITLE}', '{AUTHOR}', {RECORD})", parsed,
        error);
    DatabaseExportJob job(connection, parsed, records.size(), [&records](size_t from, size_t n) {
        return std::vector<Record>(records.begin() + static_cast<long>(from),
                                   records.begin() + static_cast<long>(from + n));
    });
    if (job.wait().outcome != DatabaseExportJob::Result::Done)
        throw std::runtime_error("export failed: " + job.wait().detail);
}

// What a program of its own would do: connect, prepare, bind and run, commit.
void plainPass(const std::string& connection, const std::vector<Record>& records) {
    CADODatabase db;
    db.Open(connection);
    QSqlDatabase q = db.database();
    q.transaction();
    QSqlQuery insert(q);
    insert.prepare("INSERT INTO t(title, author, marc) VALUES(?, ?, ?)");
    for (const Record& r : records) {
        insert.bindValue(0, QString::fromStdString(r.title));
        insert.bindValue(1, QString::fromStdString(r.author));
        insert.bindValue(2, QByteArray::fromStdString(r.rawData));
        if (!insert.exec()) throw std::runtime_error(insert.lastError().text().toStdString());
    }
    q.commit();
}

void BM_ExportVsPreparedLoop(benchmark::State& state) {
    TempDir dir;
    const std::vector<Record> records = makeRecords();
    const std::string ours = dir.file("ours.db"), plain = dir.file("plain.db");
    writeFileBytes(ours, "");
    writeFileBytes(plain, "");
    CADODatabase oursDb, plainDb;
    oursDb.Open("Driver=SQLite;Database=" + ours);
    plainDb.Open("Driver=SQLite;Database=" + plain);
    runSql(oursDb, kTable);
    runSql(plainDb, kTable);
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double> exportTime{0}, plainTime{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        exportPass("Driver=SQLite;Database=" + ours, records);
        const auto t1 = Clock::now();
        plainPass("Driver=SQLite;Database=" + plain, records);
        const auto t2 = Clock::now();
        exportTime += t1 - t0;
        plainTime += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t2 - t0).count());
        state.PauseTiming();
        runSql(oursDb, "DELETE FROM t");
        runSql(plainDb, "DELETE FROM t");
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations() * kRecords);
    state.counters["export_rec_per_s"] = n / exportTime.count();
    state.counters["plain_rec_per_s"] = n / plainTime.count();
    state.counters["ratio"] = exportTime.count() / plainTime.count();
}

}  // namespace

BENCHMARK(BM_ExportVsPreparedLoop)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

int main(int argc, char** argv) {
    // Qt SQL loads its drivers through the application object.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
