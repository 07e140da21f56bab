#include "check/CheckWindow.h"
#include "Printing.h"
#include "core/AppState.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
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

// `count` draws of `picks` numbers, dated a week apart from 2 January 2024. Record r holds
// r, r + 1, ... (wrapping at `high`), so a number's records and positions are easy to name.
DrawDatabase Sequential(int picks, int count, int high = 49)
{
    DrawDatabase db;
    db.Title = u"Test Lotto"_s;
    db.ColumnCount = picks + 2;
    db.HighNumber = high;
    db.RecordCount = count;
    for (int r = 1; r <= count; ++r) {
        DrawRecord& rec = db.Records[static_cast<size_t>(r)];
        rec.RecordNo = r;
        rec.DrawDate = QDate(2024, 1, 2).addDays(7 * (r - 1));
        for (int k = 0; k < picks; ++k)
            rec.Numbers[static_cast<size_t>(k)] = (r - 1 + k) % high + 1;
    }
    return db;
}

class CheckWindowTest : public ::testing::Test {
protected:
    void open(const DrawDatabase& db)
    {
        state.Database = db;
        window = std::make_unique<check::CheckWindow>(state, services);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid = window->findChild<ui::Grid*>(u"CGrid"_s);
        matchNum = window->findChild<ui::InputBox*>(u"MatchNum"_s);
        ASSERT_TRUE(grid && matchNum);
    }
    ui::InputBox* box(int i) const
    {
        return window->findChild<ui::InputBox*>(u"CInYourNum%1"_s.arg(i));
    }
    QPushButton* button(const char* name) const
    {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void type(int i, const QString& text)
    {
        box(i)->setFocus();
        QTest::keyClicks(box(i), text);
    }
    void search() { button("CCalc")->click(); }
    // The grid's body rows that hold a record number.
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
                if (!grid->cell(r, c).isEmpty())
                    return false;
        return true;
    }

    AppState state;
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
    struct Case {
        int picks;
        QString minimum;
    };
    for (const Case& c :
         {Case{3, u" 1"_s}, Case{6, u" 3"_s}, Case{4, u" 3"_s}, Case{10, u" 3"_s}}) {
        dialogs.clear();
        open(Sequential(c.picks, 5));
        EXPECT_EQ(window->objectName(), u"LCheckWin"_s);
        EXPECT_EQ(window->windowTitle(), u"Check Numbers"_s);
        EXPECT_EQ(window->findChild<QLabel*>(u"TitleCheck"_s)->text(), u"Test Lotto"_s);
        EXPECT_EQ(matchNum->text(), c.minimum) << c.picks;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(box(i)->isVisible(), i < c.picks) << c.picks << " box " << i;
        EXPECT_EQ(grid->rows(), 20);
        ASSERT_EQ(grid->cols(), c.picks + 2);
        EXPECT_EQ(grid->cell(0, 0), u"Record"_s);
        EXPECT_EQ(grid->cell(0, 1), u"Date"_s);
        EXPECT_EQ(grid->cell(0, c.picks + 1), u" %1"_s.arg(c.picks));
        EXPECT_EQ(grid->colWidthTwips(0), 900);
        EXPECT_EQ(grid->colWidthTwips(1), 1320);
        EXPECT_NEAR(grid->colWidthTwips(2), 580, 15); // whole pixels
        EXPECT_TRUE(gridBodyEmpty());
        EXPECT_TRUE(dialogs.log.empty());
    }
}

TEST_F(CheckWindowTest, AllBoxesEmptyShowsNoMatches)
{
    open(Sequential(6, 30));
    search();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(grid->cell(1, 1), u"No Matches"_s);
    EXPECT_EQ(grid->cell(1, 0), QString());
    EXPECT_EQ(grid->rows(), 20);
    EXPECT_EQ(window->lastSearch().matchCount(), 0);
    EXPECT_EQ(dialogs.busyOn, 1);
    EXPECT_EQ(dialogs.busyOff, 1);
}

TEST_F(CheckWindowTest, MinimumOneAndASingleNumberListsItUnderItsPositionNewestFirst)
{
    open(Sequential(6, 30)); // 6 is drawn in records 1..6, at positions 6..1
    matchNum->setText(u" 1"_s);
    type(0, u"6"_s);
    search();
    EXPECT_TRUE(dialogs.log.empty());
    const std::vector<QStringList> rows = shownRows();
    ASSERT_EQ(rows.size(), 6U);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int record = 6 - static_cast<int>(i); // newest first
        EXPECT_EQ(rows[i][0], u"   %1"_s.arg(record));
        EXPECT_EQ(rows[i][1], QDate(2024, 1, 2).addDays(7 * (record - 1)).toString(u"M/d/yyyy"_s));
        const int position = 6 - record + 1; // where 6 was drawn
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ(rows[i][p + 1], p == position ? u"  6"_s : QString())
                << "record " << record << " position " << p;
    }
    EXPECT_EQ(grid->rows(), 20);
}

