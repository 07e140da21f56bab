#include "windows/printouts/DatabasePrintout.h"

#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "text/Dates.h"
#include "ui/Services.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QDate FirstDraw(1998, 1, 3);

// A database of `count` records, one a week, whose record i holds i, i + 1, ... (wrapping
// within 1..high), with the frequency table and top-numbers line as the database window
// leaves them.
core::AppState State(int count, int picks = 6, int high = 49,
                     const QString& title = QStringLiteral("Lotto"))
{
    core::AppState s;
    s.database =
        MakeDrawDatabase(high, picks, SequentialDraws(high, picks, count), FirstDraw, title);
    const database::DrawDatabase& db = s.database;
    s.stats.measure = stats::Measure::TimesDrawn;
    stats::RecomputeFrequencies(db, s.stats.measure, s.stats);
    stats::RankNumbers(s.stats, db.highNumber(), stats::RankOrder::Ranked);
    const stats::TopNumbersLine top = stats::ComposeTopNumbers(s.stats, db.picksPerDraw());
    s.topNumbersHeading = top.heading;
    s.topNumbersList = top.numbers;
    return s;
}

QString Title(const core::AppState& s)
{
    return QStringLiteral("    Winning numbers in ") + s.database.title() + QStringLiteral(" Draw");
}
QString Rule(int picks)
{
    return QString(4, QLatin1Char(' ')) + QString(5 * (picks + 3), QLatin1Char('_'));
}
QString PageLine(int n)
{
    return QString(39, QLatin1Char(' ')) + QStringLiteral("Page %1").arg(n);
}
QString DateOf(int record)
{
    return text::ShortDate(FirstDraw.addDays(7 * (record - 1)));
}
bool IsRecordLine(const QString& line)
{
    return line.startsWith(QStringLiteral("    ")) && line.size() > 4 && line.at(4).isDigit();
}

// The line of `record` in the printout, as the record loop composes it.
QString RecordLine(const core::AppState& s, int record)
{
    QString line = QStringLiteral("    ") + DateOf(record);
    const database::DrawRecord& r = s.database.record(record);
    for (int k = 0; k < s.database.picksPerDraw(); ++k) {
        line = line.leftJustified(19 + 5 * k, QLatin1Char(' '));
        line += QString::number(r.Numbers[static_cast<size_t>(k)]).rightJustified(4);
    }
    return line;
}

// The statistics block that ends every printout: two empty lines before it.
QStringList StatisticsBlock(const core::AppState& s)
{
    const auto rows = app::StatisticsRows(s.database, s.stats);
    return {QString(),
            QString(),
            QStringLiteral("  ") + s.topNumbersHeading,
            QString(),
            QStringLiteral("  ") + s.topNumbersList,
            QStringLiteral("  ") + QString(70, QLatin1Char('_')),
            QString(),
            rows[0],
            rows[1],
            QString(),
            rows[2],
            rows[3],
            QString(),
            rows[4],
            rows[5],
            QString(),
            rows[6],
            rows[7]};
}

QStringList Tail(const QStringList& lines, int n)
{
    return lines.mid(lines.size() - n);
}

QStringList All(const ui::TextDocument& doc)
{
    QStringList all;
    for (const QStringList& page : doc.pages)
        all += page;
    return all;
}

} // namespace

TEST(DatabasePrintout, FortySixRecordsNeedNoPageLine)
{
    const core::AppState s = State(46);
    const ui::TextDocument doc = app::ComposeDatabasePrintout(s);
    QStringList expected = {QString(), QString(), Title(s), Rule(6), QString()};
    for (int i = 1; i <= 46; ++i)
        expected.append(RecordLine(s, i));
    expected += StatisticsBlock(s);
    EXPECT_EQ(All(doc), expected);
    // 69 lines: the printer's own overflow carries the end of the block to a second sheet.
    EXPECT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[0].size(), doc.linesPerPage);
}

TEST(DatabasePrintout, PageLineFollowsTheFortySeventhRecordThenTheHeadingRepeats)
{
    const core::AppState s = State(47);
    const ui::TextDocument doc = app::ComposeDatabasePrintout(s);
    ASSERT_EQ(doc.pages.size(), 2u);
    QStringList first = {QString(), QString(), Title(s), Rule(6), QString()};
    for (int i = 1; i <= 47; ++i)
        first.append(RecordLine(s, i));
    first += QStringList{QString(), PageLine(1)};
    EXPECT_EQ(doc.pages[0], first);
    QStringList second = {QString(), Title(s), Rule(6), QString()};
    second += StatisticsBlock(s);
    EXPECT_EQ(doc.pages[1], second);
}

