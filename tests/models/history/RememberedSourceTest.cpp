// The remembered source: kept as JSON and read back the same, its columns found again in a
// table the operator rearranged, and a damaged entry refused with its reason.
#include "models/history/RememberedSource.h"

#include "support/Draws.h"
#include "support/QStringPrinting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <functional>
#include <gtest/gtest.h>

using namespace history;

namespace {

QString FixtureText(const char* name)
{
    const DecodedText d =
        ReadSourceFile(QStringLiteral(TALLIMO_HISTORY_FIXTURES "/") + QLatin1String(name));
    EXPECT_EQ(d.error, ReadError::None) << name;
    return d.text;
}

// Through the text of the side file and back.
QJsonObject Reparsed(const QJsonObject& object)
{
    return QJsonDocument::fromJson(QJsonDocument(object).toJson()).object();
}

// The numbers each row of `table` gives under `mapping`, by line, for a 1..high database.
std::vector<std::vector<int>> Planned(const SourceTable& table, const Mapping& mapping, int picks,
                                      int high)
{
    const database::DrawDatabase empty = MakeDrawDatabase(high, picks, {}, QDate(2026, 1, 1));
    const ImportPlan plan = PlanImport(table, mapping, empty, {picks, high}, {});
    std::vector<std::vector<int>> numbers;
    for (const PlannedRow& row : plan.rows) {
        EXPECT_EQ(row.status, RowStatus::New) << row.line << ' ' << row.reason.toStdString();
        numbers.push_back(row.numbers);
    }
    return numbers;
}

} // namespace

