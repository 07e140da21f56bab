#include "models/draws/RecordEntry.h"
#include "text/Dates.h"

#include "support/Draws.h"

#include <gtest/gtest.h>

using entry::Problem;

namespace {

// A six-of-49 database whose records fall every `step` days from 1 March 2025, numbered by
// row, each record's first number being its row so that a test can follow it.
database::DrawDatabase Database(int count, int step = 7)
{
    std::vector<std::vector<int>> draws;
    for (int r = 1; r <= count; ++r)
        draws.push_back({r, 40, 41, 42, 43, 44});
    return MakeDrawDatabase(49, 6, draws, DrawDates(QDate(2025, 3, 1), draws.size(), {step}));
}

QStringList Boxes(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromLatin1(t);
    return out;
}

int FirstNumber(const database::DrawDatabase& db, int row)
{
    return db.record(row).Numbers[0];
}

void ExpectNumberedInDateOrder(const database::DrawDatabase& db)
{
    for (int r = 1; r <= db.recordCount(); ++r) {
        EXPECT_EQ(db.record(r).RecordNo, r);
        if (r > 1) {
            EXPECT_LE(db.record(r - 1).DrawDate, db.record(r).DrawDate);
        }
    }
}

} // namespace

TEST(RecordEntry, FirstChecks)
{
    struct Case {
        QStringList boxes;
        Problem expected;
    };
    const Case cases[] = {
        {Boxes({"", "12", "5"}), Problem::NoRecord},
        {Boxes({"0", "12", "5"}), Problem::NoRecord},
        {Boxes({"00", "12", "5"}), Problem::NoRecord},
        {Boxes({"5", "12", "5"}), Problem::Duplicate},
        {Boxes({"5", "12", "05"}), Problem::Duplicate}, // equal values, different texts
        {Boxes({"5", "", ""}), Problem::None},          // empty boxes are not duplicates
        {Boxes({"5", "0", "0"}), Problem::None},        // nor are zeros
        {Boxes({"5", "12", "13"}), Problem::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(entry::CheckFirst(c.boxes).problem, c.expected)
            << c.boxes.join(u',').toStdString();
}

TEST(RecordEntry, NumberChecksNameTheFirstBoxAtFault)
{
    struct Case {
        QStringList boxes;
        Problem expected;
        int box;
        const char* text;
    };
    const Case cases[] = {
        {Boxes({"5", "", "50"}), Problem::Missing, 1, ""},
        {Boxes({"5", "50", ""}), Problem::TooHigh, 1, "50"},
        {Boxes({"5", "0", "50"}), Problem::Zero, 1, "0"},
        {Boxes({"49", "1", "2"}), Problem::None, -1, ""},
    };
    for (const Case& c : cases) {
        const entry::Check check = entry::CheckNumbers(c.boxes, 49);
        EXPECT_EQ(check.problem, c.expected);
        EXPECT_EQ(check.box, c.box);
        EXPECT_EQ(check.boxText, QString::fromLatin1(c.text));
    }
}

TEST(RecordEntry, AppendWritesTheTypedDateAndNumbersWithoutSorting)
{
    database::DrawDatabase db = Database(3);
    // An earlier date than the last record is taken as it is; the table is not re-sorted.
    const entry::Check c =
        entry::Append(db, QStringLiteral("1/2/2024"), Boxes({"7", "8", "9", "10", "11", "12"}));
    ASSERT_TRUE(c.ok());
    ASSERT_EQ(db.recordCount(), 4);
    const database::DrawRecord& rec = db.record(4);
    EXPECT_EQ(rec.RecordNo, 4);
    EXPECT_EQ(rec.DrawDate, QDate(2024, 1, 2));
    EXPECT_EQ(rec.Numbers[0], 7);
    EXPECT_EQ(rec.Numbers[5], 12);
    EXPECT_EQ(rec.Numbers[6], 0);
    EXPECT_EQ(FirstNumber(db, 3), 3);

    // A bad date or a bad number adds nothing.
    EXPECT_EQ(entry::Append(db, QStringLiteral("13/45/2024"), Boxes({"1", "2", "3", "4", "5", "6"}))
                  .problem,
              Problem::BadDate);
    EXPECT_EQ(entry::Append(db, QStringLiteral("1/9/2024"), Boxes({"1", "2", "3", "4", "5", "60"}))
                  .problem,
              Problem::TooHigh);
    EXPECT_EQ(db.recordCount(), 4);
}

TEST(RecordEntry, AppendStopsAtTheTableLimit)
{
    database::DrawDatabase db = Database(database::DrawDatabase::MaxRecords - 1, 1);
    const QStringList numbers = Boxes({"1", "2", "3", "4", "5", "6"});
    EXPECT_TRUE(entry::Append(db, QStringLiteral("1/1/2031"), numbers).ok());
    EXPECT_EQ(db.recordCount(), database::DrawDatabase::MaxRecords);
    EXPECT_EQ(entry::Append(db, QStringLiteral("1/2/2031"), numbers).problem, Problem::Full);
    EXPECT_EQ(db.recordCount(), database::DrawDatabase::MaxRecords);
    EXPECT_FALSE(db.record(database::DrawDatabase::MaxRecords + 1).DrawDate.isValid());
}

TEST(RecordEntry, CorrectionMovesARecordToItsDatePosition)
{
    database::DrawDatabase db = Database(5);
    // Record 4 (22 March) corrected to 5 March moves between records 1 and 2.
    const entry::Check c = entry::ApplyCorrection(db, 4, QStringLiteral("3/5/2025"),
                                                  Boxes({"30", "31", "32", "33", "34", "35"}));
    ASSERT_TRUE(c.ok());
    ASSERT_EQ(db.recordCount(), 5);
    EXPECT_EQ(db.record(2).DrawDate, QDate(2025, 3, 5));
    EXPECT_EQ(FirstNumber(db, 2), 30);
    EXPECT_EQ(FirstNumber(db, 3), 2);
    ExpectNumberedInDateOrder(db);
}

TEST(RecordEntry, CorrectionIsRefusedAfterTheLastDateButAcceptedOnIt)
{
    database::DrawDatabase db = Database(5);
    const QDate last = db.record(5).DrawDate;
    const database::DrawRecord before = db.record(2);
    const entry::Check late = entry::ApplyCorrection(db, 2, QStringLiteral("3/30/2025"),
                                                     Boxes({"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(late.problem, Problem::DateAfterLast);
    EXPECT_EQ(late.lastDate, last);
    EXPECT_EQ(db.record(2).DrawDate, before.DrawDate);
    EXPECT_EQ(db.record(2).Numbers, before.Numbers);

    // The last record keeps its own date with new numbers.
    ASSERT_TRUE(entry::ApplyCorrection(db, 5, QStringLiteral("3/29/2025"),
                                       Boxes({"9", "8", "7", "6", "5", "4"}))
                    .ok());
    EXPECT_EQ(db.record(5).DrawDate, last);
    EXPECT_EQ(FirstNumber(db, 5), 9);

    // A bad number leaves the record as it was.
    EXPECT_EQ(entry::ApplyCorrection(db, 1, QStringLiteral("3/1/2025"),
                                     Boxes({"1", "", "3", "4", "5", "6"}))
                  .problem,
              Problem::Missing);
    EXPECT_EQ(db.record(1).Numbers[1], 40);
}

TEST(RecordEntry, InsertionGoesAfterRecordsOfTheSameDate)
{
    database::DrawDatabase db = Database(10);
    const QDate third = db.record(3).DrawDate;
    ASSERT_TRUE(
        entry::ApplyInsertion(db, text::ShortDate(third), Boxes({"33", "1", "2", "3", "4", "5"}))
            .ok());
    ASSERT_EQ(db.recordCount(), 11);
    EXPECT_EQ(FirstNumber(db, 3), 3);
    EXPECT_EQ(FirstNumber(db, 4), 33);
    EXPECT_EQ(db.record(4).DrawDate, third);
    EXPECT_EQ(FirstNumber(db, 5), 4);
    ExpectNumberedInDateOrder(db);
}

TEST(RecordEntry, InsertionIsRefusedAtTheLimitAndAfterTheLastDate)
{
    database::DrawDatabase full = Database(database::DrawDatabase::MaxRecords, 1);
    EXPECT_EQ(entry::ApplyInsertion(full, QStringLiteral("3/1/2025"),
                                    Boxes({"1", "2", "3", "4", "5", "6"}))
                  .problem,
              Problem::Full);
    EXPECT_EQ(full.recordCount(), database::DrawDatabase::MaxRecords);

    database::DrawDatabase db = Database(4);
    EXPECT_EQ(
        entry::ApplyInsertion(db, QStringLiteral("4/1/2025"), Boxes({"1", "2", "3", "4", "5", "6"}))
            .problem,
        Problem::DateAfterLast);
    EXPECT_EQ(db.recordCount(), 4);
}

TEST(RecordEntry, DeletionRenumbersAndKeepsDateOrder)
{
    database::DrawDatabase db = Database(10);
    ASSERT_TRUE(entry::DeleteRecord(db, 3));
    ASSERT_EQ(db.recordCount(), 9);
    const int expected[] = {1, 2, 4, 5, 6, 7, 8, 9, 10};
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(FirstNumber(db, r), expected[r - 1]);
    ExpectNumberedInDateOrder(db);
    EXPECT_FALSE(db.record(10).DrawDate.isValid());

    // A record dated far ahead is an ordinary record: deleting another one never takes it.
    database::DrawDatabase ahead = Database(3);
    ahead.record(3).DrawDate = QDate(2600, 1, 1);
    ASSERT_TRUE(entry::DeleteRecord(ahead, 1));
    ASSERT_EQ(ahead.recordCount(), 2);
    EXPECT_EQ(ahead.record(2).DrawDate, QDate(2600, 1, 1));

    database::DrawDatabase one = Database(1);
    ASSERT_TRUE(entry::DeleteRecord(one, 1));
    EXPECT_EQ(one.recordCount(), 0);
    EXPECT_FALSE(entry::DeleteRecord(one, 1));
}

TEST(RecordEntry, RecordDialogChoice)
{
    using entry::Option;
    struct Case {
        Option option;
        const char* typed;
        Option expectedOption;
        int expectedRecord;
    };
    const Case cases[] = {
        {Option::Correct, "7", Option::Correct, 7},
        {Option::Delete, "12", Option::Delete, 12},
        {Option::Insert, "1", Option::Insert, 1},
        {Option::Insert, "9", Option::Insert, 1}, // the place is found by date
        {Option::Correct, "0", Option::None, 0},
        {Option::Delete, "", Option::None, 0},
        {Option::Insert, "0", Option::None, 0},
        {Option::Insert, "", Option::None, 0},
    };
    for (const Case& c : cases) {
        const entry::RecordChoice choice =
            entry::ChooseRecord(c.option, QString::fromLatin1(c.typed));
        EXPECT_EQ(choice.option, c.expectedOption) << c.typed;
        EXPECT_EQ(choice.record, c.expectedRecord) << c.typed;
    }
}

TEST(DateAdvance, TwoDrawsAWeekAlternateBetweenTheSteps)
{
    // The user sets the first step to 3 while the step in use is 7, with a Wednesday proposed.
    database::DrawDatabase db;
    db.setAdvance(3, 4, 7);
    const QDate wednesday(2026, 12, 9);
    QDate date = wednesday;
    const int expectedDays[] = {3, 4, 3, 4, 3};
    const int expectedShown[] = {4, 3, 4, 3, 4};
    for (int i = 0; i < 5; ++i) {
        db.setShape(1, db.highNumber());
        db.setRecordCount(db.recordCount() + 1);
        db.record(db.recordCount()) = {db.recordCount(), date, {1}};
        const entry::Advance a = entry::AdvanceDate(db, QDate(2000, 1, 1));
        EXPECT_EQ(date.daysTo(a.proposed), expectedDays[i]) << i;
        EXPECT_EQ(a.shown, expectedShown[i]) << i;
        date = a.proposed;
    }
    EXPECT_EQ(date.dayOfWeek(), Qt::Saturday);
}

TEST(DateAdvance, OneDrawAWeekAndTheEmptyTable)
{
    database::DrawDatabase db;
    db.setAdvance(0, 7, 7);
    const QDate today(2026, 12, 9);
    // No record: today is proposed, and the step stays 7.
    entry::Advance a = entry::AdvanceDate(db, today);
    EXPECT_EQ(a.proposed, today);
    EXPECT_EQ(a.shown, 7);
    EXPECT_EQ(db.pendingAdvance(), 7);
    db.setRecordCount(1);
    db.record(1) = {1, today, {1}};
    for (int i = 1; i <= 3; ++i) {
        a = entry::AdvanceDate(db, today);
        EXPECT_EQ(a.proposed, today.addDays(7));
        EXPECT_EQ(db.pendingAdvance(), 7);
    }
}

TEST(DateAdvance, TwoAdvancesInARowProposeTheLastDatePlusTheStepInUse)
{
    database::DrawDatabase db;
    db.setAdvance(3, 4, db.pendingAdvance());
    db.setRecordCount(1);
    db.record(1) = {1, QDate(2026, 12, 12), {1}};
    for (int pending : {3, 4}) {
        db.setPendingAdvance(pending);
        entry::AdvanceDate(db, QDate());
        const entry::Advance a = entry::AdvanceDate(db, QDate());
        EXPECT_EQ(db.pendingAdvance(), pending);
        EXPECT_EQ(a.proposed, QDate(2026, 12, 12).addDays(pending));
    }
}

TEST(DateAdvance, StepFromTheLastTwoRecords)
{
    database::DrawDatabase db;
    EXPECT_FALSE(entry::PendingAdvanceFromLastTwo(db).has_value());
    db.setRecordCount(1);
    db.record(1) = {1, QDate(2026, 12, 9), {1}};
    EXPECT_FALSE(entry::PendingAdvanceFromLastTwo(db).has_value());
    db.setRecordCount(2);
    struct Case {
        int gap;
        int expected;
    };
    for (const Case c : {Case{3, 4}, Case{4, 3}, Case{1, 6}, Case{6, 1}, Case{7, 0}, Case{0, 0}}) {
        db.record(2) = {2, QDate(2026, 12, 9).addDays(c.gap), {2}};
        EXPECT_EQ(entry::PendingAdvanceFromLastTwo(db), c.expected) << c.gap;
    }
}
