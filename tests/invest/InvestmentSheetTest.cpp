#include "invest/InvestmentSheet.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace inv;
using text::MoneyPattern;

namespace {

struct Row {
    Cell description;
    Cell amount;
};

Cell T(const char* s) { return Cell::Text(QString::fromUtf8(s)); }
Cell N(double v) { return Cell::Number(v); }
const Cell E;

// Puts the rows into rows 1.. of a fresh sheet, uncalculated.
InvestmentSheet Sheet(const std::vector<Row>& rows)
{
    InvestmentSheet s;
    int r = 1;
    for (const Row& row : rows) {
        s.setCell(r, 0, row.description);
        s.setCell(r, 1, row.amount);
        ++r;
    }
    return s;
}

QStringList Descriptions(const InvestmentSheet& s)
{
    QStringList out;
    for (int r = 1; r <= s.SheetRowCount; ++r)
        out << s.cell(r, 0).asText();
    return out;
}

QString Shown(const InvestmentSheet& s, int row)
{
    return AmountText(s.cell(row, 1), MoneyPattern::Amount);
}

// A complete file: the count line, the given row lines, and lone commas up to 112 lines.
QByteArray File(const QByteArray& count, const std::vector<QByteArray>& rows)
{
    QByteArray out = count + "\r\n";
    for (const QByteArray& r : rows)
        out += r + "\r\n";
    for (size_t i = rows.size(); i < 111; ++i)
        out += ",\r\n";
    return out;
}

} // namespace

TEST(Calculate, SubTotalsCarryTheSumSinceThePreviousOne)
{
    InvestmentSheet s = Sheet({{T("Tickets"), N(-2)},
                               {T("Tickets"), N(-2)},
                               {T("Sub Total"), E},
                               {T("Prize"), N(10)},
                               {T("Sub Total"), E},
                               {T("Tickets"), N(-1.5)}});
    s.calculate();
    EXPECT_EQ(s.SheetRowCount, 6);
    EXPECT_EQ(Shown(s, 3), QLatin1String("-4.00"));
    EXPECT_EQ(Shown(s, 5), QLatin1String("10.00"));
    // The amount after the last Sub Total counts in the Total only.
    EXPECT_DOUBLE_EQ(s.SheetTotal, 4.5);
    EXPECT_EQ(text::Money(s.SheetTotal, MoneyPattern::Total), QLatin1String("4.50"));

    // Calculating again changes nothing: a computed sub-total is not counted twice.
    s.calculate();
    EXPECT_EQ(Shown(s, 5), QLatin1String("10.00"));
    EXPECT_DOUBLE_EQ(s.SheetTotal, 4.5);
}

TEST(Calculate, OnlyTheExactWordsInAnyCaseMakeASubTotalRow)
{
    const struct { const char* words; bool sub; } cases[] = {
        {"Sub Total", true},   {"sub total", true},  {"SUB TOTAL", true},
        {" Sub Total", false}, {"Sub Total ", false}, {"Subtotal", false},
        {"Sub  Total", false}, {"Sub Totals", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSubTotal(QLatin1String(c.words)), c.sub) << c.words;
        // An amount typed into the row: a Sub Total row replaces it by the sum above and keeps
        // it out of the Total; any other row is an ordinary amount.
        InvestmentSheet s = Sheet({{T("Tickets"), N(-3)}, {T(c.words), N(100)}});
        s.calculate();
        EXPECT_EQ(Shown(s, 2), QLatin1String(c.sub ? "-3.00" : "100.00")) << c.words;
        EXPECT_DOUBLE_EQ(s.SheetTotal, c.sub ? -3 : 97) << c.words;
    }
}

