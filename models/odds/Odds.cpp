#include "models/odds/Odds.h"

#include <boost/math/distributions/binomial.hpp>
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

// Draws and forms as bit masks: bit n is the number n.
using Wide = Count;

template <class M> M Bit(int number)
{
    return M{1} << static_cast<unsigned>(number);
}

int Pop(std::uint64_t m)
{
    return std::popcount(m);
}

int Pop(Wide m)
{
    return std::popcount(static_cast<std::uint64_t>(m)) +
           std::popcount(static_cast<std::uint64_t>(m >> 64));
}

// Numbers lo..hi as bits.
template <class M> M RangeMask(int lo, int hi)
{
    constexpr int Bits = static_cast<int>(sizeof(M) * 8);
    if (lo > hi) return 0;
    const M upTo = hi >= Bits - 1 ? ~M{0} : (Bit<M>(hi + 1) - 1);
    return upTo & ~(Bit<M>(lo) - 1);
}

template <class M> std::vector<M> FormMasks(const std::vector<Form>& forms, int high)
{
    std::vector<M> masks;
    masks.reserve(forms.size());
    for (const Form& form : forms) {
        M mask = 0;
        for (int n : form)
            if (n >= 1 && n <= high) mask |= Bit<M>(n);
        masks.push_back(mask);
    }
    return masks;
}

