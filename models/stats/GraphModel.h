#pragma once
// What the graphs window shows: the bars of the current measure for the numbers 1..highNumber(),
// in number order or ranked, with their title; and the rules by which its three toggles and its
// opening change the shared statistics.
#include <QString>
#include <QStringList>
#include <vector>

#include "models/stats/Frequency.h"

namespace database {
class DrawDatabase;
}

namespace stats {

struct GraphData {
    QString title;
    QStringList labels;      // the number of each bar, in the order shown
    std::vector<int> values; // the measure of each bar
};

// "No. times drawn in 300 draws. Lotto" or "No. draws since drawn/not drawn in 300 draws. Lotto",
// after the measure stats was last computed in.
QString GraphTitle(const database::DrawDatabase& db, const Statistics& stats);

// One bar per row 1..highNumber() of stats.RankedNumbers, in the table's order.
GraphData ComposeGraphData(const database::DrawDatabase& db, const Statistics& stats);

// The view of the graphs window: which measure, which order, which bar style. Each change keeps
// the shared statistics consistent with what is shown.
class GraphView final {
public:
    // Times drawn, number order, flat bars, whatever the other windows had chosen: the measure
    // is recomputed and RankedNumbers filled in number order.
    void open(const database::DrawDatabase& db, Statistics& stats);
    // Switches between times drawn and draws since last drawn: recomputes, then ranks or keeps
    // number order as shown.
    void toggleMeasure(const database::DrawDatabase& db, Statistics& stats);
    // Switches between number order and ranked order, ranking the measure as last computed.
    void toggleOrder(const database::DrawDatabase& db, Statistics& stats);
    // Switches between flat and three-dimensional bars; the data stay as they are.
    void toggleBars() { m_threeD = !m_threeD; }

    bool timesDrawn() const { return m_timesDrawn; }
    bool ranked() const { return m_ranked; }
    RankOrder order() const { return m_ranked ? RankOrder::Ranked : RankOrder::NumberOrder; }
    Measure measure() const { return m_timesDrawn ? Measure::TimesDrawn : Measure::DrawsSince; }
    bool threeD() const { return m_threeD; }

private:
    bool m_timesDrawn = true;
    bool m_ranked = false;
    bool m_threeD = false;
};

} // namespace stats
