#include "app/AppController.h"
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Services.h"
#include "windows/backtest/BackTestWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

template <class T> T* TopLevel(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return qobject_cast<T*>(w);
    return nullptr;
}

} // namespace

TEST(BackTestWiring, PickAWinnerAndGraphsOpenTheBackTestOverThemselves)
{
    core::AppState state;
    state.database = MakeDrawDatabase(
        49, 6, std::vector<std::vector<int>>(40, {3, 9, 17, 28, 40, 49}), QDate(2020, 1, 1));
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    app::AppController controller(state, services);
    struct Caller {
        std::function<void()> open;
        const char* window;
        const char* button;
    };
    const Caller callers[] = {
        {[&] { controller.openPicks(); }, "Lottery", "PBackTest"},
        {[&] { controller.openGraphs(core::GraphCaller::MainMenu); }, "LGraph", "GBackTest"}};
    for (const Caller& c : callers) {
        SCOPED_TRACE(c.window);
        c.open();
        QWidget* caller = TopLevel<QWidget>(QLatin1String(c.window));
        ASSERT_NE(caller, nullptr);
        caller->findChild<QPushButton*>(QLatin1String(c.button))->click();
        auto* backTest = caller->findChild<odds::BackTestWindow*>();
        ASSERT_NE(backTest, nullptr);
        EXPECT_TRUE(backTest->isVisible());
        EXPECT_EQ(backTest->result().drawsTested, 21); // records 20 to 40
        backTest->close();
        QTRY_VERIFY(caller->findChild<odds::BackTestWindow*>() == nullptr);
        EXPECT_TRUE(caller->isVisible());
        caller->close();
    }
}
