#include "support/CliRun.h"
#include "support/QStringPrinting.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// `tallimo wheel ARGUMENTS...`
CliOutcome Wheel(const QStringList& arguments)
{
    return Tallimo(QStringList{QStringLiteral("wheel")} + arguments);
}

QStringList Lines(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The CSV rows' forms, each an ascending list of numbers.
std::vector<std::vector<int>> CsvForms(const QStringList& rows)
{
    std::vector<std::vector<int>> forms;
    for (qsizetype i = 1; i + 1 < rows.size(); ++i) {
        const QStringList cells = rows[i].split(QLatin1Char(','));
        EXPECT_EQ(cells.size(), 2) << rows[i].toStdString();
        EXPECT_EQ(cells.value(0), QString::number(i));
        std::vector<int> form;
        for (const QString& n : cells.value(1).split(QLatin1Char(' ')))
            form.push_back(n.toInt());
        EXPECT_TRUE(std::is_sorted(form.begin(), form.end())) << rows[i].toStdString();
        forms.push_back(form);
    }
    return forms;
}

} // namespace

// Seven numbers of the player's, forms of three, a pair among them always on one form: the
// Fano plane on those numbers, seven forms, checked here pair by pair.
TEST(WheelCommand, CsvRowsHoldEveryPairOfTheNumbers)
{
    const std::vector<int> numbers{5, 12, 19, 33, 47, 61, 99};
    const CliOutcome r =
        Wheel({QStringLiteral("--numbers"), QStringLiteral("99,5,12,19 33,47,61"),
               QStringLiteral("--form-size"), QStringLiteral("3"), QStringLiteral("--guarantee"),
               QStringLiteral("2/2"), QStringLiteral("--csv")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    const QStringList rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 9);
    EXPECT_EQ(rows.first(), QStringLiteral("form,numbers"));
    EXPECT_EQ(rows.last(), QStringLiteral("forms,7,lower_bound,7,verified,1"));
    std::set<std::pair<int, int>> pairs;
    for (const std::vector<int>& form : CsvForms(rows)) {
        ASSERT_EQ(form.size(), 3U);
        for (const int n : form)
            EXPECT_NE(std::find(numbers.begin(), numbers.end(), n), numbers.end()) << n;
        for (std::size_t a = 0; a < form.size(); ++a)
            for (std::size_t b = a + 1; b < form.size(); ++b)
                pairs.insert({form[a], form[b]});
    }
    EXPECT_EQ(pairs.size(), 21U); // C(7, 2)
}

TEST(WheelCommand, PlainListAndReading)
{
    const CliOutcome r =
        Wheel({QStringLiteral("--count"), QStringLiteral("9"), QStringLiteral("--form-size=3"),
               QStringLiteral("--guarantee=2/2")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 14);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("form"))) << lines.first().toStdString();
    // The numbers right-aligned in columns two wide, whatever the form's number.
    static const QRegularExpression row(QStringLiteral("^\\d+ +[ 1-9]\\d( [ 1-9]\\d){2}$"));
    for (qsizetype i = 1; i <= 12; ++i)
        EXPECT_TRUE(row.match(lines[i]).hasMatch()) << lines[i].toStdString();
    EXPECT_EQ(lines.last(),
              QStringLiteral("12 forms; at least 12 are needed, so none smaller exists; verified: "
                             "whenever 2 of your 9 numbers are drawn, some form holds both."));
}

// 3 if 4 on 12 numbers with forms of 6: a lotto design, whatever its size within the time, is
// checked before it is printed.
TEST(WheelCommand, LottoDesignIsVerified)
{
    const CliOutcome r =
        Wheel({QStringLiteral("--count"), QStringLiteral("12"), QStringLiteral("--form-size"),
               QStringLiteral("6"), QStringLiteral("--guarantee"), QStringLiteral("3/4"),
               QStringLiteral("--seconds"), QStringLiteral("0.2"), QStringLiteral("--seed"),
               QStringLiteral("99"), QStringLiteral("--csv")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList rows = Lines(r.out);
    const std::vector<std::vector<int>> forms = CsvForms(rows);
    EXPECT_EQ(rows.last(), QStringLiteral("forms,%1,lower_bound,4,verified,1").arg(forms.size()));
    // Every draw of four of 1..12 meets some form in three numbers.
    for (int draw = 0; draw < (1 << 12); ++draw) {
        if (__builtin_popcount(static_cast<unsigned>(draw)) != 4) continue;
        bool met = false;
        for (const std::vector<int>& form : forms) {
            int shared = 0;
            for (const int n : form)
                shared += (draw >> (n - 1)) & 1;
            met = met || shared >= 3;
        }
        EXPECT_TRUE(met) << draw;
    }
}

TEST(WheelCommand, PromisesThatCannotBeKeptAreUsageErrors)
{
    const QString k = QStringLiteral("--form-size");
    const QString g = QStringLiteral("--guarantee");
    const QString c = QStringLiteral("--count");
    const QString n = QStringLiteral("--numbers");
    const std::vector<std::pair<QStringList, QString>> cases{
        {{c, QStringLiteral("5"), k, QStringLiteral("3"), g, QStringLiteral("2/6")},
         QStringLiteral("6 of your 5 numbers cannot be drawn")},
        {{c, QStringLiteral("12"), k, QStringLiteral("4"), g, QStringLiteral("5/5")},
         QStringLiteral("a form of 4 numbers cannot hold 5")},
        {{c, QStringLiteral("12"), k, QStringLiteral("6"), g, QStringLiteral("4/3")},
         QStringLiteral("the guarantee M/T needs 1 <= M <= T, not 4/3")},
        {{c, QStringLiteral("12"), k, QStringLiteral("12"), g, QStringLiteral("3/3")},
         QStringLiteral("the form size must be from 1 to 11, fewer than the 12 numbers")},
        {{c, QStringLiteral("45"), k, QStringLiteral("6"), g, QStringLiteral("3/3")},
         QStringLiteral("a wheel takes 2 to 40 numbers, not 45")},
        {{n, QStringLiteral("1,2,3,3,4"), k, QStringLiteral("2"), g, QStringLiteral("2/2")},
         QStringLiteral("3 is in --numbers twice")},
        {{n, QStringLiteral("1,2,100"), k, QStringLiteral("2"), g, QStringLiteral("2/2")},
         QStringLiteral("100 in --numbers is outside 1 to 99")},
        {{n, QStringLiteral("1,two,3"), k, QStringLiteral("2"), g, QStringLiteral("2/2")},
         QStringLiteral("\"two\" in --numbers is not a number")},
        {{n, QStringLiteral("1,2,3"), c, QStringLiteral("3"), k, QStringLiteral("2"), g,
          QStringLiteral("2/2")},
         QStringLiteral("give either --numbers LIST or --count V")},
        {{c, QStringLiteral("9"), k, QStringLiteral("3"), g, QStringLiteral("2-2")},
         QStringLiteral("--guarantee M/T is needed")},
        {{c, QStringLiteral("9"), k, QStringLiteral("3"), g, QStringLiteral("2/2"),
          QStringLiteral("--seconds"), QStringLiteral("0")},
         QStringLiteral("--seconds must be a number above 0, at most 3600")},
        {{c, QStringLiteral("9"), g, QStringLiteral("2/2")},
         QStringLiteral("--form-size K is needed, as a whole number")},
    };
    for (const auto& [arguments, reason] : cases) {
        const CliOutcome r = Wheel(arguments);
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_EQ(Lines(r.err).size(), 1);
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("tallimo wheel: ") + reason))
            << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral(" (try tallimo wheel --help)\n")));
    }
}
