#include "windows/check/CheckWindow.h"
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "support/QStringPrinting.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/Services.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// `count` draws dated a week apart from 2 January 2024; record r holds r, r + 1, ... (after
// `high` comes 1 again), so number n was drawn in records n - picks + 1 .. n, at position
// n - r + 1.
database::DrawDatabase Sequential(int picks, int count, int high = 49)
{
    return MakeDrawDatabase(high, picks, SequentialDraws(high, picks, count), QDate(2024, 1, 2),
                            u"Test Lotto"_s);
}

class CheckWindowTest : public ::testing::Test {
protected:
    void open(const database::DrawDatabase& db, const QString& minimum = {})
    {
        state.database = db;
        window = std::make_unique<check::CheckWindow>(state.database, state.RetypeFlag, services);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid = window->findChild<ui::Grid*>(u"CGrid"_s);
        matchNum = window->findChild<ui::InputBox*>(u"MatchNum"_s);
        if (!minimum.isEmpty()) matchNum->setText(minimum);
    }
    ui::InputBox* box(int i) const
    {
        return window->findChild<ui::InputBox*>(u"CInYourNum%1"_s.arg(i));
    }
    QPushButton* button(const char* name) const
    {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // Types into the boxes from the left ("" leaves a box as it is) and runs the search.
    void search(const QStringList& numbers = {})
    {
        for (qsizetype i = 0; i < numbers.size(); ++i) {
            box(static_cast<int>(i))->setFocus();
            QTest::keyClicks(box(static_cast<int>(i)), numbers[i]);
        }
        button("CCalc")->click();
    }
    // The grid's body rows down to the first without a record number.
    std::vector<QStringList> shownRows() const
    {
        std::vector<QStringList> rows;
        for (int r = 1; r < grid->rows() && !grid->cell(r, 0).isEmpty(); ++r) {
            QStringList row;
            for (int c = 0; c < grid->cols(); ++c)
                row << grid->cell(r, c);
            rows.push_back(row);
        }
        return rows;
    }
    bool gridBodyEmpty() const
    {
        for (int r = 1; r < grid->rows(); ++r)
            for (int c = 0; c < grid->cols(); ++c)
                if (!grid->cell(r, c).isEmpty()) return false;
        return true;
    }

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    std::unique_ptr<check::CheckWindow> window;
    ui::Grid* grid = nullptr;
    ui::InputBox* matchNum = nullptr;
};

} // namespace

