#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "support/QStringPrinting.h"
#include "ui/BarGraph.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/Services.h"
#include "windows/backtest/BackTestWindow.h"
#include "windows/backtest/CumulativePlot.h"
#include "windows/graphs/GraphsWindow.h"
#include "windows/picks/PickWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

#include <numeric>
#include <random>
#include <set>

namespace {

class OddsWindows : public ::testing::Test {
protected:
    template <class W> void activate(W& w)
    {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    static void type(QWidget* w, const char* name, const QString& keys)
    {
        auto* box = w->findChild<ui::InputBox*>(QLatin1String(name));
        ASSERT_NE(box, nullptr) << name;
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, keys);
    }
    // An access key as the user presses it: to the control that has the focus; the button
    // takes the focus and clicks a moment later, once it is no longer down.
    static void alt(QWidget* w, Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : w, key, Qt::AltModifier);
        QTRY_VERIFY(!qobject_cast<QAbstractButton*>(QApplication::focusWidget()) ||
                    !qobject_cast<QAbstractButton*>(QApplication::focusWidget())->isDown());
    }
    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
};

} // namespace

TEST_F(OddsWindows, PickAWinnerShowsTheOddsOfItsForms)
{
    state.database = Fair649(200, 1);
    picks::PickWindow w(state, services);
    w.setGenerator(picks::PickGenerator(3));
    activate(w);
    auto* odds = w.findChild<QLabel*>(QStringLiteral("OddsLabel"));
    ASSERT_NE(odds, nullptr);
    type(&w, "InNumRows", QStringLiteral("3"));
    alt(&w, Qt::Key_C);
    // Three forms of six: all six on one of them is 3 chances in 13,983,816.
    EXPECT_TRUE(odds->text().startsWith(
        QStringLiteral("Odds against one draw of 6 from 1 to 49 (exact): ")));
    EXPECT_TRUE(odds->text().contains(QStringLiteral("; all 6: 1 in 4,661,272.")))
        << odds->text().toStdString();
    std::set<int> numbers;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 6; ++c)
            numbers.insert(w.session().PickGrid.at(r, c));
    EXPECT_TRUE(odds->text().endsWith(
        QStringLiteral("The forms cover %1 of the 49 numbers.").arg(numbers.size())));

    w.findChild<QPushButton*>(QStringLiteral("PClearAll"))->click();
    EXPECT_TRUE(odds->text().isEmpty());

    // Four picks from the top third still play the database's draw of six.
    w.findChild<QCheckBox*>(QStringLiteral("ChkDBPicks"))->click();
    w.findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
    type(&w, "InColNum", QStringLiteral("4"));
    alt(&w, Qt::Key_C);
    EXPECT_TRUE(odds->text().contains(QStringLiteral("one draw of 6 from 1 to 49")));
    EXPECT_TRUE(odds->text().contains(QStringLiteral("all 4: 1 in ")));

    alt(&w, Qt::Key_S);
    QTRY_VERIFY(odds->text().contains(QStringLiteral("1 or more on some form: certain")));
    EXPECT_TRUE(odds->text().endsWith(QStringLiteral("cover 49 of the 49 numbers.")));

    // The back-test key checks the box being edited first.
    QSignalSpy spy(&w, &picks::PickWindow::backTestRequested);
    size_t messagesWhenAsked = 0;
    QObject::connect(&w, &picks::PickWindow::backTestRequested, &w,
                     [&] { messagesWhenAsked = dialogs.messages().size(); });
    dialogs.clear();
    type(&w, "InColNum", QStringLiteral("0"));
    alt(&w, Qt::Key_B);
    QTRY_COMPARE(spy.count(), 1);
    ASSERT_EQ(messagesWhenAsked, 1U);
    EXPECT_EQ(dialogs.messages().front(), QStringLiteral("Help| Must be from 1 to 10"));
}

