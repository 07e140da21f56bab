// Importing a history: a 2,000-row CSV read, sniffed, checked and merged into a database of
// 1,000 records; and the import window's preview of a 10,000-row file, shown and painted. The
// weekly update: a 2,000-row source that a database of 1,997 of its draws remembers, read again
// and merged, and the same through the Update Draws window.
#include "models/history/Import.h"
#include "models/history/RememberedSource.h"
#include "models/state/AppState.h"
#include "support/BenchSupport.h"
#include "ui/Services.h"
#include "windows/import/ImportDialog.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

// Rows as an operator publishes them: newest first, a date in words, six numbers a column, a
// bonus ball and a draw number.
QByteArray OperatorCsv(int rows, const QDate& first, unsigned seed = 11)
{
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> pick(1, 49);
    QByteArray out = "DrawDate,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus Ball,DrawNumber\r\n";
    for (int r = rows - 1; r >= 0; --r) {
        const QDate d = first.addDays(3LL * r + r / 2);
        out += d.toString(QStringLiteral("dd-MMM-yyyy")).toLatin1();
        std::vector<int> drawn;
        while (drawn.size() < 7) {
            const int n = pick(gen);
            if (std::find(drawn.begin(), drawn.end(), n) == drawn.end()) drawn.push_back(n);
        }
        for (int n : drawn)
            out += ',' + QByteArray::number(n);
        out += ',' + QByteArray::number(1000 + r) + "\r\n";
    }
    return out;
}

// The first `count` draws of the source, as records of a six-of-49 database.
database::DrawDatabase DatabaseFrom(const QByteArray& csv, int count)
{
    database::DrawDatabase db;
    db.setShape(6, 49);
    const history::SourceTable t = history::ReadTable(history::DecodeSource(csv).text);
    const history::Detection d = history::Detect(t, 6, history::DateOrder::DayFirst);
    history::ImportPlan plan = history::PlanImport(t, d.mapping, db, {6, 49}, {});
    // Keep the oldest `count` rows (the file is newest first).
    std::erase_if(plan.rows, [&plan, count](const history::PlannedRow& r) {
        return &r - plan.rows.data() < static_cast<std::ptrdiff_t>(plan.rows.size()) - count;
    });
    plan.added = count;
    history::ApplyPlan(plan, db, {});
    return db;
}

} // namespace

static void BM_Import2000RowsInto1000Records(benchmark::State& bench)
{
    const QByteArray csv = OperatorCsv(2000, QDate(2005, 1, 1));
    const database::DrawDatabase base = DatabaseFrom(csv, 1000);
    int added = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        database::DrawDatabase db = base;
        bench.ResumeTiming();
        const history::DecodedText text = history::DecodeSource(csv);
        const history::SourceTable t = history::ReadTable(text.text);
        const history::Detection d =
            history::Detect(t, db.picksPerDraw(), history::DateOrder::DayFirst);
        const history::ImportPlan plan =
            history::PlanImport(t, d.mapping, db, {db.picksPerDraw(), db.highNumber()}, {});
        added = history::ApplyPlan(plan, db, {}).added;
        benchmark::DoNotOptimize(db.records().data());
    }
    bench.counters["added"] = added;
}
BENCHMARK(BM_Import2000RowsInto1000Records)->Unit(benchmark::kMillisecond);

