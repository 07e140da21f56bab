// The tickets at a real-size load: 100 tickets of 10 forms, each playing 20 draws, against a
// database of 2,000 draws. Targets: checked in under 50 ms; the Tickets window shown in under
// 100 ms.
#include "models/state/AppState.h"
#include "models/tickets/Tickets.h"
#include "support/BenchSupport.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printer.h"
#include "ui/Services.h"
#include "windows/tickets/TicketsWindow.h"

#include <QApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>

namespace {

core::AppState Loaded()
{
    core::AppState state;
    QRandomGenerator random(5);
    auto numbers = [&random] {
        std::vector<int> pool(49);
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), random);
        std::vector<int> form(pool.begin(), pool.begin() + 6);
        std::sort(form.begin(), form.end());
        return form;
    };
    database::DrawDatabase& db = state.database;
    db.setShape(6, 49);
    db.setRecordCount(2000);
    QDate date(2007, 1, 6);
    for (int r = 1; r <= 2000; ++r, date = date.addDays(7)) {
        database::DrawRecord& rec = db.record(r);
        rec.RecordNo = r;
        rec.DrawDate = date;
        const std::vector<int> drawn = numbers();
        std::copy(drawn.begin(), drawn.end(), rec.Numbers.begin());
    }
    for (int t = 0; t < 100; ++t) {
        tickets::Ticket ticket;
        for (int f = 0; f < 10; ++f)
            ticket.forms.push_back(numbers());
        ticket.firstDraw = db.record(1 + t * 19).DrawDate;
        ticket.draws = 20;
        ticket.price = 200;
        state.tickets.tickets.push_back(ticket);
    }
    state.tickets.prizes[3] = {tickets::PrizeKind::Fixed, 1000};
    state.tickets.prizes[4] = {tickets::PrizeKind::Fixed, 5000};
    return state;
}

void BM_CheckHundredTicketsOfTenForms(benchmark::State& state_)
{
    const core::AppState state = Loaded();
    for (auto _ : state_)
        benchmark::DoNotOptimize(tickets::CheckTickets(state.database, state.tickets));
}
BENCHMARK(BM_CheckHundredTicketsOfTenForms)->Unit(benchmark::kMillisecond);

void BM_TicketsWindowShown(benchmark::State& state_)
{
    core::AppState state = Loaded();
    bench::QuietDialogs dialogs;
    bench::NoPrinter printer;
    bench::FixedClock clock;
    ui::Services services{dialogs, printer, clock};
    for (auto _ : state_) {
        tickets::TicketsWindow window(state, services);
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TicketsWindowShown)->Unit(benchmark::kMillisecond);

} // namespace
