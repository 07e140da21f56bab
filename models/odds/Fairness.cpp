#include "models/odds/Fairness.h"

#include "models/draws/DrawDatabase.h"

#include <boost/math/distributions/chi_squared.hpp>

#include <algorithm>
#include <cmath>

namespace odds {

Fairness TestFairness(const database::DrawDatabase& db)
{
    Fairness f;
    const int high = db.highNumber();
    const int picks = db.picksPerDraw();
    f.numbers = high;
    f.picks = picks;
    f.counts.assign(static_cast<size_t>(high) + 1, 0);
    // The same numbers as the Graphs window's bars: every cell in 1..high of every record, so
    // that a record typed with fewer numbers than the picks counts in the test as in the bars.
    // A record of k numbers adds k/N to each number's expected count and (k/N)(1 - k/N) to its
    // variance.
    const double n = high;
    double total = 0;
    double variance = 0;
    const int records = db.recordCount();
    for (int r = 1; r <= records; ++r) {
        const database::DrawRecord& record = db.record(r);
        int k = 0;
        for (int c = 0; c < picks; ++c) {
            const int number = record.Numbers[static_cast<size_t>(c)];
            if (number < 1 || number > high) continue;
            ++f.counts[static_cast<size_t>(number)];
            ++k;
        }
        if (k == 0) continue;
        ++f.draws;
        total += k;
        variance += k / n * (1.0 - k / n);
    }
    if (picks >= high) return f; // every number in every draw: nothing varies
    f.df = high - 1;
    f.expected = total / n;
    f.sd = std::sqrt(variance);
    f.minimumDraws = static_cast<int>(std::ceil(MinimumExpectedCount * n / picks - 1e-9));
    if (variance > 0) {
        double sum = 0;
        for (int i = 1; i <= high; ++i) {
            const double d = f.counts[static_cast<size_t>(i)] - f.expected;
            sum += d * d;
        }
        // Drawing without replacement makes the counts vary less than independent ones would,
        // and ties them by their fixed sum: the factor (N - 1)/N over each count's variance
        // brings the sum back to chi-square on N - 1. With every record of K numbers this is
        // (N - 1)/(N - K) * sum (O - E)^2 / E.
        f.chiSquare = (n - 1.0) / n * sum / variance;
        const boost::math::chi_squared_distribution<double> chi(f.df);
        f.pValue = boost::math::cdf(boost::math::complement(chi, f.chiSquare));
    }
    f.status =
        f.expected >= MinimumExpectedCount ? Fairness::Status::Ok : Fairness::Status::TooFewDraws;
    return f;
}

namespace {

// A share in per cent to two significant digits: "31 %", "5.2 %", "0.21 %".
QString PercentText(double percent)
{
    const int decimals =
        percent >= 10.0 ? 0 : std::max(1, 1 - static_cast<int>(std::floor(std::log10(percent))));
    return QStringLiteral("%1 %").arg(percent, 0, 'f', decimals);
}

} // namespace

QString PValueText(double p)
{
    if (p < 0.0001) return QStringLiteral("< 0.0001");
    if (p >= 0.995) return QStringLiteral("%1").arg(p, 0, 'f', 3);
    // Two significant digits: 0.43, 0.052, 0.0021.
    const int decimals = std::max(2, 1 - static_cast<int>(std::floor(std::log10(p))));
    return QString::number(p, 'f', decimals);
}

QString FairnessVerdict(const Fairness& f)
{
    switch (f.status) {
    case Fairness::Status::NoTest:
        return QStringLiteral("no fairness test: every draw holds every number");
    case Fairness::Status::TooFewDraws:
        return QStringLiteral(
                   "too few draws for a fairness verdict: the test needs %1, there are %2")
            .arg(f.minimumDraws)
            .arg(f.draws);
    case Fairness::Status::Ok:
        break;
    }
    const QString p = PValueText(f.pValue);
    const QString equals =
        p.startsWith(QLatin1Char('<')) ? QStringLiteral("p ") : QStringLiteral("p = ");
    // What p means, in the same line: how often a fair lottery's counts are this uneven.
    QString share;
    if (f.pValue < 0.0001)
        share = QStringLiteral("less than 0.01 %");
    else if (f.pValue >= 0.995)
        share = QStringLiteral("%1 %").arg(100.0 * f.pValue, 0, 'f', 1);
    else
        share = PercentText(100.0 * f.pValue);
    QString text = (f.pValue < Significance ? QStringLiteral("not consistent with a fair draw, ")
                                            : QStringLiteral("consistent with a fair draw, ")) +
                   equals + p + QStringLiteral(": a fair lottery is this uneven ") + share +
                   QStringLiteral(" of the time");
    // Counts closer to their average than chance makes them are worth a note too.
    if (f.pValue > 0.99) text += QStringLiteral("; unusually even");
    return text;
}

QString FairnessCaption(const Fairness& f, bool withBand)
{
    QString text = QStringLiteral("Fairness of the %1 draws: ").arg(f.draws) + FairnessVerdict(f) +
                   QLatin1Char('.');
    if (withBand)
        text += QStringLiteral(" Dashed line: the count a fair draw gives each number on average "
                               "(%1); shaded: within two standard deviations of it (%2 to %3).")
                    .arg(f.expected, 0, 'f', 1)
                    .arg(std::max(0.0, f.expected - 2 * f.sd), 0, 'f', 1)
                    .arg(f.expected + 2 * f.sd, 0, 'f', 1);
    return text;
}

} // namespace odds