TEST_F(CheckWindowTest, EntryChecksInOrderWithExactMessagesAndEmptyResult)
{
    struct Case {
        std::vector<QString> boxes;
        QString message;
    };
    const std::vector<Case> cases = {
        {{u"0"_s}, u"Entry Error| Correct: number 0 not allowed in Draw."_s},
        {{u""_s, u"00"_s}, u"Entry Error| Correct: number 0 not allowed in Draw."_s},
        {{u"75"_s}, u"Entry Error| Correct: number 75 is higher than allowed in Draw."_s},
        {{u"12"_s, u""_s, u"050"_s},
         u"Entry Error| Correct: number 050 is higher than allowed in Draw."_s},
        {{u"12"_s, u""_s, u"12"_s}, u"Help| Correct: duplicate numbers."_s},
        {{u"12"_s, u"12"_s, u"99"_s},
         u"Entry Error| Correct: number 99 is higher than allowed in Draw."_s},
    };
    open(Sequential(6, 30));
    for (const Case& c : cases) {
        // A search that finds something first, so the failed check must empty it.
        button("CClearAll")->click();
        matchNum->setText(u" 1"_s);
        type(0, u"5"_s);
        search();
        ASSERT_FALSE(gridBodyEmpty());

        button("CClearAll")->click();
        for (size_t i = 0; i < c.boxes.size(); ++i)
            type(static_cast<int>(i), c.boxes[i]);
        dialogs.clear();
        search();
        EXPECT_EQ(dialogs.messages(), std::vector<QString>{c.message});
        EXPECT_TRUE(gridBodyEmpty());
        EXPECT_EQ(window->lastSearch().matchCount(), 0);
        EXPECT_EQ(box(0)->text(), c.boxes[0]); // the offending boxes are not cleared
        EXPECT_EQ(dialogs.busyOn, 0);

        dialogs.clear();
        button("CPrinter")->click();
        EXPECT_EQ(dialogs.messages(),
                  std::vector<QString>{u"Help|No numbers to print. Click Check Numbers"_s});
    }
    EXPECT_TRUE(printer.texts.empty());

    // Two empty boxes between numbers are no duplicate.
    button("CClearAll")->click();
    type(0, u"1"_s);
    type(3, u"2"_s);
    dialogs.clear();
    search();
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(CheckWindowTest, GridRowsFollowTheMatchCount)
{
    open(Sequential(6, 40));
    matchNum->setText(u" 1"_s);
    type(0, u"20"_s);
    type(1, u"40"_s);
    type(2, u"49"_s); // 20 in records 15..20, 40 in 35..40, 49 in none of the 40
    search();
    EXPECT_EQ(shownRows().size(), 12U);
    EXPECT_EQ(grid->rows(), 22);

    button("CClearAll")->click();
    type(0, u"1"_s); // only record 1 holds 1
    search();
    EXPECT_EQ(shownRows().size(), 1U);
    EXPECT_EQ(grid->rows(), 20);

    open(Sequential(6, 15, 6)); // every record holds 1..6
    matchNum->setText(u" 1"_s);
    type(0, u"3"_s);
    search();
    EXPECT_EQ(shownRows().size(), 15U);
    EXPECT_EQ(grid->rows(), 25);
    EXPECT_EQ(grid->cell(15, 0), u"   1"_s);
    EXPECT_EQ(grid->cell(16, 0), QString());

    open(Sequential(6, 3, 6));
    matchNum->setText(u" 1"_s);
    type(0, u"3"_s);
    search();
    EXPECT_EQ(shownRows().size(), 3U);
    EXPECT_EQ(grid->rows(), 20);
}

TEST_F(CheckWindowTest, MinimumBoxRetypeRangeAndGridClearing)
{
    open(Sequential(6, 30));
    matchNum->setText(u" 1"_s);
    type(0, u"6"_s);
    search();
    ASSERT_FALSE(gridBodyEmpty());

    // Edited to 9: the rewritten value shows while the message is up, then picks.
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
    EXPECT_EQ(state.RetypeFlag, 0);
    EXPECT_TRUE(gridBodyEmpty());
    EXPECT_EQ(window->lastSearch().matchCount(), 6); // only a new search replaces the matches

    // The first key replaces the old value; Enter moves to the first number box.
    dialogs.clear();
    matchNum->setFocus();
    QTest::keyClicks(matchNum, u"2"_s);
    EXPECT_EQ(matchNum->text(), u"2"_s);
    QTest::keyClick(matchNum, Qt::Key_Return);
    EXPECT_TRUE(box(0)->hasFocus());
    EXPECT_EQ(matchNum->text(), u" 2"_s);
    EXPECT_TRUE(dialogs.log.empty());

    // Leaving untouched changes nothing; letters beep and stay out.
    matchNum->setFocus();
    box(1)->setFocus();
    EXPECT_EQ(matchNum->text(), u" 2"_s);
    matchNum->setFocus();
    QTest::keyClicks(matchNum, u"x4"_s);
    EXPECT_EQ(matchNum->text(), u"4"_s);
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(CheckWindowTest, NumberBoxKeysAndEnterOrder)
{
    open(Sequential(3, 10));
    type(0, u"1a2"_s);
    EXPECT_EQ(box(0)->text(), u"12"_s);
    EXPECT_EQ(dialogs.beeps, 1);
    QTest::keyClick(box(0), Qt::Key_Backspace);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    QTest::keyClick(box(0), Qt::Key_Return);
    EXPECT_TRUE(box(1)->hasFocus());
    QTest::keyClick(box(1), Qt::Key_Return);
    EXPECT_TRUE(box(2)->hasFocus());
    // From the last shown box to "Check Numbers", which Enter then presses.
    QTest::keyClick(box(2), Qt::Key_Return);
    EXPECT_TRUE(button("CCalc")->hasFocus());
    EXPECT_TRUE(gridBodyEmpty());
    QTest::keyClick(button("CCalc"), Qt::Key_Return);
    EXPECT_EQ(shownRows().size(), 1U);
}

TEST_F(CheckWindowTest, PrintoutNewestFirstAndAfterClearAllThePreviousSearch)
{
    open(Sequential(6, 30));
    matchNum->setText(u" 1"_s);
    type(0, u"6"_s);
    type(2, u"8"_s);
    search();

    dialogs.answers = {false};
    button("CPrinter")->click();
    EXPECT_TRUE(printer.texts.empty());
    ASSERT_EQ(dialogs.log.size(), 1U);
    EXPECT_EQ(dialogs.log[0].title, u"Printer"_s);
    EXPECT_EQ(dialogs.log[0].text, u"Continue with Printout."_s);

    // Clear All empties the screen; the printout still prints the search that was run.
    button("CClearAll")->click();
    EXPECT_EQ(box(0)->text(), QString());
    EXPECT_EQ(box(2)->text(), QString());
    EXPECT_TRUE(gridBodyEmpty());
    dialogs.answers = {true};
    button("CPrinter")->click();
    ASSERT_EQ(printer.texts.size(), 1U);
    ASSERT_EQ(printer.texts[0].pages.size(), 1U);
    const QStringList& lines = printer.texts[0].pages[0];
    EXPECT_EQ(lines, check::PrintoutLines(u"Test Lotto"_s, window->lastSearch()));
    EXPECT_EQ(lines[5], u"    Search each record for minimum matches of:  1"_s);
    EXPECT_EQ(lines[7], u"    Enter numbers to check:   6       8            "_s);
    ASSERT_EQ(lines.size(), 14 + 8); // 6 in records 1..6, 8 in records 3..8
    EXPECT_TRUE(lines[14].startsWith(u"        8    2/20/2024"_s)) << lines[14].toStdString();
    EXPECT_TRUE(lines[21].startsWith(u"        1    1/2/2024"_s)) << lines[21].toStdString();
}

TEST_F(CheckWindowTest, QuickHelpKeepsTheFocusAndASearchClosesIt)
{
    open(Sequential(6, 30));
    auto* help = button("CHelp");
    auto* text = window->findChild<QPlainTextEdit*>(u"CTextBox"_s);
    ASSERT_TRUE(text);
    EXPECT_FALSE(text->isVisible());
    type(0, u"6"_s);
    help->click();
    EXPECT_EQ(help->text(), u"Close &Help"_s);
    EXPECT_TRUE(text->isVisible());
    EXPECT_TRUE(text->toPlainText().contains(u"How to use Check Winners"_s));
    EXPECT_TRUE(box(0)->hasFocus());
    help->click();
    EXPECT_EQ(help->text(), u"Quick &Help"_s);
    EXPECT_FALSE(text->isVisible());

    help->click();
    search(); // "No Matches" with the minimum of 3: the result is shown, the help put away
    EXPECT_EQ(grid->cell(1, 1), u"No Matches"_s);
    EXPECT_EQ(help->text(), u"Quick &Help"_s);
    EXPECT_FALSE(text->isVisible());
}

TEST_F(CheckWindowTest, ExitAndTheTitleBarCloseBothReturnToTheMenu)
{
    for (bool viaButton : {true, false}) {
        open(Sequential(6, 30));
        QSignalSpy exits(window.get(), &check::CheckWindow::exitToMenu);
        state.RetypeFlag = 1;
        if (viaButton)
            button("CExit")->click();
        else
            window->close();
        EXPECT_EQ(exits.count(), 1);
        EXPECT_EQ(state.RetypeFlag, 0);
        EXPECT_FALSE(window->isVisible());
    }
}
