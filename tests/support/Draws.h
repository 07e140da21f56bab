#pragma once
// Databases for tests: records holding the given numbers, one record a draw, in date order.
#include "models/draws/DrawDatabase.h"

#include <QDate>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

// `count` draw dates from `first`, the steps between them (in days) taken in turn: {7} is once
// a week, {3, 4} from a Wednesday is every Wednesday and Saturday.
inline std::vector<QDate> DrawDates(const QDate& first, size_t count,
                                    const std::vector<int>& steps = {7})
{
    std::vector<QDate> dates;
    QDate date = first;
    for (size_t i = 0; i < count; ++i) {
        dates.push_back(date);
        date = date.addDays(steps[i % steps.size()]);
    }
    return dates;
}

// Record i + 1 holds draws[i] (its first numbers; the rest stay empty) and is dated dates[i].
inline database::DrawDatabase MakeDrawDatabase(int high, int picks,
                                               const std::vector<std::vector<int>>& draws,
                                               const std::vector<QDate>& dates,
                                               const QString& title = {})
{
    database::DrawDatabase db;
    db.setTitle(title);
    db.setShape(picks, high);
    db.setRecordCount(static_cast<int>(draws.size()));
    for (size_t i = 0; i < draws.size(); ++i) {
        database::DrawRecord& r = db.record(static_cast<int>(i) + 1);
        r.RecordNo = static_cast<int>(i + 1);
        r.DrawDate = dates.at(i);
        for (size_t c = 0; c < draws[i].size(); ++c)
            r.Numbers[c] = draws[i][c];
    }
    return db;
}

// The same, the draws a week apart from `firstDate`.
inline database::DrawDatabase MakeDrawDatabase(int high, int picks,
                                               const std::vector<std::vector<int>>& draws,
                                               const QDate& firstDate, const QString& title = {})
{
    return MakeDrawDatabase(high, picks, draws, DrawDates(firstDate, draws.size()), title);
}

// `count` draws of `picks` distinct numbers from 1..high, each number equally likely: an urn
// shuffled by `gen` before every draw, so a seed gives the same draws with every library.
inline std::vector<std::vector<int>> ShuffledDraws(int high, int picks, int count,
                                                   std::mt19937& gen)
{
    std::vector<int> urn(static_cast<size_t>(high));
    std::iota(urn.begin(), urn.end(), 1);
    std::vector<std::vector<int>> draws;
    for (int i = 0; i < count; ++i) {
        std::shuffle(urn.begin(), urn.end(), gen);
        draws.emplace_back(urn.begin(), urn.begin() + picks);
    }
    return draws;
}

inline std::vector<std::vector<int>> ShuffledDraws(int high, int picks, int count, unsigned seed)
{
    std::mt19937 gen(seed);
    return ShuffledDraws(high, picks, count, gen);
}

// A fair 6/49 lottery titled "Fair": `count` shuffled draws, a day apart from 1 January 2000.
inline database::DrawDatabase Fair649(int count, unsigned seed)
{
    return MakeDrawDatabase(49, 6, ShuffledDraws(49, 6, count, seed), QDate(2000, 1, 1),
                            QStringLiteral("Fair"));
}

// `count` draws of `picks` different numbers from 1..high, from a generator seeded with `seed`.
inline std::vector<std::vector<int>> RandomDraws(int high, int picks, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    std::vector<std::vector<int>> draws;
    for (int d = 0; d < count; ++d) {
        std::vector<int> draw;
        while (static_cast<int>(draw.size()) < picks) {
            const int n = random.bounded(1, high + 1);
            if (std::find(draw.begin(), draw.end(), n) == draw.end()) draw.push_back(n);
        }
        draws.push_back(draw);
    }
    return draws;
}

// `count` draws of `picks` numbers from 1..high, draw i (from 0) holding i + offset + 1 and the
// numbers after it, 1 again after `high`.
inline std::vector<std::vector<int>> SequentialDraws(int high, int picks, int count, int offset = 0)
{
    std::vector<std::vector<int>> draws;
    for (int i = 0; i < count; ++i) {
        std::vector<int> draw;
        for (int k = 0; k < picks; ++k)
            draw.push_back((i + offset + k) % high + 1);
        draws.push_back(draw);
    }
    return draws;
}

// Draws in which number n is drawn counts[n - 1] times: every number as often as it counts, in
// order, `perDraw` numbers to a draw (the last draw may hold fewer).
inline std::vector<std::vector<int>> DrawsWithCounts(const std::vector<int>& counts, size_t perDraw)
{
    std::vector<std::vector<int>> draws;
    for (size_t i = 0; i < counts.size(); ++i)
        for (int t = 0; t < counts[i]; ++t) {
            if (draws.empty() || draws.back().size() == perDraw) draws.emplace_back();
            draws.back().push_back(static_cast<int>(i + 1));
        }
    return draws;
}
