// The search of Check Numbers over a full table: 2,000 records of ten numbers from 1..60.
#include "check/CheckModel.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {
DrawDatabase FullDatabase()
{
    DrawDatabase db;
    db.ColumnCount = 12;
    db.HighNumber = 60;
    db.RecordCount = DrawDatabase::MaxRecords;
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> pick(1, 60);
    for (int r = 1; r <= db.RecordCount; ++r) {
        DrawRecord& rec = db.Records[static_cast<size_t>(r)];
        rec.RecordNo = r;
        rec.DrawDate = QDate(1990, 1, 1).addDays(3 * r);
        for (int& n : rec.Numbers)
            n = pick(gen);
    }
    return db;
}
} // namespace

// Ten check numbers; the argument is the minimum number of matches (1 lists most records).
static void BM_SearchTenNumbers(benchmark::State& state)
{
    const DrawDatabase db = FullDatabase();
    const QStringList boxes = {QStringLiteral("3"),  QStringLiteral("9"),  QStringLiteral("14"),
                               QStringLiteral("22"), QStringLiteral("27"), QStringLiteral("35"),
                               QStringLiteral("41"), QStringLiteral("48"), QStringLiteral("53"),
                               QStringLiteral("60")};
    const QString minimum = QStringLiteral(" %1").arg(state.range(0));
    for (auto _ : state) {
        check::SearchResult r = check::Search(db, minimum, boxes);
        benchmark::DoNotOptimize(r.matches.data());
    }
}
BENCHMARK(BM_SearchTenNumbers)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

// The printout's lines for the search with the most matches.
static void BM_PrintoutLines(benchmark::State& state)
{
    const DrawDatabase db = FullDatabase();
    const QStringList boxes = {QStringLiteral("3"),  QStringLiteral("9"),  QStringLiteral("14"),
                               QStringLiteral("22"), QStringLiteral("27"), QStringLiteral("35"),
                               QStringLiteral("41"), QStringLiteral("48"), QStringLiteral("53"),
                               QStringLiteral("60")};
    const check::SearchResult r = check::Search(db, QStringLiteral(" 1"), boxes);
    for (auto _ : state) {
        QStringList lines = check::PrintoutLines(db.Title, r);
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = static_cast<double>(check::PrintoutLines(db.Title, r).size());
}
BENCHMARK(BM_PrintoutLines)->Unit(benchmark::kMicrosecond);
