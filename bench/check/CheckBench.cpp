// The search of Check Numbers over a full table: 2,000 records of ten numbers from 1..60.
#include "check/CheckModel.h"
#include "check/CheckWindow.h"
#include "core/AppState.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/InputBox.h"
#include "ui/Printer.h"
#include "ui/Services.h"

#include <QPushButton>
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

// The window needs its services; nothing of them is measured.
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

// "Check Numbers" pressed in the window: checks, search and filling the grid, newest first.
static void BM_WindowSearchAndDisplay(benchmark::State& state)
{
    AppState app;
    app.Database = FullDatabase();
    QuietDialogs dialogs;
    NoPrinter printer;
    ui::SystemClock clock;
    ui::Services services{dialogs, printer, clock};
    check::CheckWindow window(app, services);
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
