// Loading and saving a full (2,000-record, ten-number) ".LTO" database.
#include "models/draws/DrawDatabase.h"
#include "support/BenchSupport.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
database::DrawDatabase FullDatabase()
{
    return bench::RandomDatabase(10, 60, 11);
}
} // namespace

static void BM_LoadFullLtoFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Full.lto"));
    if (!lto::Save(path, FullDatabase())) state.SkipWithError("cannot write the file");
    database::DrawDatabase db;
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
    const database::DrawDatabase db = FullDatabase();
    for (auto _ : state) {
        const bool ok = lto::Save(path, db);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_SaveFullLtoFile)->Unit(benchmark::kMillisecond);
