#include "odds/Odds.h"

#include <boost/math/distributions/hypergeometric.hpp>

#include <QLocale>

#include <QStringList>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <random>

namespace odds {

namespace {

std::uint64_t Bit(int number)
{
    return std::uint64_t{1} << static_cast<unsigned>(number);
}

// Numbers lo..hi as bits.
std::uint64_t RangeMask(int lo, int hi)
{
    if (lo > hi) return 0;
    const std::uint64_t upTo = hi >= 63 ? ~std::uint64_t{0} : (Bit(hi + 1) - 1);
    return upTo & ~(Bit(lo) - 1);
}

std::vector<std::uint64_t> FormMasks(const std::vector<Form>& forms, int high)
{
    std::vector<std::uint64_t> masks;
    masks.reserve(forms.size());
    for (const Form& form : forms) {
        std::uint64_t mask = 0;
        for (int n : form)
            if (n >= 1 && n <= high) mask |= Bit(n);
        masks.push_back(mask);
    }
    return masks;
}

// Walks every draw of `picks` numbers from 1..high in increasing order and tallies the draws by
// the best match any form has. The forms' match counts are kept up to date as numbers join the
// draw, and the last number of a draw is not walked one by one: with the best count M among the
// forms so far, a last number lifts the best to M + 1 exactly when it lies on a form that has M
// already, so one popcount over the remaining range settles all of them at once.
class Enumerator {
public:
    Enumerator(const std::vector<std::uint64_t>& masks, int high, int picks)
        : m_masks(masks), m_high(high), m_picks(picks), m_counts(masks.size(), 0),
          m_tally(static_cast<size_t>(picks) + 2, 0)
    {
        for (int n = 1; n <= high; ++n) {
            std::vector<std::uint32_t> holders;
            for (size_t f = 0; f < masks.size(); ++f)
                if (masks[f] & Bit(n)) holders.push_back(static_cast<std::uint32_t>(f));
            m_holders[static_cast<size_t>(n)] = std::move(holders);
        }
    }

    std::vector<std::uint64_t> run()
    {
        walk(1, m_picks);
        return m_tally;
    }

private:
    void walk(int first, int remaining)
    {
        if (remaining == 1) {
            int best = 0;
            for (std::uint8_t c : m_counts)
                best = std::max(best, static_cast<int>(c));
            std::uint64_t lifting = 0;
            for (size_t f = 0; f < m_masks.size(); ++f)
                if (m_counts[f] == best) lifting |= m_masks[f];
            const std::uint64_t range = RangeMask(first, m_high);
            const auto lifted = static_cast<std::uint64_t>(std::popcount(lifting & range));
            const auto all = static_cast<std::uint64_t>(m_high - first + 1);
            m_tally[static_cast<size_t>(best) + 1] += lifted;
            m_tally[static_cast<size_t>(best)] += all - lifted;
            return;
        }
        for (int n = first; n <= m_high - remaining + 1; ++n) {
            const std::vector<std::uint32_t>& holders = m_holders[static_cast<size_t>(n)];
            for (std::uint32_t f : holders)
                ++m_counts[f];
            walk(n + 1, remaining - 1);
            for (std::uint32_t f : holders)
                --m_counts[f];
        }
    }

