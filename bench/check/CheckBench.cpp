// The search of Check Numbers over a full table: 2,000 records of ten numbers from 1..60.
#include "models/check/CheckModel.h"
#include "models/state/AppState.h"
#include "support/BenchSupport.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/InputBox.h"
#include "ui/Printer.h"
#include "ui/Services.h"
#include "windows/check/CheckWindow.h"

#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {
database::DrawDatabase FullDatabase()
{
    return bench::RandomDatabase(10, 60);
}

using bench::NoPrinter;
using bench::QuietDialogs;
} // namespace

// Ten check numbers; the argument is the minimum number of matches (1 lists most records).
static void BM_SearchTenNumbers(benchmark::State& state)
{
    const database::DrawDatabase db = FullDatabase();
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
    const database::DrawDatabase db = FullDatabase();
    const QStringList boxes = {QStringLiteral("3"),  QStringLiteral("9"),  QStringLiteral("14"),
                               QStringLiteral("22"), QStringLiteral("27"), QStringLiteral("35"),
                               QStringLiteral("41"), QStringLiteral("48"), QStringLiteral("53"),
                               QStringLiteral("60")};
    const check::SearchResult r = check::Search(db, QStringLiteral(" 1"), boxes);
    for (auto _ : state) {
        QStringList lines = check::PrintoutLines(db.title(), r);
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = static_cast<double>(check::PrintoutLines(db.title(), r).size());
}
BENCHMARK(BM_PrintoutLines)->Unit(benchmark::kMicrosecond);

// "Check Numbers" pressed in the window: checks, search and filling the grid, newest first.
static void BM_WindowSearchAndDisplay(benchmark::State& state)
{
    core::AppState app;
    app.database = FullDatabase();
    QuietDialogs dialogs;
    NoPrinter printer;
    ui::SystemClock clock;
    ui::Services services{dialogs, printer, clock};
    check::CheckWindow window(app.database, app.RetypeFlag, services);
    window.findChild<ui::InputBox*>(QStringLiteral("MatchNum"))
        ->setText(QStringLiteral(" %1").arg(state.range(0)));
    const int numbers[] = {3, 9, 14, 22, 27, 35, 41, 48, 53, 60};
    for (int i = 0; i < 10; ++i)
        window.findChild<ui::InputBox*>(QStringLiteral("CInYourNum%1").arg(i))
            ->setText(QString::number(numbers[i]));
    QPushButton* calc = window.findChild<QPushButton*>(QStringLiteral("CCalc"));
    for (auto _ : state)
        calc->click();
    state.counters["matches"] = window.lastSearch().matchCount();
}
BENCHMARK(BM_WindowSearchAndDisplay)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
