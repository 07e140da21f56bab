// Opening the Database window on a full table: laying out, filling the record grid and the
// three count grids, counting and ranking.
#include "core/AppState.h"
#include "database/DatabaseWindow.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printer.h"
#include "ui/Services.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

class QuietDialogs final : public ui::Dialogs {
public:
    void message(const QString&, const QString&) override {}
    bool ask(const QString&, const QString&) override { return false; }
    std::optional<QString> chooseFile(ui::FileMode, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    void beep() override {}
    void setBusy(bool) override {}
};

class NoPrinter final : public ui::Printer {
public:
    bool printText(const ui::TextDocument&, const QString&) override { return false; }
    bool printPage(const ui::PagePainter&, const QString&, bool) override { return false; }
};

class FixedClock final : public ui::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime(10, 0)); }
    void wait(int) override {}
};

void FillFull(AppState& state, int picks)
{
    DrawDatabase& db = state.Database;
    db.Title = QStringLiteral("Full");
    db.ColumnCount = picks + 2;
    db.HighNumber = 60;
    db.AdvanceFirst = 3;
    db.RecordCount = DrawDatabase::MaxRecords;
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> pick(1, 60);
    for (int r = 1; r <= db.RecordCount; ++r) {
        DrawRecord& rec = db.Records[static_cast<size_t>(r)];
        rec.RecordNo = r;
        rec.DrawDate = QDate(1990, 1, 3).addDays(r % 2 ? 3LL * r : 4LL * r);
        for (int k = 0; k < picks; ++k)
            rec.Numbers[static_cast<size_t>(k)] = pick(gen);
    }
}

} // namespace

static void BM_OpenDatabaseWindow(benchmark::State& bench)
{
    AppState state;
    FillFull(state, static_cast<int>(bench.range(0)));
    QuietDialogs dialogs;
    NoPrinter printer;
    FixedClock clock;
    ui::Services services{dialogs, printer, clock};
    for (auto _ : bench) {
        auto w = std::make_unique<DatabaseWindow>(state, services);
        benchmark::DoNotOptimize(w.get());
        bench.PauseTiming();
        w.reset();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDatabaseWindow)->Arg(6)->Arg(10)->Unit(benchmark::kMillisecond);

// The same, with the window shown and painted once, as the user first sees it.
static void BM_OpenAndShowDatabaseWindow(benchmark::State& bench)
{
    AppState state;
    FillFull(state, static_cast<int>(bench.range(0)));
    QuietDialogs dialogs;
    NoPrinter printer;
    FixedClock clock;
    ui::Services services{dialogs, printer, clock};
    for (auto _ : bench) {
        auto w = std::make_unique<DatabaseWindow>(state, services);
        w->show();
        benchmark::DoNotOptimize(w->grab());
        bench.PauseTiming();
        w.reset();
        QApplication::processEvents();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndShowDatabaseWindow)->Arg(6)->Arg(10)->Unit(benchmark::kMillisecond);