TEST_F(OddsWindows, GraphsDrawTheFairCountBandAndVerdict)
{
    state.database = Fair649(300, 2);
    stats::GraphsWindow g(state.database, state.stats, services);
    activate(g);
    auto* verdict = g.findChild<QLabel*>(QStringLiteral("FairnessLabel"));
    ASSERT_NE(verdict, nullptr);
    const auto reference = g.graph()->reference();
    ASSERT_TRUE(reference.has_value());
    const double e = 300 * 6 / 49.0;
    EXPECT_NEAR(reference->value, e, 1e-9);
    EXPECT_NEAR(reference->spread, 2 * std::sqrt(e * 43 / 49.0), 1e-9);
    EXPECT_TRUE(verdict->text().startsWith(
        QStringLiteral("Fairness of the 300 draws: consistent with a fair draw, p = ")));
    EXPECT_TRUE(verdict->text().contains(QStringLiteral("(36.7)")));

    // Draws since are not counts: no band, the verdict stays.
    alt(&g, Qt::Key_L);
    EXPECT_FALSE(g.graph()->reference().has_value());
    EXPECT_FALSE(verdict->text().contains(QStringLiteral("Dashed")));
    alt(&g, Qt::Key_D);

    // The page has the verdict under the graph.
    dialogs.answers = {true, false};
    g.findChild<QPushButton*>(QStringLiteral("Printer3"))->click();
    ASSERT_EQ(printer.pages.size(), 1U);
    const QImage& page = printer.pages.front();
    const double aspect =
        std::clamp(static_cast<double>(g.graph()->height()) / g.graph()->width(), 0.4, 1.0);
    int ink = 0;
    for (int y = static_cast<int>(page.width() * aspect) + 2; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            ink += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(ink, 200);

    QSignalSpy spy(&g, &stats::GraphsWindow::backTestRequested);
    alt(&g, Qt::Key_B);
    QTRY_COMPARE(spy.count(), 1);

    state.database = MakeDrawDatabase(49, 6, std::vector<std::vector<int>>(100, {1, 2, 3, 4, 5, 6}),
                                      QDate(2000, 1, 1));
    stats::GraphsWindow rigged(state.database, state.stats, services);
    EXPECT_TRUE(
        rigged.findChild<QLabel*>(QStringLiteral("FairnessLabel"))
            ->text()
            .startsWith(QStringLiteral(
                "Fairness of the 100 draws: not consistent with a fair draw, p < 0.0001: a fair "
                "lottery is this uneven less than 0.01 % of the time.")));
}

TEST_F(OddsWindows, BackTestWindowRunsRepeatsAndPrints)
{
    const database::DrawDatabase db = Fair649(150, 4);
    odds::BackTestWindow w(db, services);
    activate(w);
    auto* table = w.findChild<ui::Grid*>(QStringLiteral("BtTable"));
    ASSERT_EQ(w.result().status, odds::BackTest::Status::Done); // it ran on opening
    EXPECT_EQ(table->cell(1, 0), QStringLiteral("Full range"));
    EXPECT_EQ(table->cell(1, 1), QStringLiteral("131")); // records 20 to 150
    EXPECT_EQ(table->cell(1, 4), QStringLiteral("0.735"));
    EXPECT_EQ(w.findChild<odds::CumulativePlot*>(QStringLiteral("BtPlot"))->series().size(), 7U);
    // The first key typed into the first box replaces its text.
    auto* forms = w.findChild<ui::InputBox*>(QStringLiteral("InBtForms"));
    ASSERT_TRUE(forms->hasFocus());
    QTest::keyClicks(forms, QStringLiteral("12"));
    EXPECT_EQ(forms->text(), QStringLiteral("12"));

    type(&w, "InBtSeed", QStringLiteral("77"));
    type(&w, "InBtForms", QStringLiteral("0"));
    alt(&w, Qt::Key_U);
    QTRY_COMPARE(w.result().seed, 77U);
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("Help| Must be from 1 to 100")});
    EXPECT_EQ(w.result().forms, 10);
    std::vector<QString> first;
    for (int r = 1; r <= 7; ++r)
        first.push_back(table->cell(r, 3));
    w.run();
    for (int r = 1; r <= 7; ++r)
        EXPECT_EQ(table->cell(r, 3), first[static_cast<size_t>(r - 1)]);

    // The printout is one page: the lines of the model's printout, and the plot in colour.
    dialogs.answers = {true};
    alt(&w, Qt::Key_P);
    QTRY_COMPARE(printer.pages.size(), 1U);
    EXPECT_TRUE(printer.colours.front());
    const QImage& page = printer.pages.front();
    int coloured = 0;
    for (int y = page.height() / 2; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2) {
            const QColor c = page.pixelColor(x, y);
            coloured += c.saturation() > 80 ? 1 : 0;
        }
    EXPECT_GT(coloured, 50);
    const QStringList lines = odds::BackTestPrintout(w.result(), QStringLiteral("Fair"));
    EXPECT_TRUE(lines.contains(QStringLiteral("  Back-test of the pick strategies: Fair")));
    EXPECT_TRUE(lines.filter(QStringLiteral("seed 77.")).size() == 1);
    EXPECT_TRUE(lines.filter(QStringLiteral("  Full range")).front().contains(first[0]));
    EXPECT_EQ(lines.filter(QStringLiteral("up to 3 either way is")).size(), 1);

    // Enter in the last box runs.
    type(&w, "InBtSeed", QStringLiteral("5"));
    QTest::keyClick(w.findChild<ui::InputBox*>(QStringLiteral("InBtSeed")), Qt::Key_Return);
    QTRY_COMPARE(w.result().seed, 5U);
}
