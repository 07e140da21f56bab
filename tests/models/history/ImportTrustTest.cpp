// Import never stores a guessed number: extra balls kept apart, the user's shape first, bad
// cells rejecting only their rows, every line of a source accounted for, and the shapes of
// real operators' files (yyyymmdd, dotted dates, JSON archives).
#include "models/history/FieldNumbers.h"
#include "models/history/Import.h"
#include "models/history/JsonSource.h"

#include "support/Draws.h"
#include "support/QStringPrinting.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace history;

namespace {

SourceTable TableOf(const char* name)
{
    const DecodedText d =
        ReadSourceFile(QStringLiteral(TALLIMO_HISTORY_FIXTURES "/") + QLatin1String(name));
    EXPECT_EQ(d.error, ReadError::None) << name;
    return ReadTable(d.text);
}

database::DrawDatabase Empty(int picks, int high)
{
    return MakeDrawDatabase(high, picks, {}, QDate(2026, 1, 1));
}

// Import options that reject draws after Wednesday 9 December 2026.
ImportOptions UpToToday()
{
    ImportOptions o;
    o.today = QDate(2026, 12, 9);
    return o;
}

} // namespace

TEST(ImportColumns, ExtraBallsAreShownAndLeftOut)
{
    struct Case {
        const char* file;
        std::vector<NumberPick> numbers; // the main numbers mapped
        std::vector<int> extras;         // the columns shown as extra balls
        int picks;
    };
    const Case cases[] = {
        // Supplementaries named S1 and S2, from the same drum as the main numbers.
        {"supp-by-name.csv", {{2}, {3}, {4}, {5}, {6}, {7}}, {8, 9}, 6},
        // Five white balls of 49 and a red ball of 26 in one field: the red ball is left out.
        {"powerball-combined.csv", {{1, 1, 5}}, {1, 2}, 5},
        // A sixth column with no telling name, drawn from 1 to 20 where the others go to 49.
        {"extra-by-range.csv", {{1}, {2}, {3}, {4}, {5}}, {6}, 5},
        // The bonus ball and the ball set, by name.
        {"ball-per-column.csv", {{1}, {2}, {3}, {4}, {5}, {6}}, {7, 8}, 6},
    };
    for (const Case& c : cases) {
        const SourceTable t = TableOf(c.file);
        const Detection d = Detect(t, 0, DateOrder::DayFirst);
        EXPECT_EQ(d.mapping.numbers, c.numbers) << c.file;
        std::vector<int> extras;
        for (size_t k = 0; k < d.columns.size(); ++k) {
            if (d.columns[k].extra) extras.push_back(static_cast<int>(k));
        }
        EXPECT_EQ(extras, c.extras) << c.file;
        EXPECT_EQ(d.picks, c.picks) << c.file;
        EXPECT_EQ(d.numbersFound(), c.picks) << c.file;
    }
    // Imported as proposed, the red ball joins no draw.
    const SourceTable pb = TableOf("powerball-combined.csv");
    const Detection d = Detect(pb, 0, DateOrder::DayFirst);
    const ImportPlan plan =
        PlanImport(pb, d.mapping, Empty(5, 49), ShapeFromSource(d), UpToToday());
    EXPECT_EQ(plan.added, 24);
    EXPECT_EQ(plan.rows.front().numbers, (std::vector<int>{18, 29, 32, 35, 43}));
}