TEST(RememberedSource, RoundTripsAndReadsTheSourceAsTheImportDid)
{
    const struct {
        const char* fixture;
        int picks;
        int high;
        // The numbers taken in place of the guess ("Winning Numbers[6]" for a one-ball
        // database of the extra balls); empty: as detected.
        QString columns;
        // An extra ball of the fixture, and whether the import leaves it out.
        QString extra;
        bool leftOut;
    } cases[] = {
        {"ball-per-column.csv", 6, 49, {}, QStringLiteral("Bonus Ball"), true},
        {"powerball-combined.csv", 5, 69, {}, QStringLiteral("Winning Numbers[6]"), true},
        {"powerball-combined.csv", 1, 26, QStringLiteral("Winning Numbers[6]"),
         QStringLiteral("Winning Numbers[6]"), false},
        {"supp-by-name.csv", 6, 45, {}, QStringLiteral("S2"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + " " + c.columns.toStdString());
        const QString text = FixtureText(c.fixture);
        const SourceTable table = ReadTable(text);
        const Detection detection = Detect(table, c.picks, DateOrder::MonthFirst, c.high);
        Mapping mapping = detection.mapping;
        if (!c.columns.isEmpty()) {
            NumberPick pick;
            QString error;
            ASSERT_TRUE(ParseColumnRef(c.columns, table, pick, error)) << error.toStdString();
            mapping.numbers = {pick};
        }
        const RememberedSource kept = RememberSource(QStringLiteral("/data/draws file.csv"), table,
                                                     detection, mapping, false);
        EXPECT_EQ(kept.extraBallsLeftOut.contains(c.extra), c.leftOut)
            << kept.extraBallsLeftOut.join(QLatin1Char(',')).toStdString();

        QString problem;
        const std::optional<RememberedSource> read = FromJson(Reparsed(ToJson(kept)), problem);
        ASSERT_TRUE(read) << problem.toStdString();
        EXPECT_EQ(*read, kept);

        // Read again from the remembered separator and header, the columns give every row the
        // numbers the import's own mapping gave it.
        const SourceTable again = ReadRememberedTable(text, *read);
        Mapping resolved;
        ASSERT_TRUE(ResolveMapping(*read, again, resolved, problem)) << problem.toStdString();
        EXPECT_EQ(resolved.order, mapping.order);
        EXPECT_EQ(Planned(again, resolved, c.picks, c.high),
                  Planned(table, mapping, c.picks, c.high));
    }
}

TEST(RememberedSource, FindsColumnsTheOperatorMovedAndNamesTheOneGone)
{
    const QString before = QStringLiteral("Date,N1,N2,N3,Bonus\n"
                                          "2026-12-02,4,9,12,3\n"
                                          "2026-12-05,7,21,30,8\n");
    const SourceTable table = ReadTable(before);
    const Detection detection = Detect(table, 3, DateOrder::DayFirst, 40);
    const RememberedSource kept = RememberSource(QStringLiteral("https://example.org/d.csv"), table,
                                                 detection, detection.mapping, true);
    ASSERT_EQ(kept.extraBallsLeftOut, QStringList{QStringLiteral("Bonus")});

    // The same draws, the columns in another order and in other case, one more column.
    const SourceTable moved = ReadTable(QStringLiteral("bonus,Jackpot,n3,N1,DATE,N2\n"
                                                       "3,1000,12,4,2026-12-02,9\n"
                                                       "8,2000,30,7,2026-12-05,21\n"));
    Mapping mapping;
    QString problem;
    ASSERT_TRUE(ResolveMapping(kept, moved, mapping, problem)) << problem.toStdString();
    EXPECT_EQ(Planned(moved, mapping, 3, 40), Planned(table, detection.mapping, 3, 40));

    const SourceTable gone = ReadTable(QStringLiteral("Date,N1,N3,Bonus\n2026-12-09,1,2,3\n"));
    EXPECT_FALSE(ResolveMapping(kept, gone, mapping, problem));
    EXPECT_EQ(problem, QStringLiteral("no column \"N2\" any more"));

    // Without a header the columns are found by their place.
    const QString bare = QStringLiteral("2026-12-02;4;9;12\n2026-12-05;7;21;30\n");
    const SourceTable bareTable = ReadTable(bare);
    ASSERT_FALSE(bareTable.hasHeader);
    const Detection bareDetection = Detect(bareTable, 3, DateOrder::DayFirst, 40);
    const RememberedSource bareKept = RememberSource(QStringLiteral("/d.txt"), bareTable,
                                                     bareDetection, bareDetection.mapping, true);
    EXPECT_EQ(bareKept.separator, Separator::Semicolon);
    const SourceTable shorter =
        ReadRememberedTable(QStringLiteral("2026-12-09;1;2\n2026-12-12;3;4\n"), bareKept);
    EXPECT_FALSE(ResolveMapping(bareKept, shorter, mapping, problem));
    EXPECT_EQ(problem, QStringLiteral("no column 4 any more"));
}

TEST(RememberedSource, RefusesAnEntryNoImportWrote)
{
    const SourceTable table = ReadTable(QStringLiteral("Date,N1,N2\n2026-12-02,4,9\n"));
    const Detection detection = Detect(table, 2, DateOrder::DayFirst, 10);
    const QJsonObject good =
        ToJson(RememberSource(QStringLiteral("/d.csv"), table, detection, detection.mapping, true));
    QString problem;
    ASSERT_TRUE(FromJson(good, problem));

    using Change = std::function<void(QJsonObject&)>;
    auto numbers = [](const QJsonValue& first) {
        return [first](QJsonObject& o) {
            QJsonArray a = o.value(QStringLiteral("number_columns")).toArray();
            a.replace(0, first);
            o.insert(QStringLiteral("number_columns"), a);
        };
    };
    const std::pair<Change, const char*> cases[] = {
        {[](QJsonObject& o) { o.remove(QStringLiteral("location")); }, "\"location\""},
        {[](QJsonObject& o) { o.insert(QStringLiteral("separator"), QStringLiteral("colon")); },
         "\"separator\""},
        {[](QJsonObject& o) { o.insert(QStringLiteral("header"), QStringLiteral("yes")); },
         "\"header\""},
        {[](QJsonObject& o) { o.insert(QStringLiteral("date_order"), QStringLiteral("ymd")); },
         "\"date_order\""},
        {[](QJsonObject& o) { o.insert(QStringLiteral("date_column"), 2); }, "date_column"},
        {[](QJsonObject& o) { o.insert(QStringLiteral("number_columns"), QJsonArray()); },
         "\"number_columns\""},
        {numbers(QJsonObject{{QStringLiteral("column"), 0}}), "number_columns"},
        {numbers(QJsonObject{{QStringLiteral("column"), 2.5}}), "number_columns"},
        {numbers(QJsonObject{{QStringLiteral("column"), 2},
                             {QStringLiteral("first"), 4},
                             {QStringLiteral("last"), 3}}),
         "number_columns"},
    };
    for (const auto& [change, named] : cases) {
        SCOPED_TRACE(named);
        QJsonObject o = good;
        change(o);
        problem.clear();
        EXPECT_FALSE(FromJson(o, problem));
        EXPECT_TRUE(problem.contains(QLatin1String(named))) << problem.toStdString();
    }
}