TEST_F(CheckWindowTest, OpensWithTitleMinimumBoxesAndEmptyGrid)
{
    for (const auto& [picks, minimum] : {std::pair{3, u" 1"_s}, std::pair{6, u" 3"_s}}) {
        open(Sequential(picks, 5));
        EXPECT_EQ(window->windowTitle(), u"Check Numbers"_s);
        EXPECT_EQ(window->findChild<QLabel*>(u"TitleCheck"_s)->text(), u"Test Lotto"_s);
        EXPECT_EQ(matchNum->text(), minimum);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(box(i)->isVisible(), i < picks) << picks << " picks, box " << i;
        EXPECT_EQ(grid->rows(), 20);
        ASSERT_EQ(grid->cols(), picks + 2);
        const QStringList header = {u"Record"_s, u"Date"_s, u" 1"_s, u" 2"_s, u" 3"_s};
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(grid->cell(0, c), header[c]);
        EXPECT_EQ(grid->colWidthTwips(0), 900);
        EXPECT_EQ(grid->colWidthTwips(1), 1320);
        EXPECT_NEAR(grid->colWidthTwips(picks + 1), 580, 15); // whole pixels
        EXPECT_TRUE(gridBodyEmpty());
    }
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(CheckWindowTest, NoMatchesAndASingleNumberNewestFirstUnderItsPosition)
{
    open(Sequential(6, 30), u" 1"_s);
    search();
    EXPECT_EQ(grid->cell(1, 1), u"No Matches"_s);
    EXPECT_EQ(grid->cell(1, 0), QString());
    EXPECT_EQ(window->lastSearch().matchCount(), 0);

    search({u"6"_s}); // drawn in records 1..6, at positions 6..1
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(dialogs.busyOn, 2);
    EXPECT_EQ(dialogs.busyOff, 2);
    const std::vector<QStringList> rows = shownRows();
    ASSERT_EQ(rows.size(), 6U);
    for (int i = 0; i < 6; ++i) {
        const int record = 6 - i;
        const QStringList& row = rows[static_cast<size_t>(i)];
        EXPECT_EQ(row[0], u"   %1"_s.arg(record));
        EXPECT_EQ(row[1], QDate(2024, 1, 2).addDays(7 * (record - 1)).toString(u"M/d/yyyy"_s));
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ(row[p + 1], p == 7 - record ? u"  6"_s : QString()) << record << "/" << p;
    }
}

TEST_F(CheckWindowTest, FailedChecksSayWhyAndLeaveNothingToPrint)
{
    const struct {
        const char16_t* boxes;
        const char16_t* message;
    } cases[] = {
        {u"0", u"Entry Error| Correct: number 0 not allowed in Draw."},
        {u",00", u"Entry Error| Correct: number 0 not allowed in Draw."},
        {u"75", u"Entry Error| Correct: number 75 is higher than allowed in Draw."},
        {u"12,,12", u"Help| Correct: duplicate numbers."},
    };
    open(Sequential(6, 30), u" 1"_s);
    for (const auto& c : cases) {
        button("CClearAll")->click();
        search({u"5"_s}); // a result that the failed check must take away
        ASSERT_FALSE(gridBodyEmpty());
        button("CClearAll")->click();
        dialogs.clear();
        search(QString::fromUtf16(c.boxes).split(u','));
        EXPECT_EQ(dialogs.messages(), std::vector<QString>{QString::fromUtf16(c.message)});
        EXPECT_TRUE(gridBodyEmpty());
        const QStringList typed = QString::fromUtf16(c.boxes).split(u',');
        for (qsizetype i = 0; i < typed.size(); ++i)
            EXPECT_EQ(box(static_cast<int>(i))->text(), typed[i]); // nothing cleared
        dialogs.clear();
        button("CPrinter")->click();
        EXPECT_EQ(dialogs.messages(),
                  std::vector<QString>{u"Help|No numbers to print. Click Check Numbers"_s});
    }
    EXPECT_TRUE(printer.texts.empty());
}

TEST_F(CheckWindowTest, GridRowsForThreeAndFifteenMatches)
{
    open(Sequential(6, 3, 6), u" 1"_s); // every record holds 1..6
    search({u"3"_s});
    EXPECT_EQ(shownRows().size(), 3U);
    EXPECT_EQ(grid->rows(), 20);
    open(Sequential(6, 15, 6), u" 1"_s);
    search({u"3"_s});
    EXPECT_EQ(shownRows().size(), 15U);
    EXPECT_EQ(grid->rows(), 25);
    EXPECT_EQ(grid->cell(15, 0), u"   1"_s);
}

TEST_F(CheckWindowTest, MinimumBoxRetypeRangeAndGridClearing)
{
    open(Sequential(6, 30), u" 1"_s);
    search({u"6"_s});
    ASSERT_FALSE(gridBodyEmpty());

    // Clicked, 9 typed, left: the rewritten value is up while the message is, then picks.
    QString shownDuringMessage;
    dialogs.onShow = [&](const RecordedMessage&) { shownDuringMessage = matchNum->text(); };
    matchNum->setFocus();
    QTest::mouseClick(matchNum, Qt::LeftButton);
    EXPECT_EQ(matchNum->text(), QString());
    QTest::keyClicks(matchNum, u"9"_s);
    QTest::keyClick(matchNum, Qt::Key_Tab);
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{u"Help| Must be from 1 to  6"_s});
    EXPECT_EQ(shownDuringMessage, u" 9"_s);
    EXPECT_EQ(matchNum->text(), u" 6"_s);
    EXPECT_FALSE(state.RetypeFlag.isSet());
    EXPECT_TRUE(gridBodyEmpty());
    EXPECT_EQ(window->lastSearch().matchCount(), 6); // only a new search replaces the matches

    // The first key replaces the value (a refused key too); Enter moves to the first box.
    dialogs.clear();
    matchNum->setFocus();
    QTest::keyClicks(matchNum, u"x2"_s);
    EXPECT_EQ(matchNum->text(), u"2"_s);
    EXPECT_EQ(dialogs.beeps, 1);
    QTest::keyClick(matchNum, Qt::Key_Return);
    EXPECT_TRUE(box(0)->hasFocus());
    EXPECT_EQ(matchNum->text(), u" 2"_s);
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(CheckWindowTest, AnAccessKeyChecksTheMinimumBeforeTheSearch)
{
    open(Sequential(6, 30), u" 1"_s);
    search({u"6"_s, u"7"_s});
    ASSERT_EQ(window->lastSearch().matchCount(), 7);

    // Out of range and straight to the access key: the message, and no search.
    QTest::mouseClick(matchNum, Qt::LeftButton);
    QTest::keyClicks(matchNum, u"9"_s);
    QTest::keyClick(matchNum, Qt::Key_N, Qt::AltModifier);
    // Not pressed: an access key presses its button at once and clicks it a moment later.
    EXPECT_FALSE(button("CCalc")->isDown());
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{u"Help| Must be from 1 to  6"_s});
    EXPECT_EQ(window->lastSearch().matchCount(), 7);
    EXPECT_TRUE(gridBodyEmpty());

    // In range: the search uses it, and leaving the button later wipes nothing.
    dialogs.clear();
    QTest::mouseClick(matchNum, Qt::LeftButton);
    QTest::keyClicks(matchNum, u"2"_s);
    QTest::keyClick(matchNum, Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->lastSearch().matchCount() == 5; }, 2000));
    box(0)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(shownRows().size(), 5U);
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(CheckWindowTest, NumberBoxKeysAndEnterOrder)
{
    open(Sequential(3, 10));
    box(0)->setFocus();
    QTest::keyClicks(box(0), u"1a"_s);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    EXPECT_EQ(dialogs.beeps, 1);
    QTest::keyClick(box(0), Qt::Key_Return);
    EXPECT_TRUE(box(1)->hasFocus());
    QTest::keyClick(box(1), Qt::Key_Return);
    QTest::keyClick(box(2), Qt::Key_Return); // the last box: to the button, not pressing it
    EXPECT_TRUE(button("CCalc")->hasFocus());
    EXPECT_TRUE(gridBodyEmpty());
    QTest::keyClick(button("CCalc"), Qt::Key_Return);
    EXPECT_EQ(shownRows().size(), 1U);
}

