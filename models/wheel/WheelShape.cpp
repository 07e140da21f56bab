#include "models/wheel/WheelShape.h"

#include "models/wheel/Subsets.h"

#include <algorithm>

namespace wheel {

namespace {

// The counts a search changes when one form trades one number for another: the m-subsets
// through that number, and for m < t the draws of t around each of them. Above this a search
// would crawl.
constexpr std::uint64_t MaxMoveWork = 200'000;

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b)
{
    return (a + b - 1) / b;
}

std::uint64_t Schonheim(int v, int k, int t)
{
    std::uint64_t bound = 1;
    for (int i = t - 1; i >= 0; --i)
        bound =
            CeilDiv(static_cast<std::uint64_t>(v - i) * bound, static_cast<std::uint64_t>(k - i));
    return bound;
}

QString Plural(std::uint64_t n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

std::uint64_t DrawsMetByOneForm(const Shape& s)
{
    std::uint64_t met = 0;
    for (int j = s.match; j <= s.drawn && j <= s.formSize; ++j)
        met += Binomial(s.formSize, j) * Binomial(s.numbers - s.formSize, s.drawn - j);
    return met;
}

LowerBound LowerBounds(const Shape& s)
{
    LowerBound bound;
    const std::uint64_t met = DrawsMetByOneForm(s);
    bound.count = met == 0 ? 0 : CeilDiv(Binomial(s.numbers, s.drawn), met);
    bound.value = std::max<std::uint64_t>(1, bound.count);
    if (s.match == s.drawn && s.drawn <= s.formSize) {
        bound.schonheim = Schonheim(s.numbers, s.formSize, s.drawn);
        if (bound.schonheim >= bound.value) {
            bound.value = bound.schonheim;
            bound.kind = BoundKind::Schonheim;
        }
    }
    return bound;
}

std::optional<QString> ShapeProblem(const Shape& s)
{
    const int v = s.numbers;
    if (v < 2 || v > MaxNumbers)
        return QStringLiteral("a wheel takes 2 to %1 numbers, not %2").arg(MaxNumbers).arg(v);
    if (s.formSize < 1 || s.formSize >= v)
        return QStringLiteral("the form size must be from 1 to %1, fewer than the %2 numbers")
            .arg(v - 1)
            .arg(v);
    if (s.match < 1 || s.match > s.drawn)
        return QStringLiteral("the guarantee M/T needs 1 <= M <= T, not %1/%2")
            .arg(s.match)
            .arg(s.drawn);
    if (s.drawn > v)
        return QStringLiteral("%1 of your %2 numbers cannot be drawn").arg(s.drawn).arg(v);
    if (s.match > s.formSize)
        return QStringLiteral("a form of %1 cannot hold %2")
            .arg(Plural(static_cast<std::uint64_t>(s.formSize), "number", "numbers"))
            .arg(s.match);
    const std::uint64_t draws = Binomial(v, s.drawn);
    const std::uint64_t parts = Binomial(v, s.match);
    if (draws > MaxSubsets || parts > MaxSubsets)
        return QStringLiteral("too many draws to check: C(%1, %2) = %3, at most %4")
            .arg(v)
            .arg(draws > MaxSubsets ? s.drawn : s.match)
            .arg(std::max(draws, parts))
            .arg(MaxSubsets);
    const std::uint64_t work = Binomial(s.formSize - 1, s.match - 1) *
                               (s.match < s.drawn ? Binomial(v - s.match, s.drawn - s.match) : 1);
    if (work > MaxMoveWork)
        return QStringLiteral("a wheel of %1 numbers on forms of %2 for %3 if %4 is too large "
                              "to search")
            .arg(v)
            .arg(s.formSize)
            .arg(s.match)
            .arg(s.drawn);
    const LowerBound bound = LowerBounds(s);
    if (bound.value > MaxForms)
        return QStringLiteral("this promise needs at least %1 forms, more than %2")
            .arg(bound.value)
            .arg(MaxForms);
    return std::nullopt;
}

QString BoundName(BoundKind kind)
{
    return kind == BoundKind::Schonheim ? QStringLiteral("the Schönheim bound")
                                        : QStringLiteral("the count bound");
}

QString PromiseText(const Shape& s)
{
    const QString drawn =
        s.drawn == 1 ? QStringLiteral("whenever 1 of your %1 numbers is drawn").arg(s.numbers)
                     : QStringLiteral("whenever %1 of your %2 numbers are drawn")
                           .arg(s.drawn)
                           .arg(s.numbers);
    QString holds;
    if (s.match < s.drawn)
        holds = QStringLiteral("at least %1").arg(s.match);
    else if (s.drawn == 1)
        holds = QStringLiteral("it");
    else if (s.drawn == 2)
        holds = QStringLiteral("both");
    else
        holds = QStringLiteral("all %1").arg(s.drawn);
    return drawn + QStringLiteral(", some form holds ") + holds;
}

} // namespace wheel