TEST(ImportColumns, TheShapeTheUserSetsChoosesTheColumns)
{
    // 49 columns: five balls, a chance number, then winners and prizes by rank. The first run
    // of number columns is proposed, not the thirty columns that hold numbers.
    const SourceTable t = TableOf("export-49-columns.csv");
    ASSERT_EQ(t.columnCount(), 49);
    const Detection first = Detect(t, 0, DateOrder::DayFirst);
    EXPECT_EQ(first.mapping.numbers, (std::vector<NumberPick>{{4}, {5}, {6}, {7}, {8}}));
    EXPECT_EQ(first.mapping.dateColumn(), 2);
    EXPECT_GT(first.numbersFound(), 20);
    // Six picks take the next number column too; a highest number leaves out the columns whose
    // values lie above it.
    const Detection six = Detect(t, 6, DateOrder::DayFirst, 49);
    ASSERT_EQ(six.mapping.numbers.size(), 6u);
    EXPECT_EQ(six.mapping.numbers.front().column, 4);
    EXPECT_GT(six.mapping.numbers.back().column, 9);
    for (int c : {12, 14})
        EXPECT_EQ(six.columns[static_cast<size_t>(c)].kind, QStringLiteral("values above 49"));
    const Detection three = Detect(t, 3, DateOrder::DayFirst);
    EXPECT_EQ(three.mapping.numbers, (std::vector<NumberPick>{{4}, {5}, {6}}));
}

TEST(ImportColumns, AFewBadCellsRejectOnlyTheirRows)
{
    // One 0, one empty cell, one word and one negative number, all in N4: it stays a number
    // column, and only those rows are rejected, each with its reason.
    const SourceTable t = TableOf("one-bad-cell.csv");
    const Detection d = Detect(t, 0, DateOrder::DayFirst);
    EXPECT_EQ(d.mapping.numbers, (std::vector<NumberPick>{{1}, {2}, {3}, {4}, {5}, {6}}));
    const ImportPlan plan = PlanImport(t, d.mapping, Empty(6, 49), {6, 49}, UpToToday());
    EXPECT_EQ(plan.added, 6);
    EXPECT_EQ(plan.rejected, 4);
    const std::vector<std::pair<int, QString>> rejected = {
        {4, QStringLiteral("number 0 is not from 1 to 49")},
        {7, QStringLiteral("no number in \"N4\"")},
        {9, QStringLiteral("\"seven\" is not a number")},
        {10, QStringLiteral("\"-5\" is not a number")},
    };
    for (const auto& [line, reason] : rejected) {
        const auto row = std::find_if(plan.rows.begin(), plan.rows.end(),
                                      [line](const PlannedRow& r) { return r.line == line; });
        ASSERT_NE(row, plan.rows.end()) << line;
        EXPECT_EQ(row->status, RowStatus::Rejected) << line;
        EXPECT_EQ(row->reason, reason) << line;
        // Every number of the row that could be read is shown.
        EXPECT_EQ(row->numbers.size(), line == 4 ? 6u : 5u) << line;
    }
    // The same from the command line's side: a database of 6 with the same columns.
    const Detection known = Detect(t, 6, DateOrder::DayFirst, 49);
    EXPECT_EQ(known.numbersFound(), 6);
}

TEST(ImportColumns, NumbersOfAFieldAndQuotedFields)
{
    struct Case {
        const char* field;
        bool ok;
        std::vector<int> numbers;
    };
    const Case cases[] = {
        {"5-12-23-34-45", true, {5, 12, 23, 34, 45}},
        {"05 12 23", true, {5, 12, 23}},
        {"-5", false, {}},
        {"3 -5", false, {3}},
        {"3, x7, 9", false, {3, 9}},
        {"1234567", false, {}},
    };
    for (const Case& c : cases) {
        std::vector<int> numbers;
        QString bad;
        EXPECT_EQ(ReadNumbers(QString::fromUtf8(c.field), numbers, bad), c.ok) << c.field;
        EXPECT_EQ(numbers, c.numbers) << c.field;
    }
    const QString longField(200, QLatin1Char('x'));
    EXPECT_EQ(Quoted(longField).size(), 82);
    EXPECT_TRUE(Quoted(longField).endsWith(QStringLiteral("\u2026\"")));
}

