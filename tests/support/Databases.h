#pragma once
// Databases for the graph tests.
#include "models/draws/DrawDatabase.h"
#include "support/Draws.h"
#include "support/QStringPrinting.h"

#include <QString>
#include <vector>

#include <ostream>

namespace graphs_test {

// A database whose records hold the given numbers, one record a draw, dated a week apart.
inline database::DrawDatabase MakeDb(int high, int picks,
                                     const std::vector<std::vector<int>>& draws,
                                     const QString& title = QStringLiteral("Test Lotto"))
{
    return MakeDrawDatabase(high, picks, draws, QDate(2020, 1, 4), title);
}

// `count` draws of `picks` different numbers from 1..high, from a seeded generator.
inline database::DrawDatabase RandomDb(int high, int picks, int count, quint32 seed,
                                       const QString& title)
{
    return MakeDb(high, picks, RandomDraws(high, picks, count, seed), title);
}

} // namespace graphs_test
