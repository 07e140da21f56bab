#include "models/draws/RecordEntry.h"
#include "models/history/Export.h"
#include "models/history/Import.h"
#include "text/Dates.h"

#include "support/Draws.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace history;

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(TALLIMO_HISTORY_FIXTURES "/") + QLatin1String(name);
}

SourceTable TableOf(const char* name)
{
    const DecodedText d = ReadSourceFile(Fixture(name));
    EXPECT_EQ(d.error, ReadError::None) << name;
    return ReadTable(d.text);
}

SourceTable TableOfText(const char* text)
{
    return ReadTable(QString::fromUtf8(text));
}

std::vector<int> NumbersOf(const database::DrawDatabase& db, int record)
{
    const database::DrawRecord& r = db.record(record);
    return {r.Numbers.begin(), r.Numbers.begin() + db.picksPerDraw()};
}

database::DrawDatabase SixOf49(const std::vector<std::vector<int>>& draws, const QDate& first)
{
    return MakeDrawDatabase(49, 6, draws, first);
}

std::vector<ColumnRole> Roles(const Detection& d)
{
    return d.mapping.roles(static_cast<int>(d.columns.size()));
}

ImportPlan Plan(const SourceTable& t, const database::DrawDatabase& db, ImportOptions options = {})
{
    const Detection d =
        Detect(t, db.recordCount() > 0 ? db.picksPerDraw() : 0, DateOrder::DayFirst);
    return PlanImport(t, d.mapping, db, {db.picksPerDraw(), db.highNumber()}, options);
}

} // namespace

TEST(HistoryDates, EveryWrittenForm)
{
    struct Case {
        const char* text;
        DateField::Kind kind;
        QDate dayFirst;
        QDate monthFirst;
    };
    using K = DateField::Kind;
    const Case cases[] = {
        {"2026-12-05", K::Iso, {2026, 12, 5}, {2026, 12, 5}},
        {"2026/2/5", K::Iso, {2026, 2, 5}, {2026, 2, 5}},
        {"05/12/2026", K::Numeric, {2026, 12, 5}, {2026, 5, 12}},
        {"5.12.26", K::Numeric, {2026, 12, 5}, {2026, 5, 12}},
        {"13.05.98", K::Numeric, {1998, 5, 13}, {}},
        {"12-31-2026", K::Numeric, {}, {2026, 12, 31}},
        {"31/02/2026", K::Numeric, {}, {}},
        {"05-Dec-2026", K::Spelled, {2026, 12, 5}, {2026, 12, 5}},
        {"Dec 5, 2026", K::Spelled, {2026, 12, 5}, {2026, 12, 5}},
        {"Saturday 5 December 2026", K::Spelled, {2026, 12, 5}, {2026, 12, 5}},
        {"Sat, Sept 5th 2026", K::Spelled, {2026, 9, 5}, {2026, 9, 5}},
        {"30 Feb 2026", K::Spelled, {}, {}},
        {"5 Decmber 2026", K::None, {}, {}},
        {"5-12-23-34-45", K::None, {}, {}},
        {"05 12 23 34 45", K::None, {}, {}},
        {"2026", K::None, {}, {}},
        {"", K::None, {}, {}},
    };
    for (const Case& c : cases) {
        const DateField f = ClassifyDate(QString::fromUtf8(c.text));
        EXPECT_EQ(f.kind, c.kind) << c.text;
        EXPECT_EQ(f.dayFirst, c.dayFirst) << c.text;
        EXPECT_EQ(f.monthFirst, c.monthFirst) << c.text;
    }
}