TEST(ImportColumns, ColumnReferences)
{
    const SourceTable t = TableOf("powerball-combined.csv");
    struct Case {
        const char* ref;
        bool ok;
        NumberPick pick;
        const char* text; // as the command line writes it back
    };
    const Case cases[] = {
        {"winning numbers[1-5]", true, {1, 1, 5}, "Winning Numbers[1-5]"},
        {" Winning Numbers [6] ", true, {1, 6, 6}, "Winning Numbers[6]"},
        {"Winning Numbers[2-]", true, {1, 2, 0}, "Winning Numbers[2-]"},
        {"3", true, {2}, "Multiplier"},
        {"Draw Date", true, {0}, "Draw Date"},
        {"Powerball", false, {}, ""},
        {"Winning Numbers[0]", false, {}, ""},
        {"Winning Numbers[5-2]", false, {}, ""},
        {"4", false, {}, ""},
    };
    for (const Case& c : cases) {
        NumberPick pick;
        QString error;
        ASSERT_EQ(ParseColumnRef(QString::fromUtf8(c.ref), t, pick, error), c.ok) << c.ref;
        if (!c.ok) {
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        EXPECT_EQ(pick, c.pick) << c.ref;
        EXPECT_EQ(ColumnRefText(t, pick), QString::fromUtf8(c.text));
    }
    NumberPick pick;
    QString error;
    ParseColumnRef(QStringLiteral("Powerball"), t, pick, error);
    EXPECT_EQ(error, QStringLiteral("no column \"Powerball\"; the columns are: 1 Draw Date, 2 "
                                    "Winning Numbers, 3 Multiplier"));
}

TEST(ImportSource, EveryLineIsAccountedFor)
{
    struct Case {
        const char* text;
        int rows;
        const char* skipped;
        int added;
        int rejected;
    };
    const Case cases[] = {
        // A description above the header, a blank line, yyyymmdd dates.
        {"Format: Draw, Date (yyyymmdd), N 1, 2, 3\r\nDraw,Date,N1,N2,N3\r\n"
         "7,20261202,1,2,3\r\n\r\n8,20261205,4,5,6\r\n",
         2, "line 1 (description), line 2 (header), line 4 (blank)", 2, 0},
        // Separators mixed: the comma line is read as a draw, not taken for a header.
        {"2026-11-28,1,2,3\n2026-12-02;4;5;6\n2026-12-05;7;8;9\n", 3, "", 3, 0},
        {"Date;N1;N2;N3\n2026-11-28;1;2;3\n2026-12-02,4,5,6\n", 2, "line 1 (header)", 2, 0},
        // A quoted field holding a line break is one field of one row.
        {"Date,N1,N2,N3,Note\n2026-11-28,1,2,3,\"two\r\nlines\"\n2026-12-02,4,5,6,x\n", 2,
         "line 1 (header)", 2, 0},
        // A draw after today is rejected; so is a row of words amid the draws.
        {"Date,N1,N2,N3\n2026-12-05,1,2,3\n2026-12-12,4,5,6\nDate,N1,N2,N3\n", 3, "line 1 (header)",
         1, 2},
    };
    for (const Case& c : cases) {
        const SourceTable t = ReadTable(QString::fromUtf8(c.text));
        EXPECT_EQ(static_cast<int>(t.rows.size()), c.rows) << c.text;
        EXPECT_EQ(DescribeSkipped(t.skipped), QString::fromUtf8(c.skipped)) << c.text;
        const Detection d = Detect(t, 0, DateOrder::DayFirst);
        const ImportPlan plan = PlanImport(t, d.mapping, Empty(3, 9), {3, 9}, UpToToday());
        EXPECT_EQ(plan.added, c.added) << c.text;
        EXPECT_EQ(plan.rejected, c.rejected) << c.text;
        EXPECT_EQ(plan.added + plan.present + plan.conflicts + plan.rejected, c.rows) << c.text;
    }
    const SourceTable future =
        ReadTable(QStringLiteral("Date,N1,N2,N3\n2026-12-05,1,2,3\n2026-12-12,4,5,6\n"));
    const ImportPlan plan = PlanImport(future, Detect(future, 0, DateOrder::DayFirst).mapping,
                                       Empty(3, 9), {3, 9}, UpToToday());
    EXPECT_EQ(plan.rows[1].reason, QStringLiteral("2026-12-12 is after today"));
    EXPECT_EQ(plan.rows[1].line, 3);
}

TEST(ImportDates, CompactDottedAndSpacedDates)
{
    EXPECT_EQ(ClassifyDate(u"20261205").dayFirst, QDate(2026, 12, 5));
    EXPECT_EQ(ClassifyDate(u"20261205").kind, DateField::Kind::Iso);
    EXPECT_FALSE(ClassifyDate(u"20261305").valid());
    EXPECT_FALSE(ClassifyDate(u"12345678").looksLikeDate());
    EXPECT_TRUE(ClassifyDate(u"01.07.2026").dotted);

    // Every date reads both ways; only one reading puts the draws on Wednesdays and Saturdays
    // a few days apart.
    const QString dayFirst = QStringLiteral("Date,N1\n03/01/2026,1\n07/01/2026,2\n10/01/2026,3\n"
                                            "04/02/2026,4\n07/02/2026,5\n11/02/2026,6\n");
    for (const auto& [text, order] :
         {std::pair{dayFirst, DateOrder::DayFirst},
          std::pair{
              QString(dayFirst).replace(QRegularExpression(QStringLiteral("(\\d\\d)/(\\d\\d)/")),
                                        QStringLiteral("\\2/\\1/")),
              DateOrder::MonthFirst}}) {
        for (const DateOrder preferred : {DateOrder::DayFirst, DateOrder::MonthFirst}) {
            const DateOrderFinding f = FindDateOrder(ReadTable(text), 0, preferred);
            EXPECT_FALSE(f.ambiguous);
            EXPECT_EQ(f.rule, DateOrderRule::Spacing);
            EXPECT_EQ(f.order, order);
            EXPECT_EQ(f.weekdays, QStringLiteral("Wednesdays and Saturdays"));
        }
    }
}

TEST(ImportJson, AnArchiveReadsAsATable)
{
    const SourceTable t = TableOf("archive.json");
    EXPECT_EQ(t.separator, Separator::Json);
    EXPECT_EQ(t.header, (QStringList{QStringLiteral("datum"), QStringLiteral("zahlen"),
                                     QStringLiteral("superzahl"), QStringLiteral("spieleinsatz"),
                                     QStringLiteral("quoten")}));
    ASSERT_EQ(t.rows.size(), 30u);
    EXPECT_EQ(t.rows[0].line, 5);
    EXPECT_EQ(t.rows[1].line, 22);
    EXPECT_EQ(t.rows[0].fields[1], QStringLiteral("12 1 31 36 10 16"));
    const Detection d = Detect(t, 0, DateOrder::MonthFirst);
    EXPECT_EQ(d.mapping.dateColumn(), 0);
    EXPECT_EQ(d.mapping.order, DateOrder::DayFirst);
    EXPECT_EQ(d.mapping.numbers, (std::vector<NumberPick>{{1}}));
    EXPECT_TRUE(d.columns[2].extra);
    const ImportPlan plan = PlanImport(t, d.mapping, Empty(6, 49), ShapeFromSource(d), UpToToday());
    EXPECT_EQ(plan.added, 30);
    EXPECT_EQ(plan.rows[0].date, QDate(2026, 6, 6));

    // A top-level array; and what is no archive of draws says why.
    const SourceTable top = ReadTable(
        QStringLiteral("[{\"date\": \"2026-12-05\", \"numbers\": [1, 2, 3]},\n"
                       " {\"date\": \"2026-12-02\", \"numbers\": [4, 5, 6], \"note\": null}]"));
    ASSERT_EQ(top.rows.size(), 2u);
    EXPECT_EQ(top.rows[1].line, 2);
    EXPECT_EQ(top.rows[1].fields,
              (QStringList{QStringLiteral("2026-12-02"), QStringLiteral("4 5 6"), QString()}));
    EXPECT_TRUE(ReadTable(QStringLiteral("[1, 2"))
                    .problem.startsWith(QStringLiteral("is not a JSON archive of draws: ")));
    EXPECT_EQ(ReadTable(QStringLiteral("{\"draws\": 3}")).problem,
              QStringLiteral("is not a JSON archive of draws: no list of objects found"));
}
