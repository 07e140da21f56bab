#pragma once
// Databases for tests: records holding the given numbers, one record a draw, a week apart.
#include "database/DrawDatabase.h"

#include <QDate>
#include <QString>
#include <vector>

inline DrawDatabase MakeDrawDatabase(int high, int picks,
                                     const std::vector<std::vector<int>>& draws,
                                     const QDate& firstDate, const QString& title = {})
{
    DrawDatabase db;
    db.setTitle(title);
    db.setShape(picks, high);
    db.setRecordCount(static_cast<int>(draws.size()));
    for (size_t i = 0; i < draws.size(); ++i) {
        DrawRecord& r = db.record(static_cast<int>(i) + 1);
        r.RecordNo = static_cast<int>(i + 1);
        r.DrawDate = firstDate.addDays(7 * static_cast<qint64>(i));
        for (size_t c = 0; c < draws[i].size(); ++c)
            r.Numbers[c] = draws[i][c];
    }
    return db;
}
