// Loading and saving a full (2,000-record, ten-number) ".LTO" database.
#include "database/DrawDatabase.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {
DrawDatabase FullDatabase()
{
    DrawDatabase db;
    db.Title = QStringLiteral("Benchmark, ten numbers of 60");
    db.ColumnCount = 12;
    db.HighNumber = 60;
    db.RecordCount = DrawDatabase::MaxRecords;
    std::mt19937 gen(11);
    std::uniform_int_distribution<int> pick(1, 60);
    for (int r = 1; r <= db.RecordCount; ++r) {
        DrawRecord& rec = db.Records[static_cast<size_t>(r)];
        rec.RecordNo = r;
        rec.DrawDate = QDate(1990, 1, 3).addDays(3 * r);
        for (int& n : rec.Numbers)
            n = pick(gen);
    }
    return db;
}
} // namespace

static void BM_LoadFullLtoFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Full.lto"));
    if (!lto::Save(path, FullDatabase()))
        state.SkipWithError("cannot write the file");
    DrawDatabase db;
    for (auto _ : state) {
        const lto::LoadResult r = lto::Load(path, db);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_LoadFullLtoFile)->Unit(benchmark::kMillisecond);

static void BM_SaveFullLtoFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Full.lto"));
    const DrawDatabase db = FullDatabase();
    for (auto _ : state) {
        const bool ok = lto::Save(path, db);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_SaveFullLtoFile)->Unit(benchmark::kMillisecond);
