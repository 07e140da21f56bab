#include "models/invest/InvestmentSheet.h"
#include "support/TempDir.h"

#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

using namespace inv;
using text::MoneyPattern;

namespace {

Cell T(const char* s)
{
    return Cell::Text(QString::fromUtf8(s));
}
Cell N(double v)
{
    return Cell::Number(v);
}

// Puts {description, amount} pairs into rows 1.. of a fresh sheet and calculates.
InvestmentSheet Sheet(std::initializer_list<std::pair<Cell, Cell>> rows)
{
    InvestmentSheet s;
    int r = 1;
    for (const auto& [d, a] : rows) {
        s.setCell(r, 0, d);
        s.setCell(r++, 1, a);
    }
    s.calculate();
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

// The count line, the given row lines, and lone commas up to 112 lines.
QByteArray File(const QByteArray& count, std::initializer_list<QByteArray> rows)
{
    QByteArray out = count + "\r\n";
    for (const QByteArray& r : rows)
        out += r + "\r\n";
    for (size_t i = rows.size(); i < 111; ++i)
        out += ",\r\n";
    return out;
}

} // namespace

TEST(Calculate, SubTotalsAndTheTotal)
{
    InvestmentSheet s = Sheet({{T("Tickets"), N(-2)},
                               {T("Tickets"), N(-2)},
                               {T("Sub Total"), {}},
                               {T("Prize"), N(10)},
                               {T("Sub Total"), {}},
                               {T("Late"), N(-1.5)}});
    EXPECT_EQ(Shown(s, 3), QLatin1String("-4.00"));
    EXPECT_EQ(Shown(s, 5), QLatin1String("10.00"));
    EXPECT_DOUBLE_EQ(s.SheetTotal, 4.5); // the row after the last Sub Total counts here only
    s.calculate();                       // a computed sub-total is never counted twice
    EXPECT_EQ(Shown(s, 5), QLatin1String("10.00"));
    EXPECT_DOUBLE_EQ(s.SheetTotal, 4.5);

    const struct {
        const char* words;
        bool sub;
    } cases[] = {{"Sub Total", true},   {"sub total", true},   {"SUB TOTAL", true},
                 {" Sub Total", false}, {"Sub Total ", false}, {"Subtotal", false},
                 {"Sub  Total", false}};
    for (const auto& c : cases) {
        // A typed amount in a Sub Total row is replaced by the sum and left out of the Total.
        InvestmentSheet t = Sheet({{T("Tickets"), N(-3)}, {T(c.words), N(100)}});
        EXPECT_EQ(Shown(t, 2), QLatin1String(c.sub ? "-3.00" : "100.00")) << c.words;
        EXPECT_DOUBLE_EQ(t.SheetTotal, c.sub ? -3 : 97) << c.words;
    }
}

TEST(Calculate, DropsRowsWithoutDescriptionAndKeepsTheRest)
{
    InvestmentSheet s;
    s.setCell(2, 0, T("Tickets"));
    s.setCell(2, 1, N(-2));
    s.setCell(4, 1, N(50));     // amount without description: dropped, not counted
    s.setCell(7, 0, T(" "));    // looks blank but is a row
    s.setCell(9, 0, T("Note")); // no amount: stays, shows none
    s.setCell(12, 0, T(""));    // an emptied description is none
    s.setCell(12, 1, N(7));
    s.setCell(104, 0, T("Voucher"));
    s.setCell(104, 1, T("3.25")); // a text amount counts by its value
    s.setCell(106, 0, T("Past the editable rows"));
    s.calculate();
    EXPECT_EQ(Descriptions(s), (QStringList{QStringLiteral("Tickets"), QStringLiteral(" "),
                                            QStringLiteral("Note"), QStringLiteral("Voucher")}));
    EXPECT_EQ(Shown(s, 3), QString());
    EXPECT_EQ(Shown(s, 4), QLatin1String("3.25"));
    EXPECT_DOUBLE_EQ(s.SheetTotal, 1.25);
    for (int r = 5; r <= InvestmentSheet::LastRow; ++r)
        EXPECT_TRUE(s.cell(r, 0).isEmpty() && s.cell(r, 1).isEmpty()) << r;

    InvestmentSheet q = Sheet({{T("A"), N(0.25)}, {T("B"), N(0.25)}});
    EXPECT_EQ(Shown(q, 1), QLatin1String(".25"));
    EXPECT_EQ(text::Money(q.SheetTotal, MoneyPattern::Total), QLatin1String("0.50"));
    EXPECT_EQ(AmountText(T("won a hat"), MoneyPattern::Amount), QLatin1String("won a hat"));
}

TEST(InsertBlankLine, MovesRowsDownWithoutPushingAnyOut)
{
    InvestmentSheet s = Sheet({{T("1"), N(1)}, {T("2"), N(2)}, {T("3"), N(3)}});
    ASSERT_TRUE(s.insertBlankLine(2));
    EXPECT_EQ(Descriptions(s).join(QLatin1Char(',')), QLatin1String("1,BlankLine,2,3"));
    EXPECT_TRUE(s.cell(2, 1).isEmpty());
    ASSERT_TRUE(s.insertBlankLine(50)); // past the last row: right after it
    EXPECT_EQ(Descriptions(s).join(QLatin1Char(',')), QLatin1String("1,BlankLine,2,3,BlankLine"));
    for (int n : {0, -1, 105, 1000})
        EXPECT_FALSE(s.insertBlankLine(n)) << n;
    EXPECT_EQ(s.SheetRowCount, 5);

    // A row typed after the last Calculate moves down with the rest instead of being overwritten.
    s.setCell(6, 0, T("typed"));
    ASSERT_TRUE(s.insertBlankLine(1));
    EXPECT_EQ(Descriptions(s).last(), QLatin1String("typed"));
    EXPECT_EQ(s.SheetRowCount, 7);

    InvestmentSheet full;
    for (int r = 1; r <= InvestmentSheet::EditableRows; ++r)
        full.setCell(r, 0, Cell::Text(QString::number(r)));
    full.calculate();
    EXPECT_FALSE(full.insertBlankLine(3));
    EXPECT_EQ(full.cell(105, 0).asText(), QLatin1String("105"));
}

TEST(InvFile, WritesByteForByteAndReadsBackWithKindsKept)
{
    InvestmentSheet s = Sheet({{T("Tickets"), N(-2)},
                               {T("Prize, 3 numbers"), N(12.5)},
                               {T("Sub Total"), {}},
                               {T("Voucher"), T("5")},
                               {N(7), N(0.1 + 0.2)},
                               {T("No amount"), {}}});
    const QByteArray expected =
        File("6", {"\"Tickets\",-2", "\"Prize, 3 numbers\",12.5", "\"Sub Total\",10.5",
                   "\"Voucher\",\"5\"", "7,0.3", "\"No amount\","});
    EXPECT_EQ(Serialize(s), expected);
    TempDir dir;
    ASSERT_TRUE(Save(dir.path(QStringLiteral("Season.inv")), s));
    EXPECT_EQ(dir.read(QStringLiteral("Season.inv")), expected);
    EXPECT_EQ(s.InvestmentFileName, QLatin1String("Season.inv"));

    InvestmentSheet back;
    ASSERT_EQ(Load(dir.path(QStringLiteral("Season.inv")), back), LoadResult::Ok);
    EXPECT_EQ(back.InvestmentFileName, QLatin1String("Season.inv"));
    EXPECT_EQ(Serialize(back), expected);
    EXPECT_EQ(back.cell(2, 0), s.cell(2, 0));
    EXPECT_EQ(back.cell(3, 1), Cell::Number(10.5));
    EXPECT_EQ(back.cell(5, 1), Cell::Number(0.3)); // stored without the binary noise
    EXPECT_EQ(back.cell(4, 1).kind, Cell::Kind::Text);
    EXPECT_EQ(back.cell(5, 0).kind, Cell::Kind::Number);

    // Lenient where the layout allows: a wrong count and sub-total, no leading zero, an empty
    // line for an empty row, LF line ends, and lines after the 112th.
    QByteArray loose = File("99", {"\"A\",.5", "", "\"sub total\",1000", "\"C\",-0.75"}) + "x\r\n";
    loose.replace("\r\n", "\n");
    ASSERT_EQ(LoadBytes(loose, back), LoadResult::Ok);
    EXPECT_EQ(Descriptions(back).join(QLatin1Char(',')), QLatin1String("A,sub total,C"));
    EXPECT_EQ(Shown(back, 2), QLatin1String(".50"));
}

TEST(InvFile, DamagedFilesFailAndLeaveAnEmptySheet)
{
    QByteArray shortFile = File("1", {"\"A\",1"});
    shortFile.chop(3); // 111 lines
    const QByteArray cases[] = {
        shortFile,
        QByteArray(),
        File("x", {}),
        File("\"1\"", {}),
        File("1", {"\"A\",abc"}),
        File("1", {"\"A\",#2024-01-05#"}),
        File("1", {"\"A\",1,2"}),
        File("1", {"\"A\",nan"}),
        File("1", {"\"A\",1e309"}),
        File("1", {"\"A\",1", "\"B\",--3"}),
    };
    for (const QByteArray& bytes : cases) {
        InvestmentSheet s = Sheet({{T("Before"), N(1)}});
        s.InvestmentFileName = QStringLiteral("before.inv");
        EXPECT_NE(LoadBytes(bytes, s), LoadResult::Ok) << bytes.left(30).constData();
        EXPECT_FALSE(s.hasContent());
        EXPECT_EQ(s.SheetRowCount, 0);
        EXPECT_EQ(s.SheetTotal, 0);
        EXPECT_TRUE(s.InvestmentFileName.isEmpty());
    }

    TempDir dir;
    InvestmentSheet s = Sheet({{T("Keep"), N(1)}});
    dir.write(QStringLiteral("huge.inv"), File("1", {}) + QByteArray(MaxFileBytes, ' '));
    EXPECT_EQ(Load(dir.path(QStringLiteral("huge.inv")), s), LoadResult::TooLarge);
    EXPECT_EQ(Load(dir.path(QStringLiteral("none.inv")), s), LoadResult::CannotOpen);

    // Failed saves write nothing and keep the old name.
    s = Sheet({{T("Keep"), N(1)}});
    s.InvestmentFileName = QStringLiteral("old.inv");
    ASSERT_TRUE(QDir(dir.dir()).mkdir(QStringLiteral("taken.inv")));
    EXPECT_FALSE(Save(dir.path(QStringLiteral("missing/new.inv")), s));
    EXPECT_FALSE(Save(dir.path(QStringLiteral("taken.inv")), s));
    EXPECT_EQ(s.InvestmentFileName, QLatin1String("old.inv"));
}

TEST(SampleSheet, IsASeasonWrittenBySave)
{
    const QString path = QStringLiteral(TALLIMO_SAMPLES_DIR "/Sample.INV");
    InvestmentSheet s;
    ASSERT_EQ(Load(path, s), LoadResult::Ok);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(Serialize(s), file.readAll());
    int subTotals = 0, costs = 0, wins = 0;
    for (int r = 1; r <= s.SheetRowCount; ++r) {
        const double v = s.cell(r, 1).value();
        IsSubTotal(s.cell(r, 0).asText()) ? ++subTotals : v < 0 ? ++costs : ++wins;
    }
    EXPECT_GE(subTotals, 3);
    EXPECT_GT(costs, wins);
    EXPECT_GT(wins, 0);
    EXPECT_LE(s.SheetRowCount, 60); // room left to try the editing
}

TEST(InvFile, TheLargestTypableAmountsKeepTheirCentsInEveryRowAndSum)
{
    // The largest typable amount in every row but the last, a Sub Total of them all.
    const long long largest = static_cast<long long>(InvestmentSheet::MaxTypedAmount) * 100 - 1;
    const int last = InvestmentSheet::EditableRows;
    InvestmentSheet s;
    for (int r = 1; r < last; ++r) {
        s.setCell(r, 0, T("Win"));
        s.setCell(r, 1, N(static_cast<double>(largest) / 100));
    }
    s.setCell(last, 0, T("Sub Total"));
    s.calculate();
    InvestmentSheet back;
    ASSERT_EQ(LoadBytes(Serialize(s), back), LoadResult::Ok);
    const auto money = [](long long cents) {
        return QLocale().toString(cents / 100) + QStringLiteral(".%1").arg(cents % 100);
    };
    EXPECT_EQ(Shown(back, 1), money(largest));
    EXPECT_EQ(Shown(back, last), money(largest * (last - 1)));
}
