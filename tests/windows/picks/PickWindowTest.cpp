#include "windows/picks/PickWindow.h"
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/Services.h"
#include "windows/picks/Ball.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

using picks::PickWindow;

namespace {

class PickWindowTest : public ::testing::Test {
protected:
    // A database of 49 numbers in which number n is drawn ((n * 17) % 49) + 1 times.
    void loadDatabase()
    {
        std::vector<int> counts;
        for (int n = 1; n <= 49; ++n)
            counts.push_back((n * 17) % 49 + 1);
        const auto draws = DrawsWithCounts(counts, 6);
        state.database =
            MakeDrawDatabase(49, 6, draws, DrawDates(QDate(2020, 1, 1), draws.size(), {1}),
                             QStringLiteral("Lotto 6/49"));
    }

    void build()
    {
        state.settings.DefaultPicks = 5;
        state.settings.DefaultHighNumber = 39;
        state.settings.EntryForms = 3;
        w = std::make_unique<PickWindow>(state, services);
        w->setGenerator(picks::PickGenerator(11));
        w->show();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    template <typename T> T* get(const char* name)
    {
        T* child = w->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    ui::InputBox* box(const char* name) { return get<ui::InputBox>(name); }
    ui::Grid* grid() { return get<ui::Grid>("PGrid"); }
    QString label(const char* name) { return get<QLabel>(name)->text(); }
    void click(const char* name) { get<QPushButton>(name)->click(); }

    // Types into a box as the user does: a click (which empties it), the keys, then Tab.
    void enter(const char* name, const QString& keys)
    {
        QTest::mouseClick(box(name), Qt::LeftButton);
        QTest::keyClicks(box(name), keys);
        QTest::keyClick(box(name), Qt::Key_Tab);
    }

    std::vector<int> gridRow(int r)
    {
        std::vector<int> out;
        for (int c = 1; c < grid()->cols(); ++c)
            out.push_back(grid()->cell(r, c).trimmed().toInt());
        return out;
    }
    std::vector<QString> only(const QString& titleAndText) { return {titleAndText}; }

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    std::unique_ptr<PickWindow> w;
};

} // namespace

TEST_F(PickWindowTest, OpensWithTheDefaultsOrTheDatabase)
{
    build();
    EXPECT_EQ(w->objectName(), QStringLiteral("Lottery"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Pick-a-Winner"));
    EXPECT_EQ(box("InColNum")->text() + box("InHighNum")->text() + box("InNumRows")->text(),
              QStringLiteral(" 539 3"));
    EXPECT_EQ(state.database.columnCount(), 7);
    EXPECT_FALSE(get<QLabel>("InfoLabel1")->isVisible());
    EXPECT_FALSE(get<QCheckBox>("PWhichCnt")->isVisible());
    EXPECT_TRUE(get<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(grid()->rows() * 100 + grid()->cols(), 1106);
    EXPECT_EQ(grid()->cell(0, 0) + grid()->cell(0, 1) + grid()->cell(0, 5),
              QStringLiteral("No. 1 5"));

    w.reset();
    loadDatabase();
    state.stats.measure = stats::Measure::DrawsSince;
    build();
    EXPECT_EQ(box("InColNum")->text() + box("InHighNum")->text(), QStringLiteral(" 649"));
    EXPECT_EQ(label("InfoLabel1"), QStringLiteral(" File in Memory \n  Lotto 6/49  "));
    EXPECT_EQ(get<QCheckBox>("PWhichCnt")->text(),
              QStringLiteral(" Database: Times numbers were drawn"));
    EXPECT_EQ(state.stats.measure, stats::Measure::TimesDrawn);
    EXPECT_EQ(state.stats.FrequencyTable[1].value, 18); // recomputed as times drawn
}

TEST_F(PickWindowTest, SetupBoxesRetypeMoveOnAndPutBackBadValues)
{
    build();
    // Tabbed into, the first key empties the box, even a refused key (which beeps).
    state.RetypeFlag.clear();
    box("InColNum")->setFocus();
    QTest::keyClick(box("InColNum"), Qt::Key_X);
    EXPECT_EQ(box("InColNum")->text(), QString());
    EXPECT_EQ(dialogs.beeps, 1);
    QTest::keyClicks(box("InColNum"), QStringLiteral("8"));
    QTest::keyClick(box("InColNum"), Qt::Key_Return);
    EXPECT_TRUE(box("InHighNum")->hasFocus());
    EXPECT_EQ(box("InColNum")->text(), QStringLiteral(" 8"));
    EXPECT_FALSE(state.RetypeFlag.isSet());
    EXPECT_EQ(grid()->cols(), 9);
    QTest::keyClick(box("InHighNum"), Qt::Key_Return);
    QTest::keyClick(box("InNumRows"), Qt::Key_Return);
    EXPECT_TRUE(get<QPushButton>("PCalc")->hasFocus());
    EXPECT_EQ(clock.waits, 0); // Enter moved to Calculate without pressing it
    QTest::mouseClick(box("InHighNum"), Qt::LeftButton);
    EXPECT_EQ(box("InHighNum")->text(), QString());
    EXPECT_TRUE(state.RetypeFlag.isSet());

    struct Case {
        const char* box;
        QString typed, message, shown;
    };
    const Case cases[] = {
        {"InHighNum", QString(), QStringLiteral(" Must be from 1 to 60"), QStringLiteral("60")},
        {"InColNum", QStringLiteral("11"), QStringLiteral(" Must be from 1 to 10"),
         QStringLiteral("10")},
        {"InHighNum", QStringLiteral("61"), QStringLiteral(" Must be from 1 to 60"),
         QStringLiteral("60")},
        {"InNumRows", QStringLiteral("0"), QStringLiteral(" Must be 1 to 10"),
         QStringLiteral(" 3")},
        {"InNumRows", QStringLiteral("07"), QString(), QStringLiteral(" 7")},
    };
    for (const Case& k : cases) {
        dialogs.clear();
        if (k.typed.isEmpty())
            QTest::keyClick(box(k.box), Qt::Key_Tab); // leaves the emptied box
        else
            enter(k.box, k.typed);
        EXPECT_EQ(box(k.box)->text(), k.shown) << k.box;
        EXPECT_EQ(dialogs.messages(), k.message.isEmpty()
                                          ? std::vector<QString>{}
                                          : only(QStringLiteral("Help|") + k.message));
    }
}

TEST_F(PickWindowTest, CalculateFillsDistinctAscendingPicksAfterTheDisplay)
{
    build();
    enter("InColNum", QStringLiteral("6"));
    enter("InHighNum", QStringLiteral("49"));
    enter("InNumRows", QStringLiteral("10"));
    click("PCalc");
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(clock.waitedMs, 3100);
    EXPECT_EQ(dialogs.busyOn + dialogs.busyOff, 2);
    EXPECT_EQ(label("PickFrom") + label("FromNums"),
              QStringLiteral(" Picked from numbers   1 to  49  "));
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(grid()->cell(r, 0), QString::number(r));
        const std::vector<int> row = gridRow(r);
        EXPECT_TRUE(std::is_sorted(row.begin(), row.end()));
        EXPECT_EQ(std::set<int>(row.begin(), row.end()).size(), 6u);
        EXPECT_TRUE(row.front() >= 1 && row.back() <= 49);
        EXPECT_EQ(grid()->cell(r, 1), picks::PickText(row.front(), 2));
    }
    EXPECT_NE(grid()->textColor(), QColor(255, 0, 0));

    // One pick per form shows in red; another number of picks takes the red away and, like
    // leaving any setup box, clears the results.
    enter("InColNum", QStringLiteral("1"));
    click("PCalc");
    EXPECT_EQ(grid()->textColor(), QColor(255, 0, 0));
    EXPECT_EQ(grid()->cols(), 2);
    enter("InColNum", QStringLiteral("2"));
    EXPECT_NE(grid()->textColor(), QColor(255, 0, 0));
    EXPECT_EQ(grid()->cell(1, 1), QString());
}

TEST_F(PickWindowTest, ThirdsPickFromTheRankedNumbers)
{
    loadDatabase();
    build();
    enter("InColNum", QStringLiteral("10"));
    get<QRadioButton>("Option2")->click();
    click("PCalc");
    EXPECT_EQ(box("InColNum")->text(), QStringLiteral(" 6")); // the database's own picks
    EXPECT_EQ(label("PickFrom"), QStringLiteral(" Picked from Top: Times numbers were drawn "));
    // Number n is drawn (17n mod 49) + 1 times: the top sixteen counts are 49 down to 34.
    QString expected;
    std::set<int> top;
    for (int count = 49; count >= 34; --count)
        for (int n = 1; n <= 49; ++n)
            if ((n * 17) % 49 + 1 == count && top.insert(n).second)
                expected += QStringLiteral(" %1 ").arg(n);
    EXPECT_EQ(label("FromNums"), expected);
    for (int n : gridRow(1))
        EXPECT_TRUE(top.count(n)) << n;

    // More picks than the database draws, with fewer allowed, are refused.
    get<QCheckBox>("ChkDBPicks")->click();
    enter("InColNum", QStringLiteral("9"));
    get<QCheckBox>("PWhichCnt")->click();
    get<QRadioButton>("Option4")->click();
    dialogs.clear();
    click("PCalc");
    EXPECT_EQ(dialogs.messages(),
              only(QStringLiteral("Help|Number of picks greater than allowed for database.")));
    EXPECT_EQ(box("InColNum")->text(), QStringLiteral(" 6"));
    EXPECT_EQ(label("PickFrom"),
              QStringLiteral(" Picked from Bottom: No. draws since last drawn "));
}

TEST_F(PickWindowTest, SelectAllDealsTheRangeOrSaysItNeedsTooManyForms)
{
    build();
    enter("InHighNum", QStringLiteral("49"));
    for (const auto& [picks, forms] : {std::pair{6, 9}, std::pair{7, 7}}) {
        enter("InColNum", QString::number(picks));
        click("CalcAllNum");
        EXPECT_EQ(box("InNumRows")->text(), QStringLiteral(" %1").arg(forms));
        EXPECT_EQ(
            label("PickFrom") + label("FromNums"),
            QStringLiteral(
                " 'Select All'  has randomly put the lottery numbers 1 to 49 into %1 entry forms. ")
                .arg(forms));
        std::multiset<int> dealt;
        for (int r = 1; r < grid()->rows(); ++r)
            for (int n : gridRow(r))
                if (n != 0) dealt.insert(n);
        EXPECT_EQ(dealt.size(), 49u);
        EXPECT_EQ(std::set<int>(dealt.begin(), dealt.end()).size(), 49u);
        EXPECT_EQ(grid()->cell(forms, 0) + grid()->cell(forms + 1, 0), QString::number(forms));
    }
    EXPECT_EQ(grid()->rows(), 21);

    enter("InColNum", QStringLiteral("2"));
    dialogs.clear();
    click("CalcAllNum");
    EXPECT_EQ(dialogs.messages(),
              only(QStringLiteral("Select All|Too many numbers to fit in 20 rows. \r\n Would "
                                  "require 24.5 entry forms.")));
    EXPECT_EQ(box("InNumRows")->text(), QStringLiteral(" 3"));
    EXPECT_EQ(grid()->cell(1, 1), QString());
}

TEST_F(PickWindowTest, TenPicksFromSixNumbersShowWhatWasDrawn)
{
    build();
    enter("InColNum", QStringLiteral("10"));
    enter("InHighNum", QStringLiteral("6"));
    click("PCalc");
    EXPECT_EQ(dialogs.messages(), only(QStringLiteral("Help| No enough Data")));
    std::vector<int> first = gridRow(1);
    std::sort(first.begin(), first.begin() + 6);
    EXPECT_EQ(first, (std::vector<int>{1, 2, 3, 4, 5, 6, 0, 0, 0, 0}));
    EXPECT_EQ(grid()->cell(1, 7), QStringLiteral("  ")); // an empty pick shows blank
    EXPECT_EQ(gridRow(2), std::vector<int>(10, 0));
    EXPECT_EQ(label("PickFrom") + label("FromNums"), QStringLiteral(" Picked from numbers "));
}

TEST_F(PickWindowTest, NothingToWorkWith)
{
    build();
    get<QRadioButton>("Option3")->click();
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0].title, QStringLiteral("Help"));
    EXPECT_EQ(dialogs.log[0].text.split(QStringLiteral("\r\n")).size(), 5);
    EXPECT_TRUE(dialogs.log[0].text.startsWith(QStringLiteral(" No records to work with.")));
    EXPECT_TRUE(get<QRadioButton>("Option1")->isChecked());

    dialogs.clear();
    box("InNumRows")->setText(QString());
    click("PCalc");
    EXPECT_EQ(dialogs.messages(), only(QStringLiteral("Error|Cannot work with missing number ")));

    // A third whose records have gone by the time Calculate runs.
    w.reset();
    loadDatabase();
    build();
    get<QRadioButton>("Option2")->click();
    state.database.setRecordCount(0);
    dialogs.clear();
    click("PCalc");
    EXPECT_EQ(dialogs.messages(), only(QStringLiteral("Help| No records in database")));
    EXPECT_TRUE(get<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(grid()->cell(1, 1), QString());
    EXPECT_EQ(clock.waits, 0);
}

TEST_F(PickWindowTest, PrintsTheShownPicksAfterConfirmation)
{
    build();
    const QString nothing = QStringLiteral("Help|No numbers to print. Click Calculate");
    click("PPrinter");
    EXPECT_EQ(dialogs.messages(), only(nothing));
    click("PCalc");
    dialogs.answers = {false, true};
    click("PPrinter");
    EXPECT_TRUE(printer.texts.empty());
    click("PPrinter");
    ASSERT_EQ(printer.texts.size(), 1u);
    EXPECT_EQ(dialogs.log.back().text, QStringLiteral("Continue with Printout."));
    const QStringList lines = printer.texts[0].pages.at(0);
    EXPECT_EQ(lines.size(), 7 + 3 * 3);
    EXPECT_EQ(lines.at(2), QStringLiteral("  Picked from numbers "));
    QString shown; // the first form as the grid shows it, in the printout's columns
    for (int c = 1; c <= 5; ++c)
        shown += QString(5 * c - 1 - shown.size(), QLatin1Char(' ')) + QLatin1Char(' ') +
                 grid()->cell(1, c);
    EXPECT_EQ(lines.at(7), shown);

    click("PClearAll"); // cleared results print nothing
    EXPECT_EQ(grid()->cell(1, 1), QString());
    dialogs.clear();
    click("PPrinter");
    EXPECT_EQ(dialogs.messages(), only(nothing));
}

TEST_F(PickWindowTest, QuickHelpAndLeaving)
{
    build();
    auto* text = get<QPlainTextEdit>("PTextBox");
    click("PHelp");
    EXPECT_EQ(get<QPushButton>("PHelp")->text(), QStringLiteral("Close &Help"));
    EXPECT_TRUE(text->isVisible());
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("How to use Pick-a-Winner")));
    const QString before = text->toPlainText();
    QTest::keyClicks(text, QStringLiteral("abc"));
    EXPECT_EQ(text->toPlainText(), before);
    EXPECT_EQ(dialogs.beeps, 0); // dropped silently
    click("PCalc");
    EXPECT_EQ(get<QPushButton>("PHelp")->text(), QStringLiteral("Quick &Help"));
    EXPECT_FALSE(text->isVisible());

