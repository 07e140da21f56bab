#include "odds/Fairness.h"

#include "database/DrawDatabase.h"

#include <boost/math/distributions/chi_squared.hpp>

#include <algorithm>
#include <cmath>

namespace odds {

namespace {

// The numbers of record r when they are `picks` distinct numbers in 1..high.
bool CompleteDraw(const database::DrawRecord& record, int high, int picks)
{
    std::uint64_t seen = 0;
    for (int c = 0; c < picks; ++c) {
        const int n = record.Numbers[static_cast<size_t>(c)];
        if (n < 1 || n > high) return false;
        const std::uint64_t bit = std::uint64_t{1} << static_cast<unsigned>(n);
        if (seen & bit) return false;
        seen |= bit;
    }
    return true;
}

} // namespace

Fairness TestFairness(const database::DrawDatabase& db)
{
    Fairness f;
    const int high = db.highNumber();
    const int picks = db.picksPerDraw();
    f.numbers = high;
    f.picks = picks;
    f.counts.assign(static_cast<size_t>(high) + 1, 0);
    const int records = db.recordCount();
    for (int r = 1; r <= records; ++r) {
        const database::DrawRecord& record = db.record(r);
        if (!CompleteDraw(record, high, picks)) continue;
        ++f.draws;
        for (int c = 0; c < picks; ++c)
            ++f.counts[static_cast<size_t>(record.Numbers[static_cast<size_t>(c)])];
    }
    if (picks >= high) return f; // every number in every draw: nothing varies
    const double n = high;
    const double k = picks;
    const double share = k / n;
    f.df = high - 1;
    f.expected = f.draws * share;
    f.sd = std::sqrt(f.expected * (1.0 - share));
    f.minimumDraws = static_cast<int>(std::ceil(MinimumExpectedCount * n / k - 1e-9));
    if (f.draws > 0) {
        double sum = 0;
        for (int i = 1; i <= high; ++i) {
            const double d = f.counts[static_cast<size_t>(i)] - f.expected;
            sum += d * d / f.expected;
        }
        // Drawing without replacement makes the counts vary less than independent ones would:
        // each count's variance carries the factor (1 - K/N), and the counts are tied by their
        // fixed sum. The factor (N - 1)/(N - K) brings the sum back to chi-square on N - 1.
        f.chiSquare = (n - 1.0) / (n - k) * sum;
        const boost::math::chi_squared_distribution<double> chi(f.df);
        f.pValue = boost::math::cdf(boost::math::complement(chi, f.chiSquare));
    }
    f.status =
        f.expected >= MinimumExpectedCount ? Fairness::Status::Ok : Fairness::Status::TooFewDraws;
    return f;
}

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
    return (f.pValue < Significance ? QStringLiteral("not consistent with a fair draw, ")
                                    : QStringLiteral("consistent with a fair draw, ")) +
           equals + p;
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