TEST(DatabasePrintout, LaterPagesHoldFortyNineRecords)
{
    for (const int count : {95, 96, 97, 300}) {
        const core::AppState s = State(count);
        const ui::TextDocument doc = app::ComposeDatabasePrintout(s);
        const QStringList all = All(doc);
        // Every record once, in table order.
        QStringList records;
        for (const QString& line : all)
            if (IsRecordLine(line)) records.append(line);
        ASSERT_EQ(records.size(), count);
        for (int i = 1; i <= count; ++i)
            EXPECT_EQ(records[i - 1], RecordLine(s, i));

        // Page lines after records 47, 96, 145, ... each closing its sheet; every later sheet
        // opens with the repeated heading.
        // (A last sheet too full for the statistics block overflows onto one more sheet.)
        const int breaks = count < 47 ? 0 : 1 + (count - 47) / 49;
        ASSERT_GE(static_cast<int>(doc.pages.size()), breaks + 1) << count;
        for (int p = 0; p < breaks; ++p) {
            const QStringList& page = doc.pages[static_cast<size_t>(p)];
            const int last = 47 + 49 * p;
            EXPECT_EQ(page.last(), PageLine(p + 1));
            EXPECT_EQ(page.at(page.size() - 3), RecordLine(s, last)) << count << " page " << p + 1;
            const QStringList& next = doc.pages[static_cast<size_t>(p + 1)];
            EXPECT_EQ(next.mid(0, 4), (QStringList{QString(), Title(s), Rule(6), QString()}));
            if (p > 0) {
                EXPECT_EQ(page.size(), 55); // heading 4, records 49, empty line, page line
            }
        }
        EXPECT_EQ(all.filter(QStringLiteral("Page ")).size(), breaks);
        EXPECT_EQ(Tail(all, 18), StatisticsBlock(s));
    }
}

TEST(DatabasePrintout, NumbersSitInFiveCharacterColumnsFromColumnTwenty)
{
    for (const int picks : {6, 10, 1}) {
        core::AppState s = State(3, picks, 60);
        const ui::TextDocument doc = app::ComposeDatabasePrintout(s);
        const QStringList& page = doc.pages[0];
        EXPECT_EQ(page[3], Rule(picks)) << picks;
        EXPECT_EQ(page[3].size(), 4 + 5 * (picks + 3)); // 45 underscores for six picks
        for (int i = 1; i <= 3; ++i) {
            const QString& line = page[4 + i];
            EXPECT_EQ(line.mid(4, DateOf(i).size()), DateOf(i));
            ASSERT_EQ(line.size(), 19 + 5 * (picks - 1) + 4) << line.toStdString();
            for (int k = 0; k < picks; ++k) {
                const int column = 20 + 5 * k; // 20..45 for six picks, 20..65 for ten
                const QString field = line.mid(column - 1, 4);
                EXPECT_EQ(field.trimmed().toInt(),
                          s.database.record(i).Numbers[static_cast<size_t>(k)]);
                EXPECT_TRUE(field.endsWith(field.trimmed()))
                    << "right-aligned: " << field.toStdString();
                EXPECT_EQ(line.at(column - 2), QLatin1Char(' '));
            }
        }
    }
}

TEST(DatabasePrintout, StatisticsRowsGroupEighteenNumbersAndLeaveZeroBlank)
{
    core::AppState s = State(0, 6, 60);
    for (int n = 1; n <= 60; ++n)
        s.stats.FrequencyTable[static_cast<size_t>(n)].value = n % 7 == 0 ? 0 : n * 10;
    s.stats.FrequencyTable[59].value = 1999; // four digits still fit
    const auto rows = app::StatisticsRows(s.database, s.stats);
    const int sizes[] = {18, 18, 18, 6};
    for (int g = 0; g < 4; ++g) {
        const QString& numbers = rows[static_cast<size_t>(2 * g)];
        const QString& values = rows[static_cast<size_t>(2 * g + 1)];
        ASSERT_EQ(numbers.size(), 4 * sizes[g]);
        ASSERT_EQ(values.size(), 4 * sizes[g]);
        for (int e = 0; e < sizes[g]; ++e) {
            const int n = 18 * g + e + 1;
            EXPECT_EQ(numbers.mid(4 * e, 4), QString::number(n).rightJustified(4));
            const int v = s.stats.FrequencyTable[static_cast<size_t>(n)].value;
            EXPECT_EQ(values.mid(4 * e, 4),
                      v == 0 ? QStringLiteral("    ") : QString::number(v).rightJustified(4))
                << n;
        }
    }
}

