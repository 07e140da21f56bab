#include "windows/database/DatabaseWindow.h"
#include "support/WindowTestSupport.h"
#include "windows/database/RecordDialog.h"

#include "ui/Grid.h"
#include "ui/InputBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <memory>

namespace {

class DatabaseWindowTest : public WindowTest {
protected:
    std::unique_ptr<database::DatabaseWindow> open()
    {
        auto w = std::make_unique<database::DatabaseWindow>(state, services);
        EXPECT_TRUE(ShowActive(w.get()));
        return w;
    }
    // Answers "Correct &Record" with the given option and record number, once per entry.
    void script(database::DatabaseWindow& w, std::vector<entry::RecordChoice> answers)
    {
        auto queue = std::make_shared<std::vector<entry::RecordChoice>>(std::move(answers));
        w.setRecordChooser([queue](QWidget*) {
            if (queue->empty()) return entry::RecordChoice{};
            const entry::RecordChoice c = queue->front();
            queue->erase(queue->begin());
            return c;
        });
    }
    static ui::InputBox* box(QWidget& w, const char* name)
    {
        return Child<ui::InputBox>(&w, QString::fromLatin1(name));
    }
    static ui::InputBox* number(QWidget& w, int k)
    {
        return Child<ui::InputBox>(&w, QStringLiteral("DYourNumIn%1").arg(k));
    }
    static QString label(QWidget& w, const char* name)
    {
        return Child<QLabel>(&w, QString::fromLatin1(name))->text();
    }
    static QPushButton* button(QWidget& w, const char* name)
    {
        return Child<QPushButton>(&w, QString::fromLatin1(name));
    }
    static ui::Grid* grid(QWidget& w, int n)
    {
        return Child<ui::Grid>(&w, QStringLiteral("DGrid%1").arg(n));
    }
    // Types the numbers into the visible boxes; Enter in the last one adds the record.
    static void typeRecord(QWidget& w, const QStringList& numbers, bool pressEnter = true)
    {
        for (int k = 0; k < numbers.size(); ++k) {
            number(w, k)->clear();
            Type(number(w, k), numbers[k]);
        }
        if (pressEnter)
            QTest::keyClick(number(w, static_cast<int>(numbers.size()) - 1), Qt::Key_Return);
    }
    std::vector<QString> messages() const { return dialogs.messages(); }
};

QStringList Numbers(std::initializer_list<int> values)
{
    QStringList out;
    for (int v : values)
        out << QString::number(v);
    return out;
}

} // namespace

