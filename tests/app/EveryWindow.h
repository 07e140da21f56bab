#pragma once
// Every window of the program, built over the sample database with fake services and shown, one
// after another, for checks that hold for all of them.
#include "models/draws/DrawDatabase.h"
#include "models/state/AppState.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Accessible.h"
#include "ui/Services.h"
#include "windows/backtest/BackTestWindow.h"
#include "windows/check/CheckWindow.h"
#include "windows/database/DatabaseWindow.h"
#include "windows/database/ExtractDialog.h"
#include "windows/database/RecordDialog.h"
#include "windows/graphs/GraphsWindow.h"
#include "windows/import/ImportDialog.h"
#include "windows/invest/InvNumDialog.h"
#include "windows/invest/InvestmentWindow.h"
#include "windows/menu/MainMenu.h"
#include "windows/menu/SettingsForm.h"
#include "windows/picks/PickWindow.h"
#include "windows/tickets/TicketDialogs.h"
#include "windows/tickets/TicketsWindow.h"
#include "windows/wheel/WheelWindow.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

struct EveryWindow {
    EveryWindow()
    {
        // As the program does at start-up.
        ui::InstallWindowRoles();
        EXPECT_EQ(lto::Load(QStringLiteral(TALLIMO_SAMPLES_DIR "/Sample.Lto"), state.database),
                  lto::LoadResult::Ok);
    }

    // Calls `check` with each window's name and the window, shown.
    void forEach(const std::function<void(const char* name, QWidget& window)>& check)
    {
        const std::pair<const char*, std::function<QWidget*()>> windows[] = {
            {"menu", [&] { return new app::MainMenu; }},
            {"settings", [&] { return new app::SettingsForm(state, services); }},
            {"database", [&] { return new database::DatabaseWindow(state, services); }},
            {"record", [&] { return new database::RecordDialog(dialogs); }},
            {"extract", [&] { return new database::ExtractDialog(state, services); }},
            {"graphs",
             [&] { return new stats::GraphsWindow(state.database, state.stats, services); }},
            {"picks", [&] { return new picks::PickWindow(state, services); }},
            {"check",
             [&] { return new check::CheckWindow(state.database, state.RetypeFlag, services); }},
            {"invest",
             [&] { return new inv::InvestmentWindow(state.settings.CurrencySymbol, services); }},
            {"amount", [&] { return new inv::InvNumDialog(QStringLiteral(" Amount"), dialogs); }},
            {"import", [&] { return new history::ImportDialog(state, services); }},
            {"backtest", [&] { return new odds::BackTestWindow(state.database, services); }},
            {"tickets", [&] { return new tickets::TicketsWindow(state, services); }},
            {"ticket",
             [&] {
                 return new tickets::TicketDialog({}, state.database.picksPerDraw(),
                                                  state.database.highNumber(), dialogs, nullptr);
             }},
            {"wheel",
             [&] {
                 return new wheel::WheelWindow(state.database, {1, 2, 3, 4, 5, 6, 7, 8}, 6,
                                               services);
             }},
        };
        for (const auto& [name, make] : windows) {
            SCOPED_TRACE(name);
            std::unique_ptr<QWidget> window(make());
            window->show();
            check(name, *window);
        }
    }

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
};