TEST(DatabasePrintout, NeverDrawnNumbersAndNumbersAboveTheRangeLeaveBlanks)
{
    // Three records of six picks from 49: numbers 1..8 drawn, 9..49 never.
    const core::AppState s = State(3);
    const auto rows = app::StatisticsRows(s.database, s.stats);
    EXPECT_EQ(rows[1].mid(0, 4 * 8), QStringLiteral("   1   2   3   3   3   3   2   1"));
    EXPECT_EQ(rows[1].mid(4 * 8), QString(4 * 10, QLatin1Char(' ')));
    EXPECT_EQ(rows[3], QString(4 * 18, QLatin1Char(' ')));
    // 37..49 in the third pair; the fourth pair prints as two empty lines.
    EXPECT_EQ(rows[4], QStringLiteral("  37  38  39  40  41  42  43  44  45  46  47  48  49"));
    EXPECT_TRUE(rows[6].isEmpty());
    EXPECT_TRUE(rows[7].isEmpty());
    const QStringList all = All(app::ComposeDatabasePrintout(s));
    EXPECT_EQ(Tail(all, 4), (QStringList{rows[5], QString(), QString(), QString()}));
}

TEST(DatabasePrintout, TitleGetsDrawAppendedOnce)
{
    const core::AppState s = State(1, 6, 49, QStringLiteral("Sample Lotto Draw"));
    const ui::TextDocument doc = app::ComposeDatabasePrintout(s);
    EXPECT_EQ(doc.pages[0][2], QStringLiteral("    Winning numbers in Sample Lotto Draw Draw"));
    // An empty title still reads as a heading.
    const core::AppState untitled = State(1, 6, 49, QString());
    EXPECT_EQ(app::ComposeDatabasePrintout(untitled).pages[0][2],
              QStringLiteral("    Winning numbers in  Draw"));
}

TEST(PrintDatabase, AsksFirstAndSendsThePrintout)
{
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};

    // No records: nothing asked, nothing printed; the menu shows its own help.
    core::AppState empty = State(0);
    EXPECT_EQ(app::PrintDatabase(empty, services), app::PrintDatabaseResult::NoRecords);
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_TRUE(printer.texts.empty());

    core::AppState s = State(60);
    // No to "Continue with Printout.": nothing is sent.
    dialogs.answers = {false};
    EXPECT_EQ(app::PrintDatabase(s, services), app::PrintDatabaseResult::Declined);
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0],
              (RecordedMessage{RecordedMessage::Kind::Question, QStringLiteral("Printer"),
                               QStringLiteral("Continue with Printout.")}));
    EXPECT_TRUE(printer.texts.empty());

    dialogs.answers = {true};
    EXPECT_EQ(app::PrintDatabase(s, services), app::PrintDatabaseResult::Printed);
    ASSERT_EQ(printer.texts.size(), 1u);
    EXPECT_EQ(printer.texts[0].pages, app::ComposeDatabasePrintout(s).pages);
    EXPECT_EQ(printer.jobs.back(), QStringLiteral("Winning numbers in Lotto Draw"));
    EXPECT_EQ(dialogs.messages().size(), 0u);

    // A cancelled print dialog is told apart from a printout that went out.
    printer.accept = false;
    dialogs.answers = {true};
    EXPECT_EQ(app::PrintDatabase(s, services), app::PrintDatabaseResult::NotPrinted);
    // Printing changes nothing in the state.
    EXPECT_EQ(s.database.recordCount(), 60);
    EXPECT_FALSE(s.Modified);
}

TEST(DatabasePrintout, DamagedCountNeverReadsPastTheTable)
{
    core::AppState s = State(3);
    s.database.setRecordCount(5000);
    s.database.setShape(38, s.database.highNumber());
    const QStringList all = All(app::ComposeDatabasePrintout(s));
    // Ten number columns at most, and no more rows than the table has.
    EXPECT_EQ(all.at(3), Rule(10));
    const int rows = database::DrawDatabase::MaxRecords;
    EXPECT_EQ(all.filter(QRegularExpression(QStringLiteral("^ {4}.{15}.{4}( .{4}){9}$"))).size(),
              rows);
}