static void BM_PreviewOf10000Rows(benchmark::State& bench)
{
    const QString text = history::DecodeSource(OperatorCsv(10000, QDate(1940, 1, 1))).text;
    core::AppState state;
    state.database = bench::RandomDatabase(6, 49);
    state.database.setRecordCount(1000);
    bench::QuietDialogs dialogs;
    bench::NoPrinter printer;
    bench::FixedClock clock;
    ui::Services services{dialogs, printer, clock};
    for (auto _ : bench) {
        bench.PauseTiming();
        auto w = std::make_unique<history::ImportDialog>(state, services);
        w->show();
        QApplication::processEvents();
        bench.ResumeTiming();
        w->setSource(text, QStringLiteral("draws.csv"));
        benchmark::DoNotOptimize(w->grab());
        bench.PauseTiming();
        w.reset();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_PreviewOf10000Rows)->Unit(benchmark::kMillisecond);

// A JSON archive of 5,000 draws as an operator publishes it: under one key, pretty-printed, a
// dotted date, the numbers as a list, an extra number and a nested object of prizes.
QByteArray JsonArchive(int draws)
{
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> pick(1, 49);
    QByteArray out = "{\n  \"lottery\": \"6 of 49\",\n  \"draws\": [\n";
    for (int r = 0; r < draws; ++r) {
        const QDate d = QDate(1960, 1, 2).addDays(3LL * r + r / 2);
        std::vector<int> drawn;
        while (drawn.size() < 6) {
            const int n = pick(gen);
            if (std::find(drawn.begin(), drawn.end(), n) == drawn.end()) drawn.push_back(n);
        }
        out += "    {\n      \"date\": \"" + d.toString(QStringLiteral("dd.MM.yyyy")).toLatin1() +
               "\",\n      \"numbers\": [";
        for (size_t k = 0; k < drawn.size(); ++k)
            out += (k > 0 ? ", " : "") + QByteArray::number(drawn[k]);
        out += "],\n      \"superzahl\": " + QByteArray::number(pick(gen) % 10) +
               ",\n      \"prizes\": {\"class1\": 0, \"class9\": 61234}\n    }" +
               (r + 1 < draws ? ",\n" : "\n");
    }
    return out + "  ]\n}\n";
}

static void BM_JsonArchiveOf5000ReadAndPlanned(benchmark::State& bench)
{
    const QString text = history::DecodeSource(JsonArchive(5000)).text;
    database::DrawDatabase db;
    db.setShape(6, 49);
    int added = 0;
    for (auto _ : bench) {
        const history::SourceTable t = history::ReadTable(text);
        const history::Detection d = history::Detect(t, 0, history::DateOrder::DayFirst);
        const history::ImportPlan plan =
            history::PlanImport(t, d.mapping, db, history::ShapeFromSource(d), {});
        added = plan.added;
        benchmark::DoNotOptimize(plan.rows.data());
    }
    bench.counters["added"] = added;
}
BENCHMARK(BM_JsonArchiveOf5000ReadAndPlanned)->Unit(benchmark::kMillisecond);

// The source a database of its oldest draws remembers, as Import Draws or --remember keep it.
QJsonObject Remembered(const QString& location, const QByteArray& csv)
{
    const history::SourceTable t = history::ReadTable(history::DecodeSource(csv).text);
    const history::Detection d = history::Detect(t, 6, history::DateOrder::DayFirst, 49);
    return history::ToJson(history::RememberSource(location, t, d, d.mapping, true));
}

static void BM_UpdateOf3NewDrawsFrom2000Rows(benchmark::State& bench)
{
    const QByteArray csv = OperatorCsv(2000, QDate(2005, 1, 1));
    const database::DrawDatabase base = DatabaseFrom(csv, 1997);
    const QJsonObject kept = Remembered(QStringLiteral("/draws.csv"), csv);
    int added = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        database::DrawDatabase db = base;
        bench.ResumeTiming();
        QString problem;
        const std::optional<history::RememberedSource> source = history::FromJson(kept, problem);
        const history::SourceTable t =
            history::ReadRememberedTable(history::DecodeSource(csv).text, *source);
        history::Mapping mapping;
        history::ResolveMapping(*source, t, mapping, problem);
        const history::ImportPlan plan =
            history::PlanImport(t, mapping, db, {db.picksPerDraw(), db.highNumber()}, {});
        added = history::ApplyPlan(plan, db, {}).added;
        benchmark::DoNotOptimize(db.records().data());
    }
    bench.counters["added"] = added;
}
BENCHMARK(BM_UpdateOf3NewDrawsFrom2000Rows)->Unit(benchmark::kMillisecond);

static void BM_UpdateDrawsWindowOf2000Rows(benchmark::State& bench)
{
    const QByteArray csv = OperatorCsv(2000, QDate(2005, 1, 1));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("draws.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size()) {
        bench.SkipWithError("the source cannot be written");
        return;
    }
    file.close();
    core::AppState state;
    state.database = DatabaseFrom(csv, 1997);
    state.tickets.source = Remembered(path, csv);
    bench::QuietDialogs dialogs;
    bench::NoPrinter printer;
    bench::FixedClock clock;
    ui::Services services{dialogs, printer, clock};
    for (auto _ : bench) {
        bench.PauseTiming();
        auto w = std::make_unique<history::ImportDialog>(state, services);
        bench.ResumeTiming();
        if (!w->startUpdate()) {
            bench.SkipWithError("nothing to show");
            break;
        }
        w->show();
        benchmark::DoNotOptimize(w->grab());
        bench.PauseTiming();
        w.reset();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_UpdateDrawsWindowOf2000Rows)->Unit(benchmark::kMillisecond);