// Walks every draw of `picks` numbers from 1..high in increasing order and tallies the draws by
// the best match any form has. The forms' match counts are kept up to date as numbers join the
// draw, and the last number of a draw is not walked one by one: with the best count M among the
// forms so far, a last number lifts the best to M + 1 exactly when it lies on a form that has M
// already, so one popcount over the remaining range settles all of them at once.
template <class M> class Enumerator {
public:
    Enumerator(const std::vector<M>& masks, int high, int picks)
        : m_masks(masks), m_high(high), m_picks(picks), m_counts(masks.size(), 0),
          m_tally(static_cast<size_t>(picks) + 2, 0)
    {
        for (int n = 1; n <= high; ++n) {
            std::vector<std::uint32_t> holders;
            for (size_t f = 0; f < masks.size(); ++f)
                if (masks[f] & Bit<M>(n)) holders.push_back(static_cast<std::uint32_t>(f));
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
            M lifting = 0;
            for (size_t f = 0; f < m_masks.size(); ++f)
                if (m_counts[f] == best) lifting |= m_masks[f];
            const M range = RangeMask<M>(first, m_high);
            const auto lifted = static_cast<std::uint64_t>(Pop(lifting & range));
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

    const std::vector<M>& m_masks;
    int m_high;
    int m_picks;
    std::vector<std::uint8_t> m_counts;
    std::vector<std::uint64_t> m_tally; // draws by best match 0..picks
    std::array<std::vector<std::uint32_t>, MaxHigh + 1> m_holders;
};

template <class M>
std::vector<std::uint64_t> Simulate(const std::vector<M>& masks, int high, int picks,
                                    std::uint64_t draws, std::uint64_t seed)
{
    std::vector<std::uint64_t> tally(static_cast<size_t>(picks) + 1, 0);
    std::mt19937_64 engine(seed);
    std::array<int, MaxHigh> urn{};
    for (int i = 0; i < high; ++i)
        urn[static_cast<size_t>(i)] = i + 1;
    for (std::uint64_t d = 0; d < draws; ++d) {
        // A partial shuffle: the first `picks` places of the urn become the draw. The modulo's
        // bias is below one part in 10^17 for 99 numbers.
        M drawn = 0;
        for (int i = 0; i < picks; ++i) {
            const auto left = static_cast<std::uint64_t>(high - i);
            const auto j = static_cast<size_t>(i) + static_cast<size_t>(engine() % left);
            std::swap(urn[static_cast<size_t>(i)], urn[j]);
            drawn |= Bit<M>(urn[static_cast<size_t>(i)]);
        }
        int best = 0;
        for (const M mask : masks)
            best = std::max(best, Pop(mask & drawn));
        ++tally[static_cast<size_t>(best)];
    }
    return tally;
}

// Calls visit(mask) for every way to take k of the numbers in `bits`.
template <class M, class Visit>
void EverySubset(const std::vector<M>& bits, int k, M base, size_t from, Visit& visit)
{
    if (k == 0) {
        visit(base);
        return;
    }
    for (size_t i = from; i + static_cast<size_t>(k) <= bits.size(); ++i)
        EverySubset(bits, k - 1, base | bits[i], i + 1, visit);
}

template <class M> std::vector<M> NumbersOf(M mask, int high, bool inside)
{
    std::vector<M> bits;
    for (int n = 1; n <= high; ++n) {
        if (((mask & Bit<M>(n)) != 0) == inside) bits.push_back(Bit<M>(n));
    }
    return bits;
}

// The draws within reach of the forms: every draw that has `m` or more numbers of some form,
// counted once (by the first form that reaches m), by walking only the draws near each form.
// Empty when that takes more than `limit` steps.
template <class M>
std::optional<Count> CountNear(const std::vector<M>& masks, int high, int picks, int m,
                               std::uint64_t limit)
{
    long double work = 0;
    for (size_t f = 0; f < masks.size(); ++f) {
        const int size = Pop(masks[f]);
        for (int j = m; j <= std::min(size, picks); ++j)
            work += static_cast<long double>(ChooseCount(size, j)) *
                    static_cast<long double>(ChooseCount(high - size, picks - j)) *
                    static_cast<long double>(f + 1);
    }
    if (work > static_cast<long double>(limit)) return std::nullopt;
    Count count = 0;
    for (size_t f = 0; f < masks.size(); ++f) {
        const std::vector<M> inside = NumbersOf(masks[f], high, true);
        const std::vector<M> outside = NumbersOf(masks[f], high, false);
        const int size = static_cast<int>(inside.size());
        for (int j = m; j <= std::min(size, picks); ++j) {
            auto withOutside = [&](M part) {
                auto draw = [&](M drawn) {
                    for (size_t e = 0; e < f; ++e)
                        if (Pop(drawn & masks[e]) >= m) return;
                    ++count;
                };
                EverySubset(outside, picks - j, part, 0, draw);
            };
            EverySubset(inside, j, M{0}, 0, withOutside);
        }
    }
    return count;
}

// The exact 95 % interval of a proportion seen `hits` times in `n` trials.
void BinomialInterval(std::uint64_t hits, std::uint64_t n, AtLeast& row)
{
    using boost::math::binomial_distribution;
    const auto trials = static_cast<double>(n);
    const auto seen = static_cast<double>(hits);
    row.lower = hits == 0 ? 0.0
                          : binomial_distribution<>::find_lower_bound_on_p(
                                trials, seen, 0.025,
                                binomial_distribution<>::clopper_pearson_exact_interval);
    row.upper = binomial_distribution<>::find_upper_bound_on_p(
        trials, seen, 0.025, binomial_distribution<>::clopper_pearson_exact_interval);
}

// The rows m = 1..largest from the tally of draws by their best match.
std::vector<AtLeast> RowsFromTally(const std::vector<std::uint64_t>& tally, int largest,
                                   std::uint64_t draws, bool exact)
{
    const double n = static_cast<double>(draws);
    std::uint64_t atOrAbove = 0;
    std::vector<AtLeast> rows;
    for (int m = static_cast<int>(tally.size()) - 1; m >= 1; --m) {
        atOrAbove += tally[static_cast<size_t>(m)];
        if (m > largest) continue;
        AtLeast row;
        row.matches = m;
        row.probability = static_cast<double>(atOrAbove) / n;
        row.exact = exact;
        if (!exact) {
            row.hits = atOrAbove;
            row.plusMinus = 2.0 * std::sqrt(row.probability * (1.0 - row.probability) / n);
            BinomialInterval(atOrAbove, draws, row);
        }
        rows.push_back(row);
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}

template <class M>
SetOdds OddsWith(const std::vector<Form>& forms, int high, int picks, const SetOddsOptions& options)
{
    SetOdds out;
    std::vector<M> masks = FormMasks<M>(forms, high);
    M all = 0;
    for (const M m : masks) {
        all |= m;
        out.largestForm = std::max(out.largestForm, Pop(m));
    }
    out.covered = Pop(all);
    const Count possible = ChooseCount(high, picks);
    if (possible <= options.exactLimit) {
        out.draws = static_cast<std::uint64_t>(possible);
        out.atLeast = RowsFromTally(Enumerator<M>(masks, high, picks).run(), out.largestForm,
                                    out.draws, true);
        return out;
    }
    out.exact = false;
    out.draws = std::max<std::uint64_t>(options.simulatedDraws, 1);
    out.atLeast = RowsFromTally(Simulate<M>(masks, high, picks, out.draws, options.seed),
                                out.largestForm, out.draws, false);
    // The top rows, counted exactly over the draws near the forms; a form given twice adds none.
    std::sort(masks.begin(), masks.end());
    masks.erase(std::unique(masks.begin(), masks.end()), masks.end());
    for (auto row = out.atLeast.rbegin(); row != out.atLeast.rend(); ++row) {
        const std::optional<Count> near =
            CountNear<M>(masks, high, picks, row->matches, options.nearLimit);
        if (!near) break;
        *row = AtLeast{};
        row->matches = static_cast<int>(out.atLeast.rend() - row);
        row->probability = static_cast<double>(static_cast<long double>(*near) /
                                               static_cast<long double>(possible));
    }
    out.exact = std::all_of(out.atLeast.begin(), out.atLeast.end(),
                            [](const AtLeast& r) { return r.exact; });
    return out;
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

Count ChooseCount(int n, int k)
{
    if (n < 0 || k < 0 || k > n) return 0;
    k = std::min(k, n - k);
    Count c = 1;
    // As Choose, in 128 bits: C(99, 49) times 99 is still below 2^128.
    for (int i = 1; i <= k; ++i)
        c = c * static_cast<Count>(n - k + i) / static_cast<Count>(i);
    return c;
}

bool ValidShape(int high, int picks)
{
    return high >= 1 && high <= MaxHigh && picks >= 1 && picks <= MaxPicks && picks <= high;
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
        row.ways = ChooseCount(formSize, m) * ChooseCount(high - formSize, picks - m);
        row.probability =
            (m < lo || m > hi) ? 0.0 : boost::math::pdf(matches, static_cast<unsigned>(m));
        rows.push_back(row);
    }
    return rows;
}

SetOdds SetOfFormsOdds(const std::vector<Form>& forms, int high, int picks,
                       const SetOddsOptions& options)
{
    if (!ValidShape(high, picks)) return {};
    return high < 64 ? OddsWith<std::uint64_t>(forms, high, picks, options)
                     : OddsWith<Wide>(forms, high, picks, options);
}

QString Grouped(std::uint64_t value)
{
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(static_cast<qulonglong>(value));
}

QString CountText(Count value)
{
    QString digits;
    do {
        digits.prepend(QLatin1Char(static_cast<char>('0' + static_cast<int>(value % 10))));
        value /= 10;
    } while (value != 0);
    return digits;
}

QString GroupedCount(Count value)
{
    QString digits = CountText(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

QString OneInNumber(double probability)
{
    const double oneIn = 1.0 / std::clamp(probability, 1e-30, 1.0);
    if (oneIn < 1000.0) return QString::number(oneIn, 'f', 1);
    if (oneIn < 1e18) return Grouped(static_cast<std::uint64_t>(std::llround(oneIn)));
    return GroupedCount(static_cast<Count>(oneIn));
}

QString OneInText(double probability)
{
    if (probability <= 0.0) return QStringLiteral("never");
    if (probability >= 1.0) return QStringLiteral("certain");
    return QStringLiteral("1 in ") + OneInNumber(probability);
}

QString ChanceText(const AtLeast& row)
{
    if (row.exact) return OneInText(row.probability);
    // An estimate never says "never" for what can happen: with no draw seen, the upper end of
    // the exact interval bounds it.
    if (row.hits == 0)
        return QStringLiteral("rarer than 1 in %1, estimated").arg(OneInNumber(row.upper));
    if (row.probability >= 1.0) return QStringLiteral("certain");
    // The estimate's range in "1 in" terms: a larger chance is a smaller x.
    QString chance = OneInText(row.probability);
    const QString from = OneInNumber(row.upper);
    const QString to = OneInNumber(row.lower);
    if (from != to) chance += QStringLiteral(" (") + from + QStringLiteral(" to ") + to + u')';
    return chance;
}

QString SetOddsText(const SetOdds& odds, int high, int picks)
{
    if (odds.atLeast.empty()) return {};
    QStringList parts;
    int exactFrom = 0; // the lowest m counted exactly
    for (size_t i = 0; i < odds.atLeast.size(); ++i) {
        const AtLeast& row = odds.atLeast[i];
        if (row.exact && exactFrom == 0) exactFrom = row.matches;
        const bool last = i + 1 == odds.atLeast.size();
        // "1 in 1.0" says nothing a player needs; "certain" does (Select All).
        // An estimate of 1 only says that every simulated draw had one.
        const bool allButCertain = (row.probability < 1.0 || !row.exact) &&
                                   OneInNumber(row.probability) == QStringLiteral("1.0");
        if (!last && allButCertain) continue;
        QString what = row.matches == odds.largestForm
                           ? QStringLiteral("all %1").arg(row.matches)
                           : QStringLiteral("%1 or more").arg(row.matches);
        if (parts.isEmpty()) what += QStringLiteral(" on some form");
        parts << what + QStringLiteral(": ") + ChanceText(row);
    }
    QString how = QStringLiteral("exact");
    if (!odds.exact) {
        how = QStringLiteral("estimated from %1 simulated draws").arg(Grouped(odds.draws));
        if (exactFrom > 0)
            how = (exactFrom == odds.largestForm
                       ? QStringLiteral("all %1 exact").arg(exactFrom)
                       : QStringLiteral("%1 or more exact").arg(exactFrom)) +
                  QStringLiteral(", the rest ") + how;
    }
    return QStringLiteral("Odds against one draw of %1 from 1 to %2 (%3): ")
               .arg(picks)
               .arg(high)
               .arg(how) +
           parts.join(QStringLiteral("; ")) +
           QStringLiteral(". The forms cover %1 of the %2 numbers.").arg(odds.covered).arg(high);
}

} // namespace odds