TEST(HistorySource, DecodesAndRefuses)
{
    // Windows-1252: the euro sign is 0x80; UTF-8 with a BOM loses the BOM.
    EXPECT_EQ(DecodeSource("Jackpot (\x80)\n").text, QStringLiteral("Jackpot (\u20AC)\n"));
    EXPECT_EQ(DecodeSource("\xEF\xBB\xBF"
                           "Date,N1\n")
                  .text,
              QStringLiteral("Date,N1\n"));
    EXPECT_EQ(DecodeSource("caf\xC3\xA9").text, QStringLiteral("caf\u00E9"));
    EXPECT_EQ(ReadSourceFile(Fixture("binary.png")).error, ReadError::Binary);
    EXPECT_EQ(ReadSourceFile(Fixture("no-such-file.csv")).error, ReadError::CannotOpen);
    EXPECT_EQ(DecodeSource(" \r\n\n").error, ReadError::Empty);

    // 50 MB of plausible rows: refused by its size, not read whole.
    TempDir dir;
    QFile big(dir.path(QStringLiteral("big.csv")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    const QByteArray line = "2026-12-05,1,2,3,4,5,6\n";
    const QByteArray block = line.repeated(1 << 16);
    while (big.size() < 50 * 1024 * 1024)
        big.write(block);
    big.close();
    EXPECT_EQ(ReadSourceFile(big.fileName()).error, ReadError::TooLarge);
}

TEST(HistorySource, OperatorsStylesAreRead)
{
    struct Case {
        const char* file;
        Separator separator;
        bool header;
        int rows;
        int firstLine;
        std::vector<ColumnRole> roles; // the leading columns; the rest are ignored
        int picks;
        int highest;
    };
    using R = ColumnRole;
    const Case cases[] = {
        // Newest first, a bonus ball, the ball set, the machine and the draw number left out.
        {"ball-per-column.csv",
         Separator::Comma,
         true,
         6,
         2,
         {R::Date, R::Numbers, R::Numbers, R::Numbers, R::Numbers, R::Numbers, R::Numbers,
          R::Ignore, R::Ignore, R::Ignore, R::Ignore},
         6,
         49},
        // Five numbers in one quoted field and a multiplier.
        {"numbers-in-one-field.csv",
         Separator::Comma,
         true,
         4,
         2,
         {R::Date, R::Numbers, R::Ignore},
         5,
         46},
        // Semicolons, dotted two-digit-year dates, a Superzahl and a jackpot in Windows-1252.
        {"semicolon-dotted.csv",
         Separator::Semicolon,
         true,
         3,
         2,
         {R::Date, R::Numbers, R::Numbers, R::Numbers, R::Numbers, R::Numbers, R::Numbers,
          R::Ignore, R::Ignore},
         6,
         49},
        // Aligned text under a title line, dates in words over several blanks.
        {"aligned-spelled.txt",
         Separator::Whitespace,
         true,
         4,
         4,
         {R::Date, R::Numbers, R::Numbers, R::Numbers, R::Numbers, R::Numbers, R::Numbers},
         6,
         45},
    };
    for (const Case& c : cases) {
        const SourceTable t = TableOf(c.file);
        EXPECT_EQ(t.separator, c.separator) << c.file;
        EXPECT_EQ(t.hasHeader, c.header) << c.file;
        ASSERT_EQ(static_cast<int>(t.rows.size()), c.rows) << c.file;
        EXPECT_EQ(t.rows.front().line, c.firstLine) << c.file;
        const Detection d = Detect(t, 0, DateOrder::DayFirst);
        EXPECT_EQ(Roles(d), c.roles) << c.file;
        EXPECT_EQ(d.picks, c.picks) << c.file;
        EXPECT_EQ(d.highest, c.highest) << c.file;
    }
    // The header's euro sign came through Windows-1252.
    EXPECT_EQ(TableOf("semicolon-dotted.csv").header.last(), QStringLiteral("Jackpot (\u20AC)"));
}

TEST(HistorySource, DateOrderIsSettledOrLeftToTheUser)
{
    // 11/28/2026 can only be month-first, and line 2 says so.
    const Detection us = Detect(TableOf("numbers-in-one-field.csv"), 0, DateOrder::DayFirst);
    EXPECT_FALSE(us.dates.ambiguous);
    EXPECT_EQ(us.mapping.order, DateOrder::MonthFirst);
    EXPECT_EQ(us.dates.settlingLine, 2);
    EXPECT_EQ(us.dates.settlingText, QStringLiteral("11/28/2026"));

    // 05.12.26, 09.12.26, 02.11.26 read both ways, but dates written with dots are day-first
    // whatever the locale prefers.
    for (DateOrder preferred : {DateOrder::DayFirst, DateOrder::MonthFirst}) {
        const Detection de = Detect(TableOf("semicolon-dotted.csv"), 0, preferred);
        EXPECT_FALSE(de.dates.ambiguous);
        EXPECT_EQ(de.dates.rule, DateOrderRule::Dots);
        EXPECT_EQ(de.mapping.order, DateOrder::DayFirst);
    }
    // The same dates written with slashes are left to the user, in the preferred order.
    const SourceTable slashed = TableOfText("Date;N1\n05/12/26;5\n09/12/26;7\n12/12/26;2\n");
    for (DateOrder preferred : {DateOrder::DayFirst, DateOrder::MonthFirst}) {
        const Detection d = Detect(slashed, 0, preferred);
        EXPECT_TRUE(d.dates.ambiguous);
        EXPECT_EQ(d.dates.rule, DateOrderRule::Preferred);
        EXPECT_EQ(d.mapping.order, preferred);
    }
    // Spelled dates have one reading: nothing to choose.
    EXPECT_FALSE(Detect(TableOf("ball-per-column.csv"), 0, DateOrder::DayFirst).dates.numericDates);
}

TEST(HistorySource, SeveralNumbersPerFieldAndKnownPicks)
{
    // Hyphen-joined numbers, and a lottery whose database knows it draws five: the sixth
    // column (no header to say so) is left out.
    const SourceTable t = TableOfText("2026-12-05;5-12-23-34-45;7\n2026-12-09;1-2-3-4-6;9\n");
    EXPECT_EQ(t.separator, Separator::Semicolon);
    EXPECT_FALSE(t.hasHeader);
    const Detection d = Detect(t, 5, DateOrder::DayFirst);
    EXPECT_EQ(Roles(d),
              (std::vector<ColumnRole>{ColumnRole::Date, ColumnRole::Numbers, ColumnRole::Ignore}));
    // Tabs, a BOM and CR LF; numbers joined by commas inside a tab-separated field; the second
    // row's day over 12 settles the order.
    const SourceTable tabs = ReadTable(DecodeSource("\xEF\xBB\xBF"
                                                    "Date\tNumbers\r\n05/12/2026\t1,2,3,4,5,6\r\n"
                                                    "13/12/2026\t7 8 9 10 11 12\r\n")
                                           .text);
    EXPECT_EQ(tabs.separator, Separator::Tab);
    EXPECT_EQ(tabs.header, (QStringList{QStringLiteral("Date"), QStringLiteral("Numbers")}));
    const Detection tabbed = Detect(tabs, 0, DateOrder::MonthFirst);
    EXPECT_EQ(tabbed.picks, 6);
    EXPECT_EQ(tabbed.mapping.order, DateOrder::DayFirst);
    EXPECT_EQ(tabbed.dates.settlingLine, 3);
    // Without a header, a last column that repeats a row's number is a separate pool.
    const SourceTable bonus =
        TableOfText("2026-12-05 1 2 3 4 5 6 3\n2026-12-09 7 8 9 10 11 12 40\n");
    EXPECT_EQ(Detect(bonus, 0, DateOrder::DayFirst).picks, 6);
    // A draw number that counts up for eight rows is not a drawn number; numbers that happen
    // to count up over a few rows, or in several columns, are drawn numbers.
    QString counted;
    QString allCount;
    QString fewRows;
    for (int r = 0; r < 8; ++r) {
        const QString date = QDate(2026, 1, 3).addDays(7 * r).toString(Qt::ISODate);
        counted += QStringLiteral("%1,%2,%3,%4\n")
                       .arg(11 + r)
                       .arg(date)
                       .arg(r * 7 % 40 + 1)
                       .arg(r * 13 % 40 + 2);
        allCount += QStringLiteral("%1,%2,%3,%4\n").arg(11 + r).arg(date).arg(r + 1).arg(r + 20);
        if (r < 3) fewRows += QStringLiteral("%1,%2,%3\n").arg(date).arg(r + 1).arg(r + 8);
    }
    using R = ColumnRole;
    EXPECT_EQ(Roles(Detect(ReadTable(counted), 0, DateOrder::DayFirst)),
              (std::vector<R>{R::Ignore, R::Date, R::Numbers, R::Numbers}));
    EXPECT_EQ(Roles(Detect(ReadTable(allCount), 0, DateOrder::DayFirst)),
              (std::vector<R>{R::Numbers, R::Date, R::Numbers, R::Numbers}));
    EXPECT_EQ(Roles(Detect(ReadTable(fewRows), 0, DateOrder::DayFirst)),
              (std::vector<R>{R::Date, R::Numbers, R::Numbers}));
}

TEST(HistoryPlan, DamagedRowsAreListedWithTheirReason)
{
    const SourceTable t = TableOf("damaged.csv");
    database::DrawDatabase empty = SixOf49({}, QDate(2026, 1, 1));
    const ImportPlan plan = Plan(t, empty);
    struct Expected {
        int line;
        RowStatus status;
        const char* reason;
    };
    const Expected expected[] = {
        {2, RowStatus::New, ""},
        {3, RowStatus::Rejected, "3 numbers where a draw has 6"},
        {4, RowStatus::Rejected, "number 61 is not from 1 to 49"},
        {5, RowStatus::Rejected, "number 22 appears twice"},
        {6, RowStatus::Rejected, "\"2026-02-30\" is not a real date"},
        {7, RowStatus::Rejected, "\"x7\" is not a number"},
        {8, RowStatus::Rejected, "no date"},
        {9, RowStatus::New, ""},
    };
    ASSERT_EQ(plan.rows.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(plan.rows[i].line, expected[i].line);
        EXPECT_EQ(plan.rows[i].status, expected[i].status) << expected[i].line;
        EXPECT_EQ(plan.rows[i].reason, QString::fromUtf8(expected[i].reason));
    }
    EXPECT_EQ(plan.added, 2);
    EXPECT_EQ(plan.rejected, 6);
    EXPECT_EQ(plan.sourceDraws, 2);
}

TEST(HistoryPlan, MergesByDate)
{
    // Three records a week apart from 7 November 2026.
    database::DrawDatabase db =
        SixOf49({{4, 11, 19, 25, 32, 40}, {2, 9, 17, 28, 33, 41}, {6, 13, 20, 27, 36, 44}},
                QDate(2026, 11, 7));
    const SourceTable t = TableOfText("Date,A,B,C,D,E,F\n"
                                      "2026-11-14,41,33,28,17,9,2\n"  // present, other order
                                      "2026-11-21,6,13,20,27,36,45\n" // conflict with record 3
                                      "2026-11-10,1,2,3,4,5,6\n"      // new, between records
                                      "2026-11-10,1,2,3,4,5,6\n"      // twice in the source
                                      "2026-11-11,7,8,9,10,11,12\n"   // new
                                      "2026-11-11,7,8,9,10,11,13\n"); // conflicts with line 6
    ImportOptions options;
    const ImportPlan plan = Plan(t, db, options);
    EXPECT_EQ(plan.added, 2);
    EXPECT_EQ(plan.present, 2);
    EXPECT_EQ(plan.conflicts, 2);
    EXPECT_EQ(plan.rows[0].record, 2);
    EXPECT_EQ(plan.rows[1].reason, QStringLiteral("2026-11-21 is record 3 with other numbers"));
    EXPECT_EQ(plan.rows[5].reason,
              QStringLiteral("2026-11-11 is given on line 6 with other numbers"));

    // The same result as typing the two new draws by hand as insertions.
    database::DrawDatabase byHand = db;
    ASSERT_TRUE(
        entry::ApplyInsertion(byHand, text::ShortDate({2026, 11, 10}),
                              {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                               QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")})
            .ok());
    ASSERT_TRUE(
        entry::ApplyInsertion(byHand, text::ShortDate({2026, 11, 11}),
                              {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                               QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")})
            .ok());
    database::DrawDatabase imported = db;
    const ApplyResult applied = ApplyPlan(plan, imported, options);
    EXPECT_EQ(applied.added, 2);
    EXPECT_EQ(applied.replaced, 0);
    ASSERT_EQ(imported.recordCount(), byHand.recordCount());
    for (int r = 1; r <= 5; ++r) {
        EXPECT_EQ(imported.record(r).RecordNo, r);
        EXPECT_EQ(imported.record(r).DrawDate, byHand.record(r).DrawDate);
        EXPECT_EQ(NumbersOf(imported, r), NumbersOf(byHand, r)) << r;
    }

    // Replacing: the conflict with record 3 takes the source's numbers; the one inside the
    // source replaces nothing.
    options.replaceConflicts = true;
    database::DrawDatabase replaced = db;
    EXPECT_EQ(ApplyPlan(Plan(t, db, options), replaced, options).replaced, 1);
    EXPECT_EQ(NumbersOf(replaced, 5), (std::vector<int>{6, 13, 20, 27, 36, 45}));
}

TEST(HistoryPlan, NewDrawsAfterTheLastAreAppendedInDateOrderAndSortedOrNot)
{
    database::DrawDatabase db = SixOf49({{1, 2, 3, 4, 5, 6}}, QDate(2026, 11, 7));
    const SourceTable t = TableOf("ball-per-column.csv"); // newest first
    ImportOptions keep;
    keep.sortNumbers = false;
    database::DrawDatabase kept = db;
    ApplyPlan(Plan(t, db, keep), kept, keep);
    ASSERT_EQ(kept.recordCount(), 7);
    EXPECT_EQ(kept.record(2).DrawDate, QDate(2026, 11, 18));
    EXPECT_EQ(kept.record(7).DrawDate, QDate(2026, 12, 5));
    EXPECT_EQ(NumbersOf(kept, 7), (std::vector<int>{41, 7, 19, 33, 2, 48}));
    database::DrawDatabase sorted = db;
    ApplyPlan(Plan(t, db), sorted, {});
    EXPECT_EQ(NumbersOf(sorted, 7), (std::vector<int>{2, 7, 19, 33, 41, 48}));
}

TEST(HistoryPlan, TheRecordLimitOffersTheNewestDraws)
{
    // 1,995 records a day apart, and a source of ten newer draws: only five fit.
    std::vector<std::vector<int>> draws(1995, std::vector<int>{1, 2, 3, 4, 5, 6});
    const database::DrawDatabase db = SixOf49(draws, QDate(2000, 1, 1));
    const QDate last = db.record(1995).DrawDate;
    QString csv;
    for (int i = 1; i <= 10; ++i)
        csv += last.addDays(i).toString(Qt::ISODate) + QStringLiteral(",7,8,9,10,11,12\n");
    const SourceTable t = ReadTable(csv);
    const ImportPlan plan = Plan(t, db);
    EXPECT_TRUE(plan.overLimit());
    EXPECT_EQ(plan.sourceDraws, 10);
    database::DrawDatabase unchanged = db;
    EXPECT_EQ(ApplyPlan(plan, unchanged, {}).added, 0);
    EXPECT_EQ(unchanged.recordCount(), 1995);

    const QDate from = NewestRangeStart(plan);
    EXPECT_EQ(from, last.addDays(6));
    ImportOptions range;
    range.from = from;
    const ImportPlan fits = Plan(t, db, range);
    EXPECT_FALSE(fits.overLimit());
    EXPECT_EQ(fits.added, 5);
    EXPECT_EQ(fits.outside, 5);
    database::DrawDatabase full = db;
    ApplyPlan(fits, full, range);
    EXPECT_EQ(full.recordCount(), database::DrawDatabase::MaxRecords);
}

TEST(HistoryExport, RoundTripGivesTheSameRecords)
{
    // Out of date order in the table, numbers not ascending, four picks of 20.
    database::DrawDatabase db =
        MakeDrawDatabase(20, 4, {{20, 3, 9, 1}, {5, 6, 7, 8}, {2, 4, 19, 11}}, QDate(2026, 3, 1));
    db.record(1).DrawDate = QDate(2026, 3, 20);
    const QByteArray csv = ExportCsv(db);
    EXPECT_EQ(csv, QByteArray("Date,N1,N2,N3,N4\n"
                              "2026-03-08,5,6,7,8\n"
                              "2026-03-15,2,4,19,11\n"
                              "2026-03-20,20,3,9,1\n"));
    database::DrawDatabase back = MakeDrawDatabase(20, 4, {}, QDate());
    const SourceTable t = ReadTable(DecodeSource(csv).text);
    const Detection d = Detect(t, 0, DateOrder::DayFirst);
    // Read as an export, the numbers keep their order.
    ASSERT_TRUE(IsExport(t));
    EXPECT_FALSE(IsExport(TableOf("ball-per-column.csv")));
    ImportOptions keep;
    keep.sortNumbers = false;
    const ImportPlan plan = PlanImport(t, d.mapping, back, ShapeFromSource(d), keep);
    ApplyPlan(plan, back, keep);
    ASSERT_EQ(back.recordCount(), 3);
    EXPECT_EQ(ExportCsv(back), csv);
}