TEST_F(DatabaseWindowTest, OpeningAnEmptyDatabaseProposesTodayWithTheSettings)
{
    state.settings.DefaultPicks = 5;
    state.settings.DefaultHighNumber = 39;
    auto w = open();
    EXPECT_EQ(w->objectName(), QStringLiteral("LDbase"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Database"));
    EXPECT_EQ(box(*w, "InDate")->text(), QStringLiteral("12/9/2026"));
    EXPECT_EQ(label(*w, "ShowNxtAdv"), QStringLiteral(" Next: 7 days from"));
    EXPECT_EQ(label(*w, "InNew"), QStringLiteral("New"));
    EXPECT_EQ(label(*w, "Label4"), QStringLiteral("Showing the number of times drawn"));
    EXPECT_EQ(box(*w, "NumCol")->text(), QStringLiteral(" 5"));
    EXPECT_EQ(state.database.columnCount(), 7);
    EXPECT_EQ(state.database.highNumber(), 39);
    EXPECT_EQ(state.database.pendingAdvance(), 7);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(number(*w, k)->isVisible(), k < 5) << k;

    ui::Grid* records = grid(*w, 1);
    EXPECT_EQ(records->cols(), 7);
    EXPECT_EQ(records->rows(), 24);
    EXPECT_EQ(records->cell(0, 0), QStringLiteral("Record"));
    EXPECT_EQ(records->cell(0, 1), QStringLiteral("Date"));
    EXPECT_EQ(records->cell(0, 2), QStringLiteral(" 1"));
    EXPECT_EQ(records->cell(0, 6), QStringLiteral(" 5"));
    // Headers of the count grids stop at the highest number.
    EXPECT_EQ(grid(*w, 2)->cell(0, 0), QStringLiteral(" 1"));
    EXPECT_EQ(grid(*w, 3)->cell(0, 18), QStringLiteral(" 39"));
    EXPECT_EQ(grid(*w, 3)->cell(0, 19), QString());
    EXPECT_EQ(grid(*w, 4)->cell(0, 0), QString());
    EXPECT_TRUE(Child<QCheckBox>(w.get(), QStringLiteral("WhichCnt"))->isChecked());
    // The busy pointer put up while the grids were filled is taken down again.
    EXPECT_GT(dialogs.busyOn, 0);
    EXPECT_EQ(dialogs.busyOn, dialogs.busyOff);
}

TEST_F(DatabaseWindowTest, OpeningShowsTheRecordsNewestFirstWithCountsAndTopNumbers)
{
    fill(10, 3, 9);
    state.database.record(4).Numbers[2] = 0; // an empty cell shows blank
    state.database.setPendingAdvance(0);
    state.settings.DefaultPicks = 6; // the database's own picks win over the settings
    auto w = open();
    ui::Grid* records = grid(*w, 1);
    EXPECT_EQ(records->rows(), 34);
    EXPECT_EQ(records->cols(), 5);
    EXPECT_EQ(records->cell(1, 0), QStringLiteral("  10"));
    EXPECT_EQ(records->cell(1, 1), QStringLiteral("3/7/2020"));
    EXPECT_EQ(records->cell(1, 2), QStringLiteral("  2"));
    EXPECT_EQ(records->cell(10, 0), QStringLiteral("   1"));
    EXPECT_EQ(records->cell(10, 1), QStringLiteral("1/4/2020"));
    EXPECT_EQ(records->cell(7, 4), QStringLiteral("   "));
    EXPECT_EQ(records->cell(11, 0), QString());
    EXPECT_EQ(box(*w, "NumCol")->text(), QStringLiteral(" 3"));
    EXPECT_EQ(box(*w, "HighNum")->text(), QStringLiteral(" 9"));

    // PendingAdvance 0 became 7: the next date is a week after the last record.
    EXPECT_EQ(box(*w, "InDate")->text(), QStringLiteral("3/14/2020"));
    EXPECT_EQ(state.database.pendingAdvance(), 7);

    // Counts: every number is drawn in turn; the count grids show what the table says.
    stats::RecomputeFrequencies(state.database, state.stats.measure, state.stats);
    for (int n = 1; n <= 9; ++n) {
        const int measure = state.stats.FrequencyTable[static_cast<size_t>(n)].value;
        EXPECT_EQ(grid(*w, 2)->cell(1, n - 1), measure ? QString::number(measure) : QString()) << n;
    }
    EXPECT_EQ(grid(*w, 2)->cell(1, 9), QString());
    EXPECT_TRUE(
        label(*w, "Label4")
            .startsWith(QStringLiteral("Showing the count of times numbers drawn. Top  3 =  ")));
    EXPECT_EQ(state.topNumbersHeading,
              QStringLiteral("Showing the count of times numbers drawn. Top  3 =  "));
    EXPECT_EQ(label(*w, "Label4"), state.topNumbersHeading + state.topNumbersList);
    EXPECT_EQ(state.topNumbersList.split(QLatin1Char(' '), Qt::SkipEmptyParts).size(), 3);
}

TEST_F(DatabaseWindowTest, TwoDrawsAWeekKeepTheirWeekdays)
{
    auto w = open(); // today, a Wednesday, is proposed
    ui::InputBox* ada1 = box(*w, "ADA1");
    QTest::mouseClick(ada1, Qt::LeftButton);
    EXPECT_EQ(ada1->text(), QString());
    QTest::keyClicks(ada1, QStringLiteral("3"));
    MoveFocusTo(box(*w, "InDate"));
    EXPECT_EQ(label(*w, "ADA2"), QStringLiteral("4"));
    EXPECT_EQ(label(*w, "ShowNxtAdv"), QStringLiteral(" Next: 3 days from"));
    EXPECT_EQ(box(*w, "InDate")->text(), QStringLiteral("12/9/2026")); // not moved by the change

    const char* expected[] = {"12/12/2026", "12/16/2026", "12/19/2026", "12/23/2026"};
    const char* nextStep[] = {" Next: 4 days from", " Next: 3 days from", " Next: 4 days from",
                              " Next: 3 days from"};
    for (int i = 0; i < 4; ++i) {
        typeRecord(*w, Numbers({1 + i, 10, 20, 30, 40, 49}));
        EXPECT_EQ(state.database.recordCount(), i + 1);
        EXPECT_EQ(box(*w, "InDate")->text(), QString::fromLatin1(expected[i])) << i;
        EXPECT_EQ(label(*w, "ShowNxtAdv"), QString::fromLatin1(nextStep[i])) << i;
        EXPECT_EQ(number(*w, 0)->text(), QString());
        EXPECT_TRUE(number(*w, 0)->hasFocus());
    }
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(grid(*w, 1)->cell(1, 1), QStringLiteral("12/19/2026"));
    EXPECT_EQ(grid(*w, 1)->cell(4, 1), QStringLiteral("12/9/2026"));
}

TEST_F(DatabaseWindowTest, OneDrawAWeekStepsSevenDays)
{
    auto w = open();
    // A date typed over the proposal is the record's date, in the short-date form.
    ui::InputBox* date = box(*w, "InDate");
    date->clear();
    Type(date, QStringLiteral("11-30-26"));
    MoveFocusTo(number(*w, 0));
    EXPECT_EQ(date->text(), QStringLiteral("11/30/2026"));
    for (int i = 0; i < 3; ++i) {
        typeRecord(*w, Numbers({5, 6, 7, 8, 9, 10}));
        EXPECT_EQ(box(*w, "InDate")->text(),
                  text::ShortDate(QDate(2026, 11, 30).addDays(7 * (i + 1))));
        EXPECT_EQ(label(*w, "ShowNxtAdv"), QStringLiteral(" Next: 7 days from"));
    }
}

TEST_F(DatabaseWindowTest, AnAccessKeyRightAfterASetupBoxUsesItsNewValue)
{
    auto w = open();
    ui::InputBox* ada1 = box(*w, "ADA1");
    QTest::mouseClick(ada1, Qt::LeftButton);
    QTest::keyClicks(ada1, QStringLiteral("3"));
    MoveFocusTo(box(*w, "InDate"));
    typeRecord(*w, Numbers({1, 2, 3, 4, 5, 6}), false);
    // Back to one draw a week, and straight to "&Add Record" by its access key.
    QTest::mouseClick(ada1, Qt::LeftButton);
    QTest::keyClicks(ada1, QStringLiteral("0"));
    QTest::keyClick(ada1, Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return state.database.recordCount() == 1; }, 2000));
    EXPECT_EQ(box(*w, "InDate")->text(), QStringLiteral("12/16/2026")); // seven days on
}

