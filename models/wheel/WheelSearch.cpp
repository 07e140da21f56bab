#include "models/wheel/WheelSearch.h"

#include "models/wheel/Constructions.h"
#include "models/wheel/Coverage.h"
#include "models/wheel/FormIndex.h"
#include "models/wheel/Random.h"
#include "models/wheel/Verify.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <limits>

namespace wheel {

namespace {

using Clock = std::chrono::steady_clock;

// The annealing schedule: the temperature falls by Cooling every cooling period and starts
// again from the top once it is below EndTemperature, from wherever the forms then are.
constexpr double StartTemperature = 0.3;
constexpr double EndTemperature = 0.02;
constexpr double Cooling = 0.99;
// How long a number taken out of a form may not come back into it: a few steps, more or less at
// random, so that the search cannot walk in circles.
constexpr std::uint64_t TabuTenure = 3;
// The stop request and the clock are looked at every this many steps within a round too.
constexpr std::uint64_t CheckEvery = 64;

class Search {
public:
    Search(const Shape& shape, const WheelOptions& options)
        : m_shape(shape), m_options(options), m_bound(LowerBounds(shape)), m_coverage(shape),
          m_random(options.seed), m_start(Clock::now())
    {
    }

    WheelResult run();

private:
    bool anneal();
    bool greedy();
    void startFromShortenedSteiner();
    void startFromGroups();
    std::vector<Mask> groupCoverings(int groups, int firstSize);
    void startFrom(std::vector<Mask> forms);
    void addGreedyForm();
    void startAttempt();
    bool round();
    void step();
    void annealStep(Mask draw);
    void tabuStep(Mask draw);
    void moveForm(std::size_t which, int out, int in);
    void formMoved(std::size_t which, int out, int in);
    void succeeded();
    bool outOfTime() const
    {
        return stopRequested() || elapsed() >= m_options.seconds ||
               (m_options.maxSteps > 0 && m_steps >= m_options.maxSteps);
    }
    bool finished() const { return !m_best.empty() && m_best.size() <= m_bound.value; }
    bool stopRequested() const { return m_options.stop.stop_requested(); }
    double elapsed() const { return std::chrono::duration<double>(Clock::now() - m_start).count(); }
    void report()
    {
        if (m_options.progress)
            m_options.progress(
                {static_cast<int>(m_best.size()), m_coverage.missed(), elapsed(), m_steps});
    }