    const std::vector<std::uint64_t>& m_masks;
    int m_high;
    int m_picks;
    std::vector<std::uint8_t> m_counts;
    std::vector<std::uint64_t> m_tally; // draws by best match 0..picks
    std::array<std::vector<std::uint32_t>, MaxHigh + 1> m_holders;
};

std::vector<std::uint64_t> Simulate(const std::vector<std::uint64_t>& masks, int high, int picks,
                                    std::uint64_t draws, std::uint64_t seed)
{
    std::vector<std::uint64_t> tally(static_cast<size_t>(picks) + 1, 0);
    std::mt19937_64 engine(seed);
    std::array<int, MaxHigh> urn{};
    for (int i = 0; i < high; ++i)
        urn[static_cast<size_t>(i)] = i + 1;
    for (std::uint64_t d = 0; d < draws; ++d) {
        // A partial shuffle: the first `picks` places of the urn become the draw. The modulo's
        // bias is below one part in 10^17 for 60 numbers.
        std::uint64_t drawn = 0;
        for (int i = 0; i < picks; ++i) {
            const auto left = static_cast<std::uint64_t>(high - i);
            const auto j = static_cast<size_t>(i) + static_cast<size_t>(engine() % left);
            std::swap(urn[static_cast<size_t>(i)], urn[j]);
            drawn |= Bit(urn[static_cast<size_t>(i)]);
        }
        int best = 0;
        for (std::uint64_t mask : masks)
            best = std::max(best, std::popcount(mask & drawn));
        ++tally[static_cast<size_t>(best)];
    }
    return tally;
}

} // namespace

std::uint64_t Choose(int n, int k)
{
    if (n < 0 || k < 0 || k > n) return 0;
    k = std::min(k, n - k);
    std::uint64_t c = 1;
    // Each partial product C(n - k + i, i) is a whole number, so the division is exact; the
    // largest value met for n <= 64 stays far below 2^64.
    for (int i = 1; i <= k; ++i)
        c = c * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    return c;
}

bool ValidShape(int high, int picks)
{
    return high >= 1 && high <= MaxHigh && picks >= 1 && picks <= high;
}

std::vector<MatchOdds> SingleFormOdds(int high, int picks, int formSize)
{
    std::vector<MatchOdds> rows;
    if (!ValidShape(high, picks) || formSize < 0 || formSize > picks) return rows;
    // The number of a form's numbers among the drawn ones is hypergeometric: formSize "marked"
    // numbers among `high`, `picks` drawn.
    const boost::math::hypergeometric_distribution<double> matches(
        static_cast<unsigned>(formSize), static_cast<unsigned>(picks), static_cast<unsigned>(high));
    const auto support = boost::math::range(matches);
    const auto lo = static_cast<int>(support.first);
    const auto hi = static_cast<int>(support.second);
    for (int m = 0; m <= formSize; ++m) {
        MatchOdds row;
        row.matches = m;
        row.ways = Choose(formSize, m) * Choose(high - formSize, picks - m);
        row.probability =
            (m < lo || m > hi) ? 0.0 : boost::math::pdf(matches, static_cast<unsigned>(m));
        rows.push_back(row);
    }
    return rows;
}

SetOdds SetOfFormsOdds(const std::vector<Form>& forms, int high, int picks,
                       const SetOddsOptions& options)
{
    SetOdds out;
    if (!ValidShape(high, picks)) return out;
    const std::vector<std::uint64_t> masks = FormMasks(forms, high);
    std::uint64_t all = 0;
    for (std::uint64_t m : masks) {
        all |= m;
        out.largestForm = std::max(out.largestForm, std::popcount(m));
    }
    out.covered = std::popcount(all);

    const std::uint64_t possible = Choose(high, picks);
    std::vector<std::uint64_t> tally;
    if (possible <= options.exactLimit) {
        out.exact = true;
        out.draws = possible;
        tally = Enumerator(masks, high, picks).run();
    } else {
        out.exact = false;
        out.draws = std::max<std::uint64_t>(options.simulatedDraws, 1);
        tally = Simulate(masks, high, picks, out.draws, options.seed);
    }
    const double n = static_cast<double>(out.draws);
    std::uint64_t atOrAbove = 0;
    std::vector<AtLeast> rows;
    for (int m = static_cast<int>(tally.size()) - 1; m >= 1; --m) {
        atOrAbove += tally[static_cast<size_t>(m)];
        if (m > out.largestForm) continue;
        AtLeast row;
        row.matches = m;
        row.probability = static_cast<double>(atOrAbove) / n;
        if (!out.exact)
            row.plusMinus = 2.0 * std::sqrt(row.probability * (1.0 - row.probability) / n);
        rows.push_back(row);
    }
    std::reverse(rows.begin(), rows.end());
    out.atLeast = std::move(rows);
    return out;
}

QString Grouped(std::uint64_t value)
{
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(static_cast<qulonglong>(value));
}

QString OneInNumber(double probability)
{
    const double oneIn = 1.0 / std::clamp(probability, 1e-18, 1.0);
    if (oneIn < 1000.0) return QString::number(oneIn, 'f', 1);
    return Grouped(static_cast<std::uint64_t>(std::llround(oneIn)));
}

QString OneInText(double probability)
{
    if (probability <= 0.0) return QStringLiteral("never");
    if (probability >= 1.0) return QStringLiteral("certain");
    return QStringLiteral("1 in ") + OneInNumber(probability);
}

QString SetOddsText(const SetOdds& odds, int high, int picks)
{
    if (odds.atLeast.empty()) return {};
    QStringList parts;
    for (size_t i = 0; i < odds.atLeast.size(); ++i) {
        const AtLeast& row = odds.atLeast[i];
        const bool last = i + 1 == odds.atLeast.size();
        // "1 in 1.0" says nothing a player needs; "certain" does (Select All).
        // An estimate of 1 only says that every simulated draw had one.
        const bool allButCertain = (row.probability < 1.0 || !odds.exact) &&
                                   OneInNumber(row.probability) == QStringLiteral("1.0");
        if (!last && allButCertain) continue;
        QString what = row.matches == odds.largestForm
                           ? QStringLiteral("all %1").arg(row.matches)
                           : QStringLiteral("%1 or more").arg(row.matches);
        if (parts.isEmpty()) what += QStringLiteral(" on some form");
        QString chance = OneInText(row.probability);
        if (!odds.exact && row.probability > 0.0 && row.probability < 1.0) {
            // The estimate's range in "1 in" terms: a larger chance is a smaller x.
            const QString from = OneInNumber(std::min(row.probability + row.plusMinus, 1.0));
            const double lo = row.probability - row.plusMinus;
            const QString to = lo > 0.0 ? OneInNumber(lo) : QStringLiteral("never");
            if (from != to)
                chance +=
                    QStringLiteral(" (") + from + QStringLiteral(" to ") + to + QStringLiteral(")");
        } else if (!odds.exact && row.probability <= 0.0) {
            chance = QStringLiteral("not seen");
        }
        parts << what + QStringLiteral(": ") + chance;
    }
    const QString how =
        odds.exact ? QStringLiteral("exact")
                   : QStringLiteral("estimated from %1 simulated draws").arg(Grouped(odds.draws));
    return QStringLiteral("Odds against one draw of %1 from 1 to %2 (%3): ")
               .arg(picks)
               .arg(high)
               .arg(how) +
           parts.join(QStringLiteral("; ")) +
           QStringLiteral(". The forms cover %1 of the %2 numbers.").arg(odds.covered).arg(high);
}

} // namespace odds