TEST(Calculate, CompactsRowsWithoutDescriptionAndKeepsTheRest)
{
    InvestmentSheet s;
    s.setCell(2, 0, T("Tickets"));
    s.setCell(2, 1, N(-2));
    s.setCell(4, 1, N(50)); // an amount without description: dropped and not counted
    s.setCell(7, 0, T(" "));  // looks blank but is a row
    s.setCell(9, 0, T("Prize"));
    s.setCell(9, 1, N(10));
    s.setCell(11, 0, T("Note")); // a description with no amount stays, showing none
    s.setCell(12, 0, T(""));      // an emptied description is no description
    s.setCell(12, 1, N(7));
    s.setCell(104, 0, T("Late"));
    s.setCell(104, 1, T("3.25")); // a text amount counts by its value
    s.setCell(106, 0, T("Beyond the editable rows"));
    s.calculate();

    EXPECT_EQ(Descriptions(s), (QStringList{QStringLiteral("Tickets"), QStringLiteral(" "),
                                            QStringLiteral("Prize"), QStringLiteral("Note"),
                                            QStringLiteral("Late")}));
    EXPECT_EQ(Shown(s, 4), QString());
    EXPECT_EQ(Shown(s, 5), QLatin1String("3.25"));
    EXPECT_DOUBLE_EQ(s.SheetTotal, 11.25);
    for (int r = 6; r <= InvestmentSheet::LastRow; ++r) {
        EXPECT_TRUE(s.cell(r, 0).isEmpty()) << r;
        EXPECT_TRUE(s.cell(r, 1).isEmpty()) << r;
    }
}

TEST(Calculate, QuarterAmountsAndAnEmptySheet)
{
    InvestmentSheet s = Sheet({{T("A"), N(0.25)}, {T("B"), N(0.25)}});
    s.calculate();
    EXPECT_EQ(Shown(s, 1), QLatin1String(".25"));
    EXPECT_EQ(Shown(s, 2), QLatin1String(".25"));
    EXPECT_EQ(text::Money(s.SheetTotal, MoneyPattern::Total), QLatin1String("0.50"));

    InvestmentSheet empty;
    empty.calculate();
    EXPECT_EQ(empty.SheetRowCount, 0);
    EXPECT_EQ(empty.SheetTotal, 0);
    EXPECT_FALSE(empty.hasContent());
}