    QSignalSpy exits(w.get(), &PickWindow::exitToMenu);
    click("PExit");
    EXPECT_EQ(exits.count(), 1);
    w.reset();
    build();
    QSignalSpy closed(w.get(), &PickWindow::exitToMenu);
    w->close(); // the title bar's close button
    EXPECT_EQ(closed.count(), 1);
}

// The balls visibly change on screen during the display, and Picture7 names the step.
TEST_F(PickWindowTest, BallsChangeColourOnScreenDuringTheDisplay)
{
    build();
    auto* ball1 = get<picks::Ball>("Balls1");
    std::set<QRgb> painted;
    std::set<QString> words;
    clock.onWait = [&] {
        const QImage image = ball1->grab().toImage();
        painted.insert(image.pixel(image.width() / 2, image.height() / 2));
        words.insert(label("Picture7"));
    };
    click("PCalc");
    EXPECT_EQ(painted.size(), 6u);
    EXPECT_TRUE(painted.count(QColor(0xFF, 0xFF, 0x55).rgb())); // yellow, at rest
    EXPECT_EQ(words, (std::set<QString>{QStringLiteral("Shuffling"), QStringLiteral("Picking")}));
    EXPECT_EQ(ball1->paletteIndex(), 14);
    EXPECT_EQ(label("Picture7"), QString());
    clock.onWait = nullptr;
    click("CalcAllNum");
    EXPECT_EQ(clock.waitedMs, 6200);
}

TEST_F(PickWindowTest, AnAccessKeyRightAfterTypingKeepsThePicksItMade)
{
    build();
    // Typed, then Calculate by its access key: the box's check (which clears the results) runs
    // before the picks are made, not on the next click.
    QTest::mouseClick(box("InNumRows"), Qt::LeftButton);
    QTest::keyClicks(box("InNumRows"), QStringLiteral("2"));
    QTest::keyClick(box("InNumRows"), Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !grid()->cell(2, 1).isEmpty(); }, 2000));
    EXPECT_EQ(grid()->cell(3, 1), QString()); // two forms
    QTest::mouseClick(get<QRadioButton>("Option1"), Qt::LeftButton);
    EXPECT_FALSE(grid()->cell(2, 1).isEmpty());
    EXPECT_TRUE(w->session().printout().has_value()); // still there to print
}