TEST_F(CheckWindowTest, PrintoutNewestFirstAndAfterClearAllTheSearchThatRan)
{
    open(Sequential(6, 30), u" 1"_s);
    search({u"6"_s, u""_s, u"8"_s}); // 6 in records 1..6, 8 in records 3..8
    dialogs.answers = {false};
    button("CPrinter")->click();
    EXPECT_TRUE(printer.texts.empty());
    EXPECT_EQ(dialogs.log.back(), (RecordedMessage{RecordedMessage::Kind::Question, u"Printer"_s,
                                                   u"Continue with Printout."_s}));

    button("CClearAll")->click();
    EXPECT_EQ(box(0)->text(), QString());
    EXPECT_TRUE(gridBodyEmpty());
    dialogs.answers = {true};
    button("CPrinter")->click();
    ASSERT_EQ(printer.texts.size(), 1U);
    ASSERT_EQ(printer.texts[0].pages.size(), 1U);
    const QStringList& lines = printer.texts[0].pages[0];
    EXPECT_EQ(lines, check::PrintoutLines(u"Test Lotto"_s, window->lastSearch()));
    EXPECT_EQ(lines[7], u"    Enter numbers to check:   6       8            "_s);
    ASSERT_EQ(lines.size(), 14 + 8);
    EXPECT_TRUE(lines[14].startsWith(u"        8    2/20/2024"_s));
    EXPECT_TRUE(lines[21].startsWith(u"        1    1/2/2024"_s));
}

TEST_F(CheckWindowTest, QuickHelpKeepsTheFocusAndASearchPutsItAway)
{
    open(Sequential(6, 30));
    auto* help = button("CHelp");
    auto* text = window->findChild<QPlainTextEdit*>(u"CTextBox"_s);
    box(0)->setFocus();
    help->click();
    EXPECT_EQ(help->text(), u"Close &Help"_s);
    EXPECT_TRUE(text->isVisible());
    EXPECT_TRUE(text->toPlainText().startsWith(QString(50, u' ') + u"How to use Check Winners"_s));
    EXPECT_TRUE(box(0)->hasFocus());
    help->click();
    EXPECT_EQ(help->text(), u"Quick &Help"_s);
    EXPECT_FALSE(text->isVisible());

    help->click();
    search({u"6"_s}); // no record holds three matches: "No Matches" must not stay hidden
    EXPECT_EQ(grid->cell(1, 1), u"No Matches"_s);
    EXPECT_EQ(help->text(), u"Quick &Help"_s);
    EXPECT_FALSE(text->isVisible());
}

TEST_F(CheckWindowTest, ExitAndTheTitleBarCloseBothReturnToTheMenu)
{
    for (bool viaButton : {true, false}) {
        open(Sequential(6, 30));
        QSignalSpy exits(window.get(), &check::CheckWindow::exitToMenu);
        state.RetypeFlag.set();
        if (viaButton)
            button("CExit")->click();
        else
            window->close();
        EXPECT_EQ(exits.count(), 1);
        EXPECT_FALSE(state.RetypeFlag.isSet());
        EXPECT_FALSE(window->isVisible());
    }
}
