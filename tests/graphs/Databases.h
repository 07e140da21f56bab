#pragma once
// Databases for the graph tests and the screenshot tool.
#include "database/DrawDatabase.h"
#include "support/Draws.h"

#include <QRandomGenerator>
#include <QString>
#include <vector>

#include <algorithm>
#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace graphs_test {

// A database whose records hold the given numbers, one record a draw, dated a week apart.
inline DrawDatabase MakeDb(int high, int picks, const std::vector<std::vector<int>>& draws,
                           const QString& title = QStringLiteral("Test Lotto")) {
    return MakeDrawDatabase(high, picks, draws, QDate(2020, 1, 4), title);
}

// `count` draws of `picks` different numbers from 1..high, from a seeded generator.
inline DrawDatabase RandomDb(int high, int picks, int count, quint32 seed, const QString& title) {
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
    return MakeDb(high, picks, draws, title);
}

} // namespace graphs_test