TEST_F(DatabaseWindowTest, SetupBoxesRefuseBadValues)
{
    auto w = open();
    struct Case {
        const char* box;
        const char* typed;
        const char* message;
        const char* shownAfter;
    };
    const Case cases[] = {
        {"NumCol", "11", " Must be from 1 to 10", " 6"},
        {"NumCol", "0", " Must be from 1 to 10", " 6"},
        {"HighNum", "61", " Must be from 1 to 60", "49"},
        {"HighNum", "0", " Must be from 1 to 60", "49"},
        {"ADA1", "7", " Must be from 1 to 6", "0"},
    };
    for (const Case& c : cases) {
        dialogs.clear();
        ui::InputBox* b = box(*w, c.box);
        QTest::mouseClick(b, Qt::LeftButton);
        QTest::keyClicks(b, QString::fromLatin1(c.typed));
        MoveFocusTo(number(*w, 0));
        EXPECT_EQ(messages(),
                  std::vector<QString>{QStringLiteral("Help|") + QString::fromLatin1(c.message)})
            << c.box << " " << c.typed;
        EXPECT_EQ(b->text(), QString::fromLatin1(c.shownAfter)) << c.box;
    }
    EXPECT_EQ(state.database.columnCount(), 8);
    EXPECT_EQ(state.database.highNumber(), 49);
    EXPECT_EQ(state.database.advanceFirst(), 0);

    // A good value with no records changes the entry row and the grid.
    dialogs.clear();
    QTest::mouseClick(box(*w, "NumCol"), Qt::LeftButton);
    QTest::keyClicks(box(*w, "NumCol"), QStringLiteral("4"));
    MoveFocusTo(number(*w, 0));
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(box(*w, "NumCol")->text(), QStringLiteral(" 4"));
    EXPECT_EQ(state.database.columnCount(), 6);
    EXPECT_EQ(grid(*w, 1)->cols(), 6);
    EXPECT_TRUE(number(*w, 3)->isVisible());
    EXPECT_FALSE(number(*w, 4)->isVisible());

    QTest::mouseClick(box(*w, "HighNum"), Qt::LeftButton);
    QTest::keyClicks(box(*w, "HighNum"), QStringLiteral("25"));
    MoveFocusTo(number(*w, 0));
    EXPECT_EQ(state.database.highNumber(), 25);
    EXPECT_EQ(grid(*w, 3)->cell(0, 4), QStringLiteral(" 25"));
    EXPECT_EQ(grid(*w, 3)->cell(0, 5), QString());
}

