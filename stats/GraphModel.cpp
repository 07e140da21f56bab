#include "stats/GraphModel.h"

#include "database/DrawDatabase.h"
#include "stats/Frequency.h"
#include "text/Format.h"

#include <algorithm>

namespace {

// RankNumbers keeps number order for this value of UnsortedSwitch and ranks for any other.
constexpr int KeepNumberOrder = 10;

int ShownRecordCount(const DrawDatabase& db) {
    return db.recordCount();
}

} // namespace

QString GraphTitle(const DrawDatabase& db, const Statistics& stats) {
    const QString count = text::NumText(static_cast<long long>(ShownRecordCount(db)));
    const QString lead = stats.timesDrawn() ? QStringLiteral("No. times drawn in")
                                            : QStringLiteral("No. draws since drawn/not drawn in");
    return lead + count + QStringLiteral(" draws. ") + db.title();
}

GraphData ComposeGraphData(const DrawDatabase& db, const Statistics& stats) {
    GraphData data;
    data.title = GraphTitle(db, stats);
    const int high = db.highNumber();
    data.labels.reserve(high);
    data.values.reserve(static_cast<size_t>(high));
    for (int k = 1; k <= high; ++k) {
        const FrequencyRow& row = stats.RankedNumbers[static_cast<size_t>(k)];
        data.labels.append(QString::number(row.Number));
        data.values.push_back(row.Measure);
    }
    return data;
}

void GraphView::open(const DrawDatabase& db, Statistics& stats) {
    m_timesDrawn = true;
    m_ranked = false;
    m_threeD = false;
    stats.TimesDrawnMode = 1.0f;
    RecomputeFrequencies(db, stats);
    // Number order without going through the ranking, so UnsortedSwitch keeps its value.
    stats.RankedNumbers.fill(FrequencyRow{});
    const int high = db.highNumber();
    for (int k = 1; k <= high; ++k)
        stats.RankedNumbers[static_cast<size_t>(k)] = {
            k, stats.FrequencyTable[static_cast<size_t>(k)].Measure};
}

void GraphView::toggleMeasure(const DrawDatabase& db, Statistics& stats) {
    m_timesDrawn = !m_timesDrawn;
    stats.TimesDrawnMode = m_timesDrawn ? 1.0f : 0.0f;
    RecomputeFrequencies(db, stats);
    stats.UnsortedSwitch = m_ranked ? 0 : KeepNumberOrder;
    RankNumbers(stats, db.highNumber());
}

void GraphView::toggleOrder(const DrawDatabase& db, Statistics& stats) {
    m_ranked = !m_ranked;
    stats.UnsortedSwitch = m_ranked ? 0 : KeepNumberOrder;
    RankNumbers(stats, db.highNumber());
}

void GraphView::leave(Statistics& stats) {
    stats.UnsortedSwitch = 0;
}