TEST(AmountText, CellKindsInEveryPattern)
{
    const struct { Cell cell; const char* amount; const char* typing; const char* total; } cases[] = {
        {N(0.5), ".50", ".50", "0.50"},
        {N(1234.5), "1,234.50", "1,234.50", "1,234.50"},
        {N(-2), "-2.00", "-2.00", "-2.00"},
        {N(0), ".00", ".00", "0.00"},
        {T("1234.5"), "1,234.50", "1,234.50", "1,234.50"},
        {T("won a hat"), "won a hat", "won a hat", "won a hat"},
        {E, "", "", ""},
        {T(""), "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AmountText(c.cell, MoneyPattern::Amount), QLatin1String(c.amount)) << c.amount;
        EXPECT_EQ(AmountText(c.cell, MoneyPattern::Typing), QLatin1String(c.typing)) << c.typing;
        EXPECT_EQ(AmountText(c.cell, MoneyPattern::Total), QLatin1String(c.total)) << c.total;
    }
}

TEST(InsertBlankLine, MovesRowsDownAndCalculates)
{
    InvestmentSheet s = Sheet({{T("One"), N(1)}, {T("Two"), N(2)}, {T("Three"), N(3)}});
    s.calculate();
    ASSERT_TRUE(s.insertBlankLine(2));
    EXPECT_EQ(Descriptions(s), (QStringList{QStringLiteral("One"), QStringLiteral("BlankLine"),
                                            QStringLiteral("Two"), QStringLiteral("Three")}));
    EXPECT_TRUE(s.cell(2, 1).isEmpty());
    EXPECT_EQ(Shown(s, 4), QLatin1String("3.00"));

    // Past the last row: the blank line lands right after it.
    ASSERT_TRUE(s.insertBlankLine(50));
    EXPECT_EQ(s.SheetRowCount, 5);
    EXPECT_EQ(s.cell(5, 0).asText(), QLatin1String("BlankLine"));

    for (int n : {0, -1, 105, 106, 1000}) {
        InvestmentSheet before = s;
        EXPECT_FALSE(s.insertBlankLine(n)) << n;
        EXPECT_EQ(Descriptions(s), Descriptions(before)) << n;
    }
}

TEST(InsertBlankLine, NeverPushesARowOut)
{
    // Rows typed after the last Calculate move down with the others instead of being
    // overwritten.
    InvestmentSheet s = Sheet({{T("One"), N(1)}, {T("Two"), N(2)}});
    s.calculate();
    s.setCell(3, 0, T("Typed"));
    s.setCell(3, 1, N(5));
    ASSERT_TRUE(s.insertBlankLine(1));
    EXPECT_EQ(Descriptions(s), (QStringList{QStringLiteral("BlankLine"), QStringLiteral("One"),
                                            QStringLiteral("Two"), QStringLiteral("Typed")}));
    EXPECT_DOUBLE_EQ(s.SheetTotal, 8);

    // A full sheet takes no blank line.
    InvestmentSheet full;
    for (int r = 1; r <= InvestmentSheet::EditableRows; ++r)
        full.setCell(r, 0, Cell::Text(QString::number(r)));
    full.calculate();
    EXPECT_FALSE(full.insertBlankLine(3));
    EXPECT_EQ(full.cell(3, 0).asText(), QLatin1String("3"));
    EXPECT_EQ(full.cell(105, 0).asText(), QLatin1String("105"));
}

TEST(PlainDecimal, NoExponentNoNoise)
{
    EXPECT_EQ(PlainDecimal(-2), QLatin1String("-2"));
    EXPECT_EQ(PlainDecimal(12.5), QLatin1String("12.5"));
    EXPECT_EQ(PlainDecimal(0.5), QLatin1String("0.5"));
    EXPECT_EQ(PlainDecimal(0.1 + 0.2), QLatin1String("0.3"));
    EXPECT_EQ(PlainDecimal(1e20), QLatin1String("100000000000000000000"));
    EXPECT_EQ(PlainDecimal(-0.0), QLatin1String("0"));
}

TEST(InvFile, WritesByteForByteAndReadsBackWithKindsKept)
{
    InvestmentSheet s = Sheet({{T("Tickets"), N(-2)},
                               {T("Prize, 3 numbers"), N(12.5)},
                               {T("Sub Total"), E},
                               {T("Voucher"), T("5")},
                               {N(7), N(-0.5)},
                               {T("No amount"), E}});
    s.calculate();
    const QByteArray expected = File("6", {"\"Tickets\",-2", "\"Prize, 3 numbers\",12.5",
                                           "\"Sub Total\",10.5", "\"Voucher\",\"5\"", "7,-0.5",
                                           "\"No amount\","});
    EXPECT_EQ(expected.count("\r\n"), 112);
    EXPECT_EQ(Serialize(s), expected);

    TempDir dir;
    ASSERT_TRUE(Save(dir.path(QStringLiteral("Season.inv")), s));
    EXPECT_EQ(dir.read(QStringLiteral("Season.inv")), expected);
    EXPECT_EQ(s.InvestmentFileName, QLatin1String("Season.inv"));

    InvestmentSheet back;
    ASSERT_EQ(Load(dir.path(QStringLiteral("Season.inv")), back), LoadResult::Ok);
    EXPECT_EQ(back.InvestmentFileName, QLatin1String("Season.inv"));
    EXPECT_EQ(back.SheetRowCount, 6);
    EXPECT_DOUBLE_EQ(back.SheetTotal, 15);
    for (int r = 0; r <= InvestmentSheet::LastRow; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(back.cell(r, c), s.cell(r, c)) << r << "," << c;
    EXPECT_EQ(back.cell(4, 1).kind, Cell::Kind::Text);
    EXPECT_EQ(back.cell(5, 0).kind, Cell::Kind::Number);
    EXPECT_EQ(back.cell(6, 1).kind, Cell::Kind::Empty);
    EXPECT_EQ(Serialize(back), expected);
}

TEST(InvFile, ReaderIsLenientWhereTheLayoutAllows)
{
    // A count that disagrees, a stored sub-total that is wrong, numbers without leading zero,
    // an empty line for an empty row, LF-only line ends and lines after line 112.
    QByteArray bytes = File("99", {"\"A\",.5", "\"B\",0.25", "", "\"sub total\",1000", "\"C\",-.75"});
    bytes.replace("\r\n", "\n");
    bytes += "\"ignored\",1\n";
    InvestmentSheet s;
    ASSERT_EQ(LoadBytes(bytes, s), LoadResult::Ok);
    EXPECT_EQ(Descriptions(s), (QStringList{QStringLiteral("A"), QStringLiteral("B"),
                                            QStringLiteral("sub total"), QStringLiteral("C")}));
    EXPECT_EQ(Shown(s, 3), QLatin1String(".75"));
    EXPECT_DOUBLE_EQ(s.SheetTotal, 0);
}

TEST(InvFile, DamagedFilesFailAndLeaveAnEmptySheet)
{
    QByteArray shortFile = File("1", {"\"A\",1"});
    shortFile.chop(3); // the last line "," with its line end: 111 lines
    const QByteArray cases[] = {
        shortFile,
        QByteArray(),
        File("x", {"\"A\",1"}),
        File("\"1\"", {"\"A\",1"}),
        File("1", {"\"A\",abc"}),
        File("1", {"\"A\",#2024-01-05#"}),
        File("1", {"\"A\",1,2"}),
        File("1", {"\"A\",nan"}),
        File("1", {"\"A\",inf"}),
        File("1", {"\"A\",1e309"}),
        File("1", {"\"A\",1", "\"B\",2", "\"C\",--3"}),
    };
    for (const QByteArray& bytes : cases) {
        InvestmentSheet s = Sheet({{T("Before"), N(1)}});
        s.InvestmentFileName = QStringLiteral("before.inv");
        s.calculate();
        EXPECT_NE(LoadBytes(bytes, s), LoadResult::Ok) << bytes.left(40).constData();
        EXPECT_EQ(s.SheetRowCount, 0);
        EXPECT_EQ(s.SheetTotal, 0);
        EXPECT_FALSE(s.hasContent());
        EXPECT_TRUE(s.InvestmentFileName.isEmpty());
    }
}

TEST(InvFile, MissingOversizedAndUnwritableFiles)
{
    TempDir dir;
    InvestmentSheet s = Sheet({{T("Before"), N(1)}});
    s.calculate();
    EXPECT_EQ(Load(dir.path(QStringLiteral("none.inv")), s), LoadResult::CannotOpen);
    EXPECT_FALSE(s.hasContent());

    QByteArray huge = File("1", {"\"A\",1"});
    huge += QByteArray(MaxFileBytes, ' ');
    dir.write(QStringLiteral("huge.inv"), huge);
    EXPECT_EQ(Load(dir.path(QStringLiteral("huge.inv")), s), LoadResult::TooLarge);

    // A folder that does not exist: nothing written, the name unchanged.
    InvestmentSheet t = Sheet({{T("Keep"), N(1)}});
    t.calculate();
    t.InvestmentFileName = QStringLiteral("old.inv");
    EXPECT_FALSE(Save(dir.path(QStringLiteral("missing/new.inv")), t));
    EXPECT_EQ(t.InvestmentFileName, QLatin1String("old.inv"));
    // A folder in the file's place: refused, and the folder is left alone.
    ASSERT_TRUE(QDir(dir.dir()).mkdir(QStringLiteral("taken.inv")));
    EXPECT_FALSE(Save(dir.path(QStringLiteral("taken.inv")), t));
    EXPECT_TRUE(QFileInfo(dir.path(QStringLiteral("taken.inv"))).isDir());

    // Saving over an older file replaces it whole.
    dir.write(QStringLiteral("over.inv"), QByteArray(5000, 'x'));
    ASSERT_TRUE(Save(dir.path(QStringLiteral("over.inv")), t));
    EXPECT_EQ(dir.read(QStringLiteral("over.inv")), Serialize(t));
}

TEST(SampleSheet, LoadsAsASeasonWithSubTotals)
{
    const QString path = QStringLiteral(TALLIMO_SAMPLES_DIR "/Sample.INV");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    InvestmentSheet s;
    ASSERT_EQ(Load(path, s), LoadResult::Ok);
    EXPECT_EQ(s.InvestmentFileName, QLatin1String("Sample.INV"));
    // Written by Save: loading and writing again gives the same bytes.
    EXPECT_EQ(Serialize(s), bytes);

    int subTotals = 0;
    int costs = 0;
    int wins = 0;
    for (int r = 1; r <= s.SheetRowCount; ++r) {
        if (IsSubTotal(s.cell(r, 0).asText()))
            ++subTotals;
        else if (s.cell(r, 1).value() < 0)
            ++costs;
        else if (s.cell(r, 1).value() > 0)
            ++wins;
    }
    EXPECT_GE(subTotals, 3);
    EXPECT_GT(costs, wins);
    EXPECT_GT(wins, 0);
    EXPECT_TRUE(IsSubTotal(s.cell(s.SheetRowCount, 0).asText()));
    EXPECT_LE(s.SheetRowCount, 60); // leaves room to add to it
}