TEST_F(DatabaseWindowTest, PicksAndRangeCannotChangeWhileRecordsExist)
{
    fill(3);
    auto w = open();
    for (const char* name : {"NumCol", "HighNum"}) {
        dialogs.clear();
        ui::InputBox* b = box(*w, name);
        const QString before = b->text();
        QTest::mouseClick(b, Qt::LeftButton);
        QTest::keyClicks(b, QStringLiteral("5"));
        MoveFocusTo(number(*w, 0));
        EXPECT_EQ(
            messages(),
            std::vector<QString>{QStringLiteral(
                "Help| Cannot change while records exist in a database. 'Delete All' first.")})
            << name;
        EXPECT_EQ(b->text(), before);
    }
    EXPECT_EQ(state.database.columnCount(), 8);
    EXPECT_EQ(state.database.highNumber(), 49);
}

TEST_F(DatabaseWindowTest, BadEntriesAreRefusedWithTheirMessages)
{
    fill(2);
    auto w = open();
    struct Case {
        QStringList numbers;
        const char* message;
    };
    const Case cases[] = {
        {QStringList{QStringLiteral("5"), QStringLiteral("12"), QStringLiteral("5"),
                     QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
         "Help| Correct: duplicate numbers."},
        {QStringList{QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("13"),
                     QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
         "Help| No record to add to database."},
        {QStringList{QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("13"),
                     QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
         "Entry Error| Correct: number 0 not allowed in Draw."},
        {QStringList{QStringLiteral("5"), QStringLiteral("12"), QStringLiteral(""),
                     QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
         "Entry Error| Correct: missing number."},
        {QStringList{QStringLiteral("5"), QStringLiteral("12"), QStringLiteral("50"),
                     QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
         "Entry Error| Correct: number 50 is higher than allowed in Draw."},
    };
    for (const Case& c : cases) {
        dialogs.clear();
        typeRecord(*w, c.numbers, false);
        button(*w, "DCalc")->click();
        EXPECT_EQ(messages(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_EQ(state.database.recordCount(), 2);
        // The entry row keeps what was typed so it can be put right.
        EXPECT_EQ(number(*w, 1)->text(), c.numbers[1]);
    }
    // Keys other than digits are refused with a beep.
    dialogs.clear();
    number(*w, 0)->clear();
    Type(number(*w, 0), QStringLiteral("4x"));
    EXPECT_EQ(number(*w, 0)->text(), QStringLiteral("4"));
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(DatabaseWindowTest, TheTableTakesTwoThousandRecordsAndNoMore)
{
    fill(database::DrawDatabase::MaxRecords - 1, 6, 49);
    auto w = open();
    typeRecord(*w, Numbers({1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(dialogs.log.empty());
    ASSERT_EQ(state.database.recordCount(), 2000);
    EXPECT_EQ(grid(*w, 1)->cell(1, 0), QStringLiteral("2000"));
    EXPECT_GE(grid(*w, 1)->rows(), 2001 + 4);

    typeRecord(*w, Numbers({7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(messages(),
              std::vector<QString>{QStringLiteral("Help|Max amount of records = 2000")});
    EXPECT_EQ(state.database.recordCount(), 2000);
    EXPECT_EQ(number(*w, 0)->text(), QStringLiteral("7"));
}

TEST_F(DatabaseWindowTest, ABadDateIsRefusedWhenTheBoxIsLeft)
{
    auto w = open();
    typeRecord(*w, Numbers({1, 2, 3, 4, 5, 6}), false);
    ui::InputBox* date = box(*w, "InDate");
    date->clear();
    Type(date, QStringLiteral("2/30/2026"));
    // Clicking "&Add Record" straight from a refused date adds nothing.
    QTest::mouseClick(button(*w, "DCalc"), Qt::LeftButton);
    EXPECT_EQ(messages(),
              std::vector<QString>{QStringLiteral("Entry error|Not a proper date, try again. ")});
    EXPECT_EQ(state.database.recordCount(), 0);
    QApplication::processEvents();
    EXPECT_TRUE(date->hasFocus());

    // Put right, the date is rewritten in the short form and the record goes in.
    dialogs.clear();
    date->clear();
    Type(date, QStringLiteral("2.3.2026"));
    MoveFocusTo(number(*w, 0));
    EXPECT_EQ(date->text(), QStringLiteral("2/3/2026"));
    button(*w, "DCalc")->click();
    EXPECT_TRUE(dialogs.log.empty());
    ASSERT_EQ(state.database.recordCount(), 1);
    EXPECT_EQ(state.database.record(1).DrawDate, QDate(2026, 2, 3));

    // Letters never reach the box.
    date->clear();
    Type(date, QStringLiteral("1a/2/2026"));
    EXPECT_EQ(date->text(), QStringLiteral("1/2/2026"));
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(DatabaseWindowTest, DeletingRecordThreeOfTen)
{
    fill(10);
    auto w = open();
    script(*w, {{entry::Option::Delete, 3}});
    button(*w, "DCorrectRec")->click();
    EXPECT_TRUE(dialogs.log.empty());
    ASSERT_EQ(state.database.recordCount(), 9);
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(state.database.record(r).RecordNo, r);
    EXPECT_EQ(state.database.record(3).DrawDate, QDate(2020, 1, 25));
    ui::Grid* records = grid(*w, 1);
    EXPECT_EQ(records->cell(1, 0), QStringLiteral("   9"));
    EXPECT_EQ(records->cell(7, 1), QStringLiteral("1/25/2020"));
    EXPECT_EQ(records->cell(9, 1), QStringLiteral("1/4/2020"));
    EXPECT_EQ(records->cell(10, 0), QString());
    EXPECT_EQ(records->cell(10, 1), QString());
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(w->pendingOption(), entry::Option::None);

    // Deleting the only record leaves an empty table and no top-numbers line.
    fill(1);
    auto one = open();
    script(*one, {{entry::Option::Delete, 1}});
    button(*one, "DCorrectRec")->click();
    EXPECT_EQ(state.database.recordCount(), 0);
    EXPECT_EQ(grid(*one, 1)->cell(1, 0), QString());
    EXPECT_EQ(label(*one, "Label4"), QString());
}

TEST_F(DatabaseWindowTest, InsertingOnAnExistingDatePlacesTheRecordAfterIt)
{
    fill(10);
    auto w = open();
    script(*w, {{entry::Option::Insert, 1}});
    button(*w, "DCorrectRec")->click();
    EXPECT_EQ(w->pendingOption(), entry::Option::Insert);
    EXPECT_EQ(label(*w, "InNew"), QStringLiteral("Insert"));
    EXPECT_EQ(box(*w, "InDate")->text(), QString());
    EXPECT_TRUE(box(*w, "InDate")->hasFocus());
    for (const char* name : {"DGraphs", "DDeleteAll", "DCorrectRec"})
        EXPECT_FALSE(button(*w, name)->isVisible()) << name;

    QTest::keyClicks(box(*w, "InDate"), QStringLiteral("1/18/2020")); // the date of record 3
    QTest::keyClick(box(*w, "InDate"), Qt::Key_Return);
    EXPECT_TRUE(number(*w, 0)->hasFocus());
    typeRecord(*w, Numbers({44, 45, 46, 47, 48, 49}));
    EXPECT_TRUE(dialogs.log.empty());
    ASSERT_EQ(state.database.recordCount(), 11);
    EXPECT_EQ(state.database.record(3).Numbers[0], 4); // record 3 as it was
    EXPECT_EQ(state.database.record(4).Numbers[0], 44);
    EXPECT_EQ(state.database.record(4).RecordNo, 4);
    EXPECT_EQ(state.database.record(5).DrawDate, QDate(2020, 1, 25));
    EXPECT_EQ(grid(*w, 1)->cell(8, 2), QStringLiteral(" 44"));
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(w->pendingOption(), entry::Option::None);
    EXPECT_EQ(label(*w, "InNew"), QStringLiteral("New"));
    for (const char* name : {"DGraphs", "DDeleteAll", "DCorrectRec"})
        EXPECT_TRUE(button(*w, name)->isVisible()) << name;
    EXPECT_EQ(box(*w, "InDate")->text(), QStringLiteral("3/14/2020"));
}

TEST_F(DatabaseWindowTest, InsertionIsRefusedWhenTheTableIsFull)
{
    fill(database::DrawDatabase::MaxRecords);
    auto w = open();
    script(*w, {{entry::Option::Insert, 1}});
    button(*w, "DCorrectRec")->click();
    EXPECT_EQ(messages(),
              std::vector<QString>{QStringLiteral("Help|Max amount of records = 2000")});
    EXPECT_EQ(w->pendingOption(), entry::Option::None);
    EXPECT_TRUE(button(*w, "DCorrectRec")->isVisible());
    EXPECT_EQ(label(*w, "InNew"), QStringLiteral("New"));
}

TEST_F(DatabaseWindowTest, ACorrectionToALaterDateIsRefused)
{
    fill(5);
    auto w = open();
    script(*w, {{entry::Option::Correct, 2}});
    button(*w, "DCorrectRec")->click();
    EXPECT_EQ(label(*w, "InNew"), QStringLiteral(" 2"));
    EXPECT_EQ(box(*w, "InDate")->text(), QStringLiteral("1/11/2020"));
    EXPECT_EQ(number(*w, 0)->text(), QStringLiteral("3"));
    EXPECT_FALSE(button(*w, "DCorrectRec")->isVisible());
    const database::DrawRecord before = state.database.record(2);

    // A bad number keeps the correction pending, with the correction's own wording.
    number(*w, 1)->clear();
    button(*w, "DCalc")->click();
    EXPECT_EQ(messages(), std::vector<QString>{QStringLiteral("Entry Error| Missing number")});
    EXPECT_EQ(w->pendingOption(), entry::Option::Correct);

    dialogs.clear();
    Type(number(*w, 1), QStringLiteral("30"));
    ui::InputBox* date = box(*w, "InDate");
    date->clear();
    Type(date, QStringLiteral("2/8/2020"));
    button(*w, "DCalc")->click();
    EXPECT_EQ(messages(), std::vector<QString>{QStringLiteral(
                              "Help| Date cannot be greater than last record.2/1/2020")});
    EXPECT_EQ(state.database.record(2).DrawDate, before.DrawDate);
    EXPECT_EQ(state.database.record(2).Numbers, before.Numbers);
    EXPECT_FALSE(state.Modified);
    // The refusal ends the operation.
    EXPECT_EQ(w->pendingOption(), entry::Option::None);
    EXPECT_TRUE(button(*w, "DCorrectRec")->isVisible());
    EXPECT_EQ(label(*w, "InNew"), QStringLiteral("New"));
}

TEST_F(DatabaseWindowTest, ACorrectionToAnEarlierDateMovesTheRecord)
{
    fill(5);
    auto w = open();
    script(*w, {{entry::Option::Correct, 4}});
    button(*w, "DCorrectRec")->click();
    ui::InputBox* date = box(*w, "InDate");
    date->clear();
    Type(date, QStringLiteral("1/5/2020"));
    number(*w, 0)->clear();
    Type(number(*w, 0), QStringLiteral("33"));
    QTest::keyClick(number(*w, 5), Qt::Key_Return);
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(state.database.record(2).Numbers[0], 33);
    EXPECT_EQ(state.database.record(2).DrawDate, QDate(2020, 1, 5));
    EXPECT_EQ(state.database.record(3).DrawDate, QDate(2020, 1, 11));
    EXPECT_EQ(grid(*w, 1)->cell(4, 2), QStringLiteral(" 33"));
    EXPECT_TRUE(state.Modified);
}

TEST_F(DatabaseWindowTest, RecordDialogAnswersThatDoNothing)
{
    auto empty = open();
    button(*empty, "DCorrectRec")->click();
    EXPECT_EQ(messages(), std::vector<QString>{QStringLiteral("Help| No records to correct ")});

    fill(4);
    auto w = open();
    script(*w, {{entry::Option::Correct, 5}, {entry::Option::None, 0}});
    dialogs.clear();
    button(*w, "DCorrectRec")->click();
    EXPECT_EQ(messages(),
              std::vector<QString>{QStringLiteral("Help| Record Number does not exist.")});
    dialogs.clear();
    button(*w, "DCorrectRec")->click();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(w->pendingOption(), entry::Option::None);
    EXPECT_TRUE(button(*w, "DDeleteAll")->isVisible());
    EXPECT_FALSE(state.Modified);
}

TEST_F(DatabaseWindowTest, TheRecordDialogItselfStartsACorrection)
{
    fill(4);
    auto w = open();
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<database::RecordDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        sawDialog = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Input"));
        ui::InputBox* value = Child<ui::InputBox>(dialog, QStringLiteral("CurVal"));
        Type(value, QStringLiteral("3"));
        QTest::keyClick(value, Qt::Key_Return);
    });
    button(*w, "DCorrectRec")->click();
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(w->pendingOption(), entry::Option::Correct);
    EXPECT_EQ(w->selectedRecord(), 3);
    EXPECT_EQ(label(*w, "InNew"), QStringLiteral(" 3"));
}

TEST_F(DatabaseWindowTest, DeleteAllAsksThenErasesKeepingPicksAndRange)
{
    fill(6, 5, 39);
    state.LastFileName = QStringLiteral("Mine.lto");
    auto w = open();
    dialogs.answers = {false};
    button(*w, "DDeleteAll")->click();
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0],
              (RecordedMessage{RecordedMessage::Kind::Question, QStringLiteral("Erase Database"),
                               QStringLiteral("Yes will delete the database file in memory.")}));
    EXPECT_EQ(state.database.recordCount(), 6);

    dialogs.answers = {true};
    button(*w, "DDeleteAll")->click();
    EXPECT_EQ(state.database.recordCount(), 0);
    EXPECT_EQ(state.database.title(), QString());
    EXPECT_EQ(box(*w, "InFileName")->text(), QString());
    EXPECT_EQ(state.LastFileName, QString());
    EXPECT_EQ(label(*w, "Label4"), QString());
    EXPECT_EQ(state.topNumbersHeading, QString());
    EXPECT_EQ(state.stats.FrequencyTable[2].value, 0);
    EXPECT_EQ(grid(*w, 1)->cell(1, 0), QString());
    EXPECT_EQ(grid(*w, 1)->cell(1, 2), QString());
    EXPECT_EQ(grid(*w, 2)->cell(1, 1), QString());
    EXPECT_EQ(state.database.columnCount(), 7);
    EXPECT_EQ(state.database.highNumber(), 39);
    EXPECT_EQ(box(*w, "NumCol")->text(), QStringLiteral(" 5"));
    EXPECT_TRUE(number(*w, 4)->isVisible());
    EXPECT_FALSE(number(*w, 5)->isVisible());

    // A new database can be typed in at once, in the kept shape.
    typeRecord(*w, Numbers({1, 2, 3, 4, 39}));
    EXPECT_TRUE(dialogs.log.size() == 2u);
    EXPECT_EQ(state.database.recordCount(), 1);
}

TEST_F(DatabaseWindowTest, TheCountSwitchShowsDrawsSinceLastDrawn)
{
    fill(10, 3, 9);
    auto w = open();
    auto* which = Child<QCheckBox>(w.get(), QStringLiteral("WhichCnt"));
    QTest::mouseClick(which, Qt::LeftButton);
    EXPECT_FALSE(which->isChecked());
    EXPECT_FALSE(state.stats.timesDrawn());
    // Record 10 holds 2, 3, 4: drawn in the last draw, so 0 (blank); record 9 holds 1, 2, 3, so
    // number 1 was last drawn one draw ago.
    EXPECT_EQ(grid(*w, 2)->cell(1, 1), QString());
    EXPECT_EQ(grid(*w, 2)->cell(1, 0), QStringLiteral("1"));
    EXPECT_TRUE(
        label(*w, "Label4")
            .startsWith(QStringLiteral("Number of draws since last drawn/not drawn. Top  3 =  ")));
    EXPECT_EQ(grid(*w, 1)->cell(1, 0), QStringLiteral("  10"));

    which->setFocus();
    QTest::keyClick(which, Qt::Key_Space);
    EXPECT_TRUE(state.stats.timesDrawn());
    EXPECT_EQ(grid(*w, 2)->cell(1, 1), QString::number(state.stats.FrequencyTable[2].value));

    // Its access key first runs the check of the box being edited: a refused value holds it
    // back, as it holds back a command button.
    ui::InputBox* ada1 = box(*w, "ADA1");
    QTest::mouseClick(ada1, Qt::LeftButton);
    QTest::keyClicks(ada1, QStringLiteral("7"));
    QTest::keyClick(ada1, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(messages(), std::vector<QString>{QStringLiteral("Help| Must be from 1 to 6")});
    // Not pressed (an access key presses a check box at once and clicks it a moment later).
    EXPECT_FALSE(which->isDown());
    EXPECT_TRUE(which->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([which] { return !which->isChecked(); }, 2000));
}

TEST_F(DatabaseWindowTest, QuickHelpOpensAndClosesAndDropsKeys)
{
    auto w = open();
    QPushButton* help = button(*w, "DHelp");
    auto* boxD = Child<QPlainTextEdit>(w.get(), QStringLiteral("HelpBoxD"));
    EXPECT_EQ(help->text(), QStringLiteral("Quick &Help"));
    EXPECT_FALSE(boxD->isVisible());
    help->click();
    EXPECT_EQ(help->text(), QStringLiteral("Close &Help"));
    EXPECT_TRUE(boxD->isVisible());
    EXPECT_TRUE(boxD->hasFocus());
    const QString shown = boxD->toPlainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("  Create a new File  (more..PgDn)\n")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("                 End")));
    for (const QString& line : database::DatabaseWindow::HelpLines())
        EXPECT_TRUE(shown.contains(line)) << line.toStdString();
    QTest::keyClicks(boxD, QStringLiteral("ab"));
    EXPECT_EQ(boxD->toPlainText(), shown);
    EXPECT_EQ(dialogs.beeps, 2);
    help->click();
    EXPECT_EQ(help->text(), QStringLiteral("Quick &Help"));
    EXPECT_FALSE(boxD->isVisible());
}

TEST_F(DatabaseWindowTest, TheFirstKeyReplacesASetupBox)
{
    fill(2);
    auto w = open();
    ui::InputBox* title = box(*w, "InFileName");
    title->setFocus();
    QTest::keyClicks(title, QStringLiteral("New \"name\""));
    EXPECT_EQ(title->text(), QStringLiteral("New name")); // replaced, quotes dropped
    MoveFocusTo(number(*w, 0));
    EXPECT_EQ(state.database.title(), QStringLiteral("New name"));
    // Leaving the title keeps the first-key state: typing again goes on at the end.
    title->setFocus();
    title->end(false);
    QTest::keyClicks(title, QStringLiteral("!"));
    EXPECT_EQ(title->text(), QStringLiteral("New name!"));
}

TEST_F(DatabaseWindowTest, LeavingEmitsExitToMenuOnce)
{
    fill(3);
    auto w = open();
    QSignalSpy exits(w.get(), &database::DatabaseWindow::exitToMenu);
    script(*w, {{entry::Option::Correct, 1}});
    button(*w, "DCorrectRec")->click();
    ASSERT_EQ(w->pendingOption(), entry::Option::Correct);
    ui::InputBox* title = box(*w, "InFileName");
    title->setFocus();
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Renamed"));
    // The title bar's close behaves as "E&xit to Menu", even while the title box has the focus.
    w->close();
    EXPECT_EQ(exits.count(), 1);
    EXPECT_EQ(w->pendingOption(), entry::Option::None);
    EXPECT_EQ(state.database.title(), QStringLiteral("Renamed"));
    button(*w, "DExit")->click();
    EXPECT_EQ(exits.count(), 1);

    auto other = open();
    QSignalSpy otherExits(other.get(), &database::DatabaseWindow::exitToMenu);
    button(*other, "DExit")->click();
    EXPECT_EQ(otherExits.count(), 1);
    EXPECT_FALSE(other->isVisible());
}

TEST_F(DatabaseWindowTest, ShowGraphHandsOverAndComesBackInStep)
{
    fill(5);
    auto w = open();
    QSignalSpy graphs(w.get(), &database::DatabaseWindow::showGraphRequested);
    button(*w, "DGraphs")->click();
    EXPECT_EQ(graphs.count(), 1);
    EXPECT_EQ(state.graphCaller, core::GraphCaller::DatabaseWindow);
    EXPECT_FALSE(w->isVisible());
    // The graphs window switched the measure for itself; back here the switch rules again.
    state.stats.measure = stats::Measure::DrawsSince;
    stats::RecomputeFrequencies(state.database, state.stats.measure, state.stats);
    ASSERT_TRUE(ShowActive(w.get()));
    EXPECT_TRUE(state.stats.timesDrawn());
    EXPECT_EQ(grid(*w, 2)->cell(1, 1), QString::number(state.stats.FrequencyTable[2].value));
}

TEST_F(DatabaseWindowTest, ARefusedFirstKeyEmptiesTheBoxWhichIsThenChecked)
{
    auto w = open();
    // Reached by the keyboard, not a click: the refused key alone empties the box.
    ui::InputBox* picks = box(*w, "NumCol");
    picks->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(picks, QStringLiteral("x"));
    MoveFocusTo(number(*w, 0));
    EXPECT_EQ(messages(), std::vector<QString>{QStringLiteral("Help| Must be from 1 to 10")});
    EXPECT_EQ(picks->text(), QStringLiteral(" 6"));
    // A later change of the range lays the grid out with the picks shown, not an empty box.
    QTest::mouseClick(box(*w, "HighNum"), Qt::LeftButton);
    QTest::keyClicks(box(*w, "HighNum"), QStringLiteral("40"));
    MoveFocusTo(number(*w, 0));
    EXPECT_EQ(state.database.columnCount(), 8);
    EXPECT_EQ(state.database.highNumber(), 40);
}
