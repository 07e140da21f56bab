#include "models/picks/PickEngine.h"

#include "models/stats/Frequency.h"
#include "text/Format.h"

#include <algorithm>
#include <chrono>

namespace picks {

namespace {

// splitmix64's finaliser: spreads every bit of the clock over the whole word.
std::uint64_t Mix64(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

std::mt19937_64 SeededFromDevice()
{
    std::random_device device;
    std::seed_seq seq{device(), device(), device(), device(),
                      device(), device(), device(), device()};
    return std::mt19937_64(seq);
}

std::uint64_t SystemClockNanoseconds()
{
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

QString Blanks(int n)
{
    return QString(std::max(0, n), QLatin1Char(' '));
}

// A line laid out by character columns, from 1 at the left edge.
class Line {
public:
    Line& at(int column, const QString& text)
    {
        const int target = column - 1;
        if (m_text.size() < target) m_text += Blanks(target - static_cast<int>(m_text.size()));
        m_text += text;
        return *this;
    }
    QString text() const { return m_text; }

private:
    QString m_text;
};

QString ThirdSourceText(Source source, bool timesDrawn)
{
    const QString measure = timesDrawn ? QStringLiteral("Times numbers were drawn ")
                                       : QStringLiteral("No. draws since last drawn ");
    switch (source) {
    case Source::Top:
        return QStringLiteral(" Picked from Top: ") + measure;
    case Source::Middle:
        return QStringLiteral(" Picked from Middle: ") + measure;
    case Source::Bottom:
        return QStringLiteral(" Picked from Bottom: ") + measure;
    case Source::FullRange:
        break;
    }
    return QStringLiteral(" Picked from numbers ");
}

stats::Third ThirdOf(Source source)
{
    switch (source) {
    case Source::Middle:
        return stats::Third::Middle;
    case Source::Bottom:
        return stats::Third::Bottom;
    default:
        return stats::Third::Top;
    }
}

} // namespace

bool IsThird(Source source)
{
    return source == Source::Top || source == Source::Middle || source == Source::Bottom;
}

// ---- PickGenerator ----

PickGenerator::PickGenerator() : m_engine(SeededFromDevice()), m_clock(SystemClockNanoseconds) {}

PickGenerator::PickGenerator(std::uint64_t seed, ClockSource clock)
    : m_engine(seed), m_clock(std::move(clock))
{
}

float PickGenerator::uniform()
{
    std::uint64_t bits = m_engine();
    // The engine's value is uniform whatever the clock says, and the engine moves on with every
    // draw; the clock only stirs in the moment of the draw.
    if (m_clock) bits ^= Mix64(m_clock());
    return static_cast<float>(bits >> 40) * 0x1p-24f;
}

int PickGenerator::position(int size)
{
    if (size < 1) return 1;
    const double u = static_cast<double>(uniform());
    const int p = static_cast<int>(static_cast<double>(size) * u) + 1;
    return std::min(p, size);
}

// ---- PickTable ----

PickTable::PickTable(int lastRow, int lastCol)
    : m_lastRow(std::max(0, lastRow)), m_lastCol(std::max(0, lastCol)),
      m_cells(static_cast<size_t>(m_lastRow + 1) * static_cast<size_t>(m_lastCol + 1), 0)
{
}

void PickTable::clear()
{
    std::fill(m_cells.begin(), m_cells.end(), 0);
}

// ---- Pool and picks ----

std::optional<PreparedPool> PreparePool(Source source, int lotteryHigh, int recordCount,
                                        const stats::Statistics& stats, int databaseHigh)
{
    PreparedPool out;
    const int high = std::clamp(lotteryHigh, 0, MaxNumber);
    if (!IsThird(source)) {
        out.sourceText = ThirdSourceText(Source::FullRange, true);
        for (int i = 1; i <= MaxNumber; ++i)
            out.pool.numbers[static_cast<size_t>(i)] = i;
        out.pool.size = high;
        out.poolText = QStringLiteral("  1 to ") + text::NumText(static_cast<long long>(high)) +
                       QStringLiteral("  ");
        return out;
    }

    out.sourceText = ThirdSourceText(source, stats.timesDrawn());
    if (recordCount <= 0) return std::nullopt;
    // The ranking is of the table as last computed; the shared statistics stay as they are.
    const auto ranked = stats::RankedFrequencies(stats, databaseHigh, stats::RankOrder::Ranked);
    const auto [first, last] = stats::ThirdBounds(high, ThirdOf(source));
    for (int p = std::max(first, 1); p <= std::min(last, MaxNumber); ++p) {
        const int number = ranked[static_cast<size_t>(p)].number;
        ++out.pool.size;
        out.pool.numbers[static_cast<size_t>(out.pool.size)] = number;
        out.poolText += text::NumText(static_cast<long long>(number)) + QLatin1Char(' ');
    }
    return out;
}

bool DrawPicks(const PickPool& pool, int forms, int picks, PickGenerator& generator,
               PickTable& table)
{
    forms = std::clamp(forms, 0, table.lastRow());
    picks = std::clamp(picks, 0, std::min(table.lastCol(), MaxPicks));
    const int poolSize = std::clamp(pool.size, 0, MaxNumber);
    int collisions = 0; // counted over the whole run, never reset
    for (int r = 1; r <= forms; ++r) {
        for (int c = 1; c <= picks;) {
            const int index = generator.position(poolSize);
            const int candidate = pool.numbers[static_cast<size_t>(index)];
            // Cell c itself is still empty, so an empty pool slot (0) counts as held too.
            bool held = false;
            for (int k = 1; k <= c && !held; ++k)
                held = table.at(r, k) == candidate;
            if (held) {
                if (++collisions >= CollisionLimit) return false;
                continue;
            }
            table.set(r, c, candidate);
            ++c;
        }
    }
    for (int r = 1; r <= forms; ++r)
        SortEntryForm(table, r, picks, false);
    return true;
}

void SortEntryForm(PickTable& table, int row, int picks, bool skipEmpty)
{
    for (int pass = 0; pass < picks; ++pass) {
        for (int c = 1; c <= picks - 1; ++c) {
            const int a = table.at(row, c);
            const int b = table.at(row, c + 1);
            if (skipEmpty && b == 0) continue;
            if (a >= b) {
                table.set(row, c, b);
                table.set(row, c + 1, a);
            }
        }
    }
}

// ---- Select All ----

SelectAllPlan PlanSelectAll(int high, int picks)
{
    SelectAllPlan plan;
    if (picks < 1) return plan;
    plan.quotient = static_cast<float>(high) / static_cast<float>(picks);
    plan.tooMany = plan.quotient > static_cast<float>(MaxSelectAllForms);
    plan.forms = static_cast<int>(text::RoundHalfEven(static_cast<double>(plan.quotient + 1.0f)));
    return plan;
}

QString TooManyFormsMessage(float quotient)
{
    return QStringLiteral("Too many numbers to fit in 20 rows. ") + QStringLiteral("\r\n") +
           QStringLiteral(" Would require ") +
           text::HashesOneDecimal(static_cast<double>(quotient)) + QStringLiteral(" entry forms.");
}

std::optional<std::vector<int>> ShuffleRange(int high, PickGenerator& generator)
{
    high = std::clamp(high, 0, MaxNumber);
    std::vector<int> shuffled(static_cast<size_t>(high), 0);
    std::array<bool, MaxNumber + 1> placed{};
    int collisions = 0; // consecutive misses only
    for (int i = 0; i < high;) {
        const int candidate = generator.position(high);
        if (placed[static_cast<size_t>(candidate)]) {
            if (++collisions >= CollisionLimit) return std::nullopt;
            continue;
        }
        placed[static_cast<size_t>(candidate)] = true;
        shuffled[static_cast<size_t>(i)] = candidate;
        collisions = 0;
        ++i;
    }
    return shuffled;
}

int DealShuffled(const std::vector<int>& shuffled, int forms, int picks, PickTable& table)
{
    forms = std::clamp(forms, 0, table.lastRow());
    picks = std::clamp(picks, 0, std::min(table.lastCol(), MaxPicks));
    const int count = static_cast<int>(shuffled.size());
    int n = 0;
    int lastUsed = 0;
    for (int r = 1; r <= forms; ++r) {
        for (int c = 1; c <= picks; ++c) {
            ++n;
            if (n > count) break;
            table.set(r, c, shuffled[static_cast<size_t>(n - 1)]);
            lastUsed = r;
        }
    }
    for (int r = 1; r <= forms; ++r)
        SortEntryForm(table, r, picks, true);
    return lastUsed;
}

// ---- Texts ----

QString PickText(int value, int width)
{
    return text::RightAlign(text::Hashes(value), width);
}

QStringList PrintoutLines(const PickTable& table, int forms, int picks, const QString& sourceText,
                          const QString& poolText)
{
    const QString underline(5 * std::max(0, picks), QLatin1Char('_'));
    QStringList lines;
    lines << QString() << QString() << Line().at(2, sourceText).text() << QString()
          << Line().at(2, poolText).text() << Line().at(3, QString(74, QLatin1Char('_'))).text()
          << QString();
    for (int r = 1; r <= forms; ++r) {
        Line numbers;
        for (int c = 1; c <= picks; ++c)
            numbers.at(5 * c, PickText(table.at(r, c), 3));
        lines << numbers.text() << Line().at(3, underline).text() << QString();
    }
    return lines;
}

// ---- PickSession ----

PickSession::PickSession(PickGenerator generator) : m_generator(std::move(generator)) {}

PickSession::Status PickSession::calculate(const stats::Statistics& stats, int recordCount,
                                           int databaseHigh)
{
    PickGrid = PickTable(10, 10);
    SourceText.clear();
    PoolText.clear();
    std::optional<PreparedPool> prepared =
        PreparePool(SourceOption, LotteryHigh, recordCount, stats, databaseHigh);
    if (!prepared) return Status::NoRecords;
    SourceText = prepared->sourceText;
    PoolText = prepared->poolText;
    const bool complete =
        DrawPicks(prepared->pool, EntryFormCount, PickCount, m_generator, PickGrid);
    return complete ? Status::Done : Status::NotEnoughData;
}

PickSession::SelectAllOutcome PickSession::selectAll()
{
    SelectAllOutcome out;
    SourceText = QStringLiteral(" 'Select All' ");
    PoolText.clear();
    SourceOption = Source::FullRange;
    PickGrid = PickTable(MaxSelectAllForms + 1, MaxPicks);

    const SelectAllPlan plan = PlanSelectAll(LotteryHigh, PickCount);
    out.quotient = plan.quotient;
    if (plan.tooMany) {
        out.status = Status::TooMany;
        return out;
    }
    EntryFormCount = plan.forms;
    const std::optional<std::vector<int>> shuffled = ShuffleRange(LotteryHigh, m_generator);
    if (!shuffled) {
        out.status = Status::NotEnoughData;
        return out;
    }
    out.lastForm = DealShuffled(*shuffled, EntryFormCount, PickCount, PickGrid);
    PoolText = QStringLiteral(" has randomly put the lottery numbers 1 to") +
               text::NumText(static_cast<long long>(LotteryHigh)) + QStringLiteral(" into") +
               text::NumText(static_cast<long long>(out.lastForm)) +
               QStringLiteral(" entry forms. ");
    EntryFormCount = out.lastForm;
    return out;
}

std::optional<QStringList> PickSession::printout() const
{
    if (PickGrid.at(1, 1) == 0) return std::nullopt;
    return PrintoutLines(PickGrid, EntryFormCount, PickCount, SourceText, PoolText);
}

// ---- Setup ----

BoxCheck CheckSetupBox(SetupBox box, long long value, int entryForms)
{
    BoxCheck check;
    long long high = MaxPicks;
    int putBack = MaxPicks;
    switch (box) {
    case SetupBox::Picks:
        check.message = QStringLiteral(" Must be from 1 to 10");
        break;
    case SetupBox::High:
        high = MaxNumber;
        putBack = MaxNumber;
        check.message = QStringLiteral(" Must be from 1 to 60");
        break;
    case SetupBox::Forms:
        putBack = entryForms;
        check.message = QStringLiteral(" Must be 1 to 10");
        break;
    }
    check.ok = value >= 1 && value <= high;
    check.value = check.ok ? static_cast<int>(value) : putBack;
    if (check.ok) check.message.clear();
    return check;
}

CalculateSetup ResolveCalculateSetup(long long boxPicks, long long boxHigh, long long boxForms,
                                     Source source, bool allowFewerPicks, int picksPerDraw,
                                     int databaseHigh, int entryForms)
{
    CalculateSetup s;
    if (IsThird(source)) {
        // A third is a third of the database's own numbers, drawn as the database draws them.
        if (!allowFewerPicks || boxPicks > picksPerDraw) {
            s.picksAboveDatabase = allowFewerPicks;
            boxPicks = picksPerDraw;
            s.showPicks = true;
        }
        boxHigh = databaseHigh;
        s.showHigh = true;
    }
    if (boxHigh > MaxNumber) {
        boxHigh = MaxNumber;
        s.showHigh = true;
    }
    if (boxPicks > MaxPicks) {
        boxPicks = MaxPicks;
        s.showPicks = true;
    }
    if (boxForms > MaxCalculateForms) {
        boxForms = entryForms;
        s.showForms = true;
    }
    s.picks = static_cast<int>(std::max(0LL, boxPicks));
    s.high = static_cast<int>(std::max(0LL, boxHigh));
    s.forms = static_cast<int>(std::max(0LL, boxForms));
    s.missing = s.picks == 0 || s.high == 0 || s.forms == 0;
    return s;
}

// ---- Shuffling display ----

std::vector<BallFrame> BallAnimation()
{
    auto rotated = [](const std::array<int, 6>& c) {
        // Every colour moves one ball to the right; the last wraps round to the first.
        return std::array<int, 6>{c[5], c[0], c[1], c[2], c[3], c[4]};
    };
    std::vector<BallFrame> frames;
    for (int cycle = 0; cycle < 6; ++cycle) {
        std::array<int, 6> colours = RestingColours;
        frames.push_back({colours, QStringLiteral("Shuffling"), 100});
        for (int step = 2; step <= 6; ++step) {
            colours = rotated(colours);
            frames.push_back(
                {colours, step == 4 ? QStringLiteral("Picking") : QString(), step == 6 ? 0 : 100});
        }
    }
    frames.push_back({frames.back().colours, QString(), 100});
    frames.push_back({RestingColours, QString(), 0});
    return frames;
}

std::uint32_t PaletteRgb(int index)
{
    static constexpr std::array<std::uint32_t, 16> palette{
        0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
        0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
    return palette[static_cast<size_t>(index) & 15U];
}

QString QuickHelpText()
{
    static const char* const paragraphs[] = {
        "On startup uses the settings you specify in Personalize Settings. If a database is "
        "loaded, uses its settings.",
        "Can be tailored to any lottery by changing the numbers in the first two yellow boxes by "
        "clicking on them.",
        "In the first box type in the number of picks allowed in this lottery then press the "
        "<Enter> key.",
        "In the second box type the highest number in the lottery selection then press the "
        "<Enter> key.",
        "In the third box type in how many entries you wish to play in this lottery then press "
        "the <Enter> key.",
        "With the 'Full range of numbers in lottery' option button checked, click on the "
        "'Calculate' button to display the computer generated random results.",
        "Two different sets of data can be used from the database.",
        "[/] Selects 'Database: Times numbers were drawn', which sorts by the number of times "
        "each number was drawn from high to low. Any numbers that have not been drawn yet, are "
        "counted as 0 = lowest number of times drawn.",
        "[ ] Selects 'Database: No. draws since last drawn ', which sorts from the latest record "
        "back to the last time each number was drawn, high to low. Any numbers that have not "
        "been drawn yet, are counted as not drawn yet = total number of draws in database.",
        "From a Database with data of winning sets, random picks can be made. Using 6/49 as an "
        "example:",
        "Using 'Database: Times numbers were drawn'",
        "Top Third of Numbers in Database option checked, Calculate will randomly pick 6 numbers "
        "from the top 16.",
        "Middle Third of Numbers in Database option checked, Calculate picks 6 numbers from the "
        "next 16.",
        "Bottom Third of Numbers in Database option checked, Calculate picks 6 numbers from the "
        "last 17.",
        "The 'Picked from numbers' box will show, from highest to lowest number of times drawn, "
        "the actual numbers from which the picks were made.",
        "Best with lots of Data.",
        "[/] 'Allow less than normal database picks' to override the normal database setting "
        "and change 'Number of picks to select in the lottery' if you want a smaller number of "
        "picks from the database to combine with lucky or favourite numbers.",
        "Powerball takes two stages. Example: US Powerball. Six Powerball numbers are drawn from "
        "two sets of numbers. 5 White balls are drawn from one set (1-49). 1 Red power ball is "
        "drawn from a second set (1-42).",
        "The 'Select All' button will pick each of the numbers in the lottery range and randomly "
        "put them in the number of entry forms necessary to hold them. This means that all "
        "winning numbers will be covered. Limit is 20 Rows. Scroll to see all rows.",
        "Click 'To Printer' for a printout of the sets. Click 'Clear All' to clear results. Click "
        "'Calculate' to compute all combinations except 'Select All'.",
    };
    const QString breaks = QStringLiteral("\r\n\r\n");
    QString out = Blanks(50) + QStringLiteral("How to use Pick-a-Winner") + breaks;
    for (const char* p : paragraphs)
        out += QLatin1String(p) + breaks;
    out += breaks + Blanks(70) + QStringLiteral("End");
    return out;
}

} // namespace picks