    Shape m_shape;
    const WheelOptions& m_options;
    LowerBound m_bound;
    Coverage m_coverage;
    FormIndex m_index; // the numbers of m_forms, to find the forms closest to a draw
    Random m_random;
    Clock::time_point m_start;
    std::vector<Mask> m_forms; // the forms being tried
    std::vector<Mask> m_best;  // the smallest wheel found, every draw met
    std::vector<std::size_t> m_closest;
    double m_temperature = StartTemperature;
    std::uint64_t m_steps = 0;
    std::uint64_t m_roundSteps = 0;
    std::uint64_t m_coolingPeriod = 0;
    std::uint64_t m_roundsSinceBest = 0;
    bool m_tabuPhase = false;
    // By form and number: the step until which the number may not come back into the form.
    std::vector<std::uint64_t> m_tabuUntil;
};

WheelResult Search::run()
{
    WheelResult result;
    result.shape = m_shape;
    result.bound = m_bound;
    result.seed = m_options.seed;
    // A Steiner system the program can build is as small as any wheel can be: no search beats it.
    if (const std::optional<std::vector<Mask>> steiner = SteinerSystem(m_shape))
        if (Verify(*steiner, m_shape).kept()) m_best = *steiner;
    if (m_best.empty()) result.stopped = !anneal();
    result.forms = m_best;
    std::sort(result.forms.begin(), result.forms.end(), LexLess);
    const Verification check = Verify(result.forms, m_shape);
    result.verified = !result.forms.empty() && check.kept();
    result.missed = check.missed;
    result.steps = m_steps;
    result.seconds = elapsed();
    return result;
}

// The greedy start, then rounds of annealing until the wheel is as small as the bound, the time
// or the steps run out, or a stop is asked for; false when stopped.
bool Search::anneal()
{
    if (!greedy()) return false;
    startFromShortenedSteiner();
    startFromGroups();
    startFrom(GroupUnions(m_shape));
    m_best = m_forms;
    // A step costs a look at every form and the counts of the m-subsets it changes; a round is
    // a few milliseconds of them, a cooling period a pass over every move.
    const std::uint64_t work =
        m_best.size() +
        2 * Binomial(m_shape.formSize - 1, m_shape.match - 1) *
            Binomial(m_shape.numbers - m_shape.match, m_shape.drawn - m_shape.match);
    m_roundSteps = std::clamp<std::uint64_t>(2'000'000 / work, 64, 16384);
    m_coolingPeriod =
        std::max<std::uint64_t>(100, m_best.size() * static_cast<std::uint64_t>(m_shape.formSize));
    if (!finished()) startAttempt();
    report();
    while (!finished() && !outOfTime()) {
        const std::size_t before = m_best.size();
        const bool whole = round();
        report();
        m_roundsSinceBest = m_best.size() < before ? 0 : m_roundsSinceBest + 1;
        // Annealing finds a small wheel fast and then stalls; tabu search is slower per step
        // but surer near the end.
        if (m_roundsSinceBest >= m_options.stallRounds) m_tabuPhase = true;
        if (!whole) break;
    }
    return !stopRequested();
}

// Forms one after another until every draw is met: each starts from a missed draw (from m of its
// numbers when m < t, so that the form meets it) and takes the numbers that hold the most
// m-subsets no form holds yet.
bool Search::greedy()
{
    while (m_coverage.missed() > 0) {
        if (stopRequested()) return false;
        addGreedyForm();
    }
    return true;
}

void Search::addGreedyForm()
{
    Mask form = m_coverage.missedDraw(m_random.Below(m_coverage.missed()));
    while (std::popcount(form) > m_shape.match)
        form &= ~Bit(m_random.MemberOf(form));
    while (std::popcount(form) < m_shape.formSize) {
        int best = -1;
        int pick = 0;
        std::uint64_t ties = 0;
        for (int x = 0; x < m_shape.numbers; ++x) {
            if ((form & Bit(x)) != 0) continue;
            const int gain = m_coverage.newlyHeld(form, x);
            if (gain > best) {
                best = gain;
                pick = x;
                ties = 1;
            } else if (gain == best && m_random.Below(++ties) == 0) {
                pick = x;
            }
        }
        form |= Bit(pick);
    }
    m_coverage.add(form);
    m_forms.push_back(form);
}

// A Steiner system on a few more numbers, cut down to these, may start the search smaller than
// the greedy wheel does.
void Search::startFromShortenedSteiner()
{
    startFrom(ShortenedSteinerSystem(m_shape));
}

// For m < t, the numbers in g = (t-1)/(m-1) groups: a draw of t has m numbers in one group (were
// it m - 1 or fewer in each, it would have at most t - 1), so covering the m-subsets of each
// group with forms keeps the promise. The groups are of nearly equal size, or one of them is of
// a size that has a Steiner system, the smallest covering there is, and the others share the
// rest; each group's covering comes from a short search of its own.
void Search::startFromGroups()
{
    const int m = m_shape.match;
    if (m < 2 || m == m_shape.drawn) return;
    const int groups = std::min((m_shape.drawn - 1) / (m - 1), m_shape.numbers / m);
    if (groups < 2) return;
    startFrom(groupCoverings(groups, 0));
    const int even = (m_shape.numbers + groups - 1) / groups;
    for (int size = even + 1; size <= m_shape.numbers - (groups - 1) * m; ++size)
        if (SteinerSystem(Shape{size, m_shape.formSize, m, m}))
            startFrom(groupCoverings(groups, size));
}

// Coverings of the m-subsets of `groups` groups of numbers, one after another: the first of
// `firstSize` numbers when that is not 0, and the rest in groups of nearly equal size. Empty
// when a group's covering cannot be had.
std::vector<Mask> Search::groupCoverings(int groups, int firstSize)
{
    const int m = m_shape.match;
    std::vector<int> sizes;
    int rest = m_shape.numbers;
    if (firstSize > 0) {
        sizes.push_back(firstSize);
        rest -= firstSize;
        --groups;
    }
    for (const int size : NearlyEqualSizes(rest, groups))
        sizes.push_back(size);
    std::vector<Mask> forms;
    int first = 0;
    for (const int size : sizes) {
        const Shape part{size, m_shape.formSize, m, m};
        if (size <= m_shape.formSize) {
            // One form holds the whole group, filled up with the smallest other numbers.
            forms.push_back(FilledUp((Bit(size) - 1) << first, m_shape.formSize));
        } else if (ShapeProblem(part)) {
            return {};
        } else {
            WheelOptions options;
            options.seed = m_options.seed;
            options.maxSteps = 100'000;
            options.seconds = std::max(0.0, m_options.seconds - elapsed()); // what is left
            options.stop = m_options.stop;
            for (const Mask form : FindWheel(part, options).forms)
                forms.push_back(form << first);
        }
        first += size;
    }
    return forms;
}

// Takes `forms` for the start when they meet every draw and, less the forms that hold no
// m-subset alone, are fewer than the forms so far.
void Search::startFrom(std::vector<Mask> forms)
{
    if (forms.empty() || forms.size() >= m_forms.size()) return;
    Coverage trial(m_shape);
    for (const Mask form : forms)
        trial.add(form);
    if (trial.missed() != 0) return;
    for (std::size_t i = forms.size(); i-- > 0;)
        if (trial.heldOnlyBy(forms[i]) == 0) {
            trial.remove(forms[i]);
            forms.erase(forms.begin() + static_cast<std::ptrdiff_t>(i));
        }
    if (forms.size() >= m_forms.size()) return;
    for (const Mask form : m_forms)
        m_coverage.remove(form);
    m_forms = forms;
    for (const Mask form : m_forms)
        m_coverage.add(form);
}

// One form fewer than the best wheel: the one that alone holds the fewest m-subsets goes.
void Search::startAttempt()
{
    m_forms = m_best;
    int fewest = -1;
    std::size_t drop = 0;
    std::uint64_t ties = 0;
    for (std::size_t i = 0; i < m_forms.size(); ++i) {
        const int only = m_coverage.heldOnlyBy(m_forms[i]);
        if (fewest < 0 || only < fewest) {
            fewest = only;
            drop = i;
            ties = 1;
        } else if (only == fewest && m_random.Below(++ties) == 0) {
            drop = i;
        }
    }
    m_coverage.remove(m_forms[drop]);
    m_forms.erase(m_forms.begin() + static_cast<std::ptrdiff_t>(drop));
    m_index.rebuild(m_forms, m_shape.numbers);
    m_temperature = StartTemperature;
    m_tabuUntil.assign(m_forms.size() * static_cast<std::size_t>(m_shape.numbers), 0);
}

// A round of steps; false when it ended early, for a stop request, the clock or the step cap.
bool Search::round()
{
    // A form dropped may have met no draw on its own: then the wheel is already whole.
    for (std::uint64_t i = 0; i < m_roundSteps && !finished();) {
        if (m_coverage.missed() == 0) {
            succeeded();
            continue;
        }
        step();
        ++i;
        if (i % CheckEvery == 0 && outOfTime()) return false;
    }
    return true;
}

// Picks a missed draw and the forms closest to meeting it: one of their numbers outside the draw
// is to give way to one of the draw's numbers outside the form.
void Search::step()
{
    const Mask draw = m_coverage.missedDraw(m_random.Below(m_coverage.missed()));
    m_index.closest(draw, m_closest);
    if (m_tabuPhase)
        tabuStep(draw);
    else
        annealStep(draw);
    ++m_steps;
}

// Annealing: one such move at random; a move that misses d more draws is taken with chance
// exp(-d / temperature).
void Search::annealStep(Mask draw)
{
    const std::size_t which = m_closest[m_random.Below(m_closest.size())];
    const Mask form = m_forms[which];
    const int in = m_random.MemberOf(draw & ~form);
    const int out = m_random.MemberOf(form & ~draw);
    const double temperature = m_temperature;
    const bool moved = m_coverage.tryMove(form, out, in, [&](std::int64_t delta) {
        return delta <= 0 || m_random.Unit() < std::exp(-static_cast<double>(delta) / temperature);
    });
    if (moved) formMoved(which, out, in);
    if ((m_steps + 1) % m_coolingPeriod == 0) {
        m_temperature *= Cooling;
        if (m_temperature < EndTemperature) m_temperature = StartTemperature;
    }
}

// Tabu search: every such move is weighed and the one that leaves the fewest draws missed is
// made, even when it misses more, unless it brings back a number the form gave up a few steps
// ago.
void Search::tabuStep(Mask draw)
{
    const auto numbers = static_cast<std::size_t>(m_shape.numbers);
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    std::size_t which = 0;
    int bestOut = 0;
    int bestIn = 0;
    std::uint64_t ties = 0;
    for (const std::size_t i : m_closest) {
        const Mask form = m_forms[i];
        for (Mask ins = draw & ~form; ins != 0; ins &= ins - 1) {
            const int in = std::countr_zero(ins);
            if (m_tabuUntil[i * numbers + static_cast<std::size_t>(in)] > m_steps) continue;
            for (Mask outs = form & ~draw; outs != 0; outs &= outs - 1) {
                const int out = std::countr_zero(outs);
                std::int64_t delta = 0;
                m_coverage.tryMove(form, out, in, [&delta](std::int64_t d) {
                    delta = d;
                    return false;
                });
                if (delta < best) {
                    best = delta;
                    ties = 0;
                }
                if (delta == best && m_random.Below(++ties) == 0) {
                    which = i;
                    bestOut = out;
                    bestIn = in;
                }
            }
        }
    }
    if (ties == 0) return; // every move is tabu this time
    moveForm(which, bestOut, bestIn);
    m_tabuUntil[which * numbers + static_cast<std::size_t>(bestOut)] =
        m_steps + TabuTenure + m_random.Below(TabuTenure + 1);
}

void Search::moveForm(std::size_t which, int out, int in)
{
    const Mask form = m_forms[which];
    m_coverage.tryMove(form, out, in, [](std::int64_t) { return true; });
    formMoved(which, out, in);
}

// The counts have taken the move: the form and the index follow.
void Search::formMoved(std::size_t which, int out, int in)
{
    m_forms[which] = (m_forms[which] & ~Bit(out)) | Bit(in);
    m_index.move(which, out, in);
}

// Every draw is met: this is the best wheel so far (less any form that is there twice), and the
// search goes on with one form fewer.
void Search::succeeded()
{
    std::vector<Mask> unique;
    for (const Mask form : m_forms) {
        if (std::find(unique.begin(), unique.end(), form) == unique.end())
            unique.push_back(form);
        else
            m_coverage.remove(form);
    }
    m_best = unique;
    if (!finished()) startAttempt();
}

QString Plural(std::uint64_t n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

WheelResult FindWheel(const Shape& shape, const WheelOptions& options)
{
    Search search(shape, options);
    return search.run();
}

QString WheelReading(const WheelResult& result)
{
    if (result.forms.empty()) return QStringLiteral("stopped before a wheel was found");
    const std::uint64_t need = result.bound.value;
    QString text = Plural(result.forms.size(), "form", "forms") +
                   (need == 1 ? QStringLiteral("; at least 1 is needed")
                              : QStringLiteral("; at least %1 are needed").arg(need));
    if (result.smallestPossible()) text += QStringLiteral(", so none smaller exists");
    if (result.verified) return text + QStringLiteral("; verified: ") + PromiseText(result.shape);
    return text + QStringLiteral("; not kept: %1 of the %2 draws of %3 are missed")
                      .arg(result.missed)
                      .arg(Binomial(result.shape.numbers, result.shape.drawn))
                      .arg(result.shape.drawn);
}

std::vector<int> FormNumbers(Mask form, const std::vector<int>& numbers)
{
    std::vector<int> result;
    for (; form != 0; form &= form - 1)
        result.push_back(numbers[static_cast<std::size_t>(std::countr_zero(form))]);
    return result;
}

} // namespace wheel
