#include "models/stats/Frequency.h"

#include "models/draws/DrawDatabase.h"
#include "text/Format.h"

#include <algorithm>
namespace stats {

void RecomputeFrequencies(const database::DrawDatabase& db, Measure measure, Statistics& stats)
{
    stats.measure = measure;
    stats.FrequencyTable.fill(FrequencyRow{});
    const int high = db.highNumber();
    const int columns = db.columnCount();
    const int count = db.recordCount();
    const bool timesDrawn = stats.timesDrawn();
    auto& table = stats.FrequencyTable;
    // A cell outside 1..highNumber() matches no number and is ignored; the table is indexed by the
    // cell value directly, which gives the same result as comparing with every n in turn.
    for (int r = 1; r <= count; ++r) {
        const database::DrawRecord& rec = db.record(r);
        for (int c = 2; c < columns; ++c) {
            const int n = rec.Numbers[static_cast<size_t>(c - 2)];
            if (n < 1 || n > high) continue;
            FrequencyRow& row = table[static_cast<size_t>(n)];
            if (timesDrawn)
                row.value += 1;
            else
                row.value = count + 1 - r; // later records overwrite earlier ones
            row.number = n;
        }
    }
    if (!timesDrawn) {
        for (int n = 1; n <= high; ++n) {
            FrequencyRow& row = table[static_cast<size_t>(n)];
            if (row.value == 0) row.value = count + 1;
            row.value -= 1;
        }
    }
}

void RankNumbers(Statistics& stats, int highNumber, RankOrder order)
{
    stats.RankedNumbers = RankedFrequencies(stats, highNumber, order);
}

std::array<FrequencyRow, Statistics::Rows> RankedFrequencies(const Statistics& stats,
                                                             int highNumber, RankOrder order)
{
    std::array<FrequencyRow, Statistics::Rows> ranked{};
    const int h = std::clamp(highNumber, 0, 60);
    for (int k = 1; k <= h; ++k)
        ranked[static_cast<size_t>(k)] = {k, stats.FrequencyTable[static_cast<size_t>(k)].value};
    if (order == RankOrder::NumberOrder) return ranked;

    auto at = [&ranked](int i) -> FrequencyRow& { return ranked[static_cast<size_t>(i)]; };
    // The diminishing-gap exchange sort, exactly as the thirds and the top-numbers line rely on.
    for (int gap = h / 2; gap > 0; gap /= 2) {
        for (int i = gap; i <= h - 1; ++i) {
            for (int j = i - gap + 1; j >= 1; j -= gap) {
                if (at(j).value >= at(j + gap).value) break;
                std::swap(at(j), at(j + gap));
            }
        }
    }
    // Exactly five passes put equal measures into number order; a number moves at most one
    // place forward per pass, so a long run of ties may stay partly out of order.
    for (int pass = 0; pass < 5; ++pass) {
        for (int i = 1; i <= h - 1; ++i) {
            if (at(i).value == at(i + 1).value && at(i).number > at(i + 1).number)
                std::swap(at(i), at(i + 1));
        }
    }
    return ranked;
}

std::pair<int, int> ThirdBounds(int n, Third third)
{
    const float third1 = static_cast<float>(n) / 3.0f;      // single precision
    const double twoThirds = static_cast<double>(n) * 0.66; // the factor is 0.66, in double
    const int topLast = static_cast<int>(text::RoundHalfEven(static_cast<double>(third1)));
    const int middleFirst =
        static_cast<int>(text::RoundHalfEven(static_cast<double>(third1 + 1.0f)));
    const int middleLast = static_cast<int>(text::RoundHalfEven(twoThirds));
    const int bottomFirst = static_cast<int>(text::RoundHalfEven(twoThirds + 1.0));
    switch (third) {
    case Third::Top:
        return {1, topLast};
    case Third::Middle:
        return {middleFirst, middleLast};
    case Third::Bottom:
        return {bottomFirst, n};
    }
    return {1, 0};
}

TopNumbersLine ComposeTopNumbers(const Statistics& stats, int picksPerDraw)
{
    TopNumbersLine line;
    if (stats.RankedNumbers[1].value <= 0) return line;
    line.heading =
        (stats.timesDrawn() ? QStringLiteral("Showing the count of times numbers drawn. Top ")
                            : QStringLiteral("Number of draws since last drawn/not drawn. Top ")) +
        text::NumText(static_cast<long long>(picksPerDraw)) + QStringLiteral(" =  ");
    const int shown = std::clamp(picksPerDraw, 0, 60);
    for (int k = 1; k <= shown; ++k)
        line.numbers += text::NumText(static_cast<long long>(
                            stats.RankedNumbers[static_cast<size_t>(k)].number)) +
                        QStringLiteral("  ");
    return line;
}

} // namespace stats
