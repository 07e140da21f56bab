#include "models/stats/GraphModel.h"

#include "models/draws/DrawDatabase.h"
#include "models/stats/Frequency.h"
#include "text/Format.h"

#include <algorithm>
namespace stats {

namespace {

int ShownRecordCount(const database::DrawDatabase& db)
{
    return db.recordCount();
}

} // namespace

QString GraphTitle(const database::DrawDatabase& db, const Statistics& stats)
{
    const QString count = text::NumText(static_cast<long long>(ShownRecordCount(db)));
    const QString lead = stats.timesDrawn() ? QStringLiteral("No. times drawn in")
                                            : QStringLiteral("No. draws since drawn/not drawn in");
    return lead + count + QStringLiteral(" draws. ") + db.title();
}

GraphData ComposeGraphData(const database::DrawDatabase& db, const Statistics& stats)
{
    GraphData data;
    data.title = GraphTitle(db, stats);
    const int high = db.highNumber();
    data.labels.reserve(high);
    data.values.reserve(static_cast<size_t>(high));
    for (int k = 1; k <= high; ++k) {
        const FrequencyRow& row = stats.RankedNumbers[static_cast<size_t>(k)];
        data.labels.append(QString::number(row.number));
        data.values.push_back(row.value);
    }
    return data;
}

void GraphView::open(const database::DrawDatabase& db, Statistics& stats)
{
    m_timesDrawn = true;
    m_ranked = false;
    m_threeD = false;
    RecomputeFrequencies(db, Measure::TimesDrawn, stats);
    RankNumbers(stats, db.highNumber(), RankOrder::NumberOrder);
}

void GraphView::toggleMeasure(const database::DrawDatabase& db, Statistics& stats)
{
    m_timesDrawn = !m_timesDrawn;
    RecomputeFrequencies(db, measure(), stats);
    RankNumbers(stats, db.highNumber(), order());
}

void GraphView::toggleOrder(const database::DrawDatabase& db, Statistics& stats)
{
    m_ranked = !m_ranked;
    RankNumbers(stats, db.highNumber(), order());
}

} // namespace stats
