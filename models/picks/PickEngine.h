#pragma once
// The pick engine of Pick-a-Winner: the pool of numbers to draw from, the random picks of every
// entry form, the Select All deal, the shuffling display's script and the printout's lines.
// Plain QtCore: the window turns the results into messages and cells.
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <vector>

namespace stats {
struct Statistics;
}

namespace picks {

// The highest number a lottery can have, and the draws a run may waste on numbers it already
// holds before it gives up.
constexpr int MaxNumber = 60;
constexpr int MaxPicks = 10;
constexpr int MaxCalculateForms = 10;
constexpr int MaxSelectAllForms = 20;
constexpr int CollisionLimit = 5000;

enum class Source { FullRange = 1, Top = 2, Middle = 3, Bottom = 4 };

bool IsThird(Source source);

// The uniform generator behind every draw. It is seeded once (from std::random_device, or with
// a fixed seed for reproducible runs) and the clock is mixed into each value it hands out. The
// engine advances on every draw, so two draws within one clock tick still differ: reseeding
// from the clock alone would repeat the same value until the clock moved on.
class PickGenerator final {
public:
    // Nanoseconds, or any value that changes over time.
    using ClockSource = std::function<std::uint64_t()>;

    // Seeded from std::random_device; the system clock is mixed in.
    PickGenerator();
    // A fixed seed; the clock is mixed in only when one is given, so the values repeat from
    // run to run.
    explicit PickGenerator(std::uint64_t seed, ClockSource clock = {});

    // One value in [0, 1), in single precision (24 random bits).
    float uniform();
    // A position 1..size with equal chances: the integer part of size × u, plus one.
    int position(int size);

private:
    std::mt19937_64 m_engine;
    ClockSource m_clock;
};

// Picks by entry form (row, from 1) and pick position (column, from 1); 0 is an empty cell.
// Rows and columns outside the table read 0 and ignore writes.
class PickTable final {
public:
    // Rows 0..lastRow, columns 0..lastCol.
    PickTable(int lastRow = 10, int lastCol = 11);

    // Inline: the pick loops and the back-test read cells millions of times.
    int at(int row, int col) const
    {
        if (row < 0 || col < 0 || row > m_lastRow || col > m_lastCol) return 0;
        return m_cells[index(row, col)];
    }
    void set(int row, int col, int value)
    {
        if (row < 0 || col < 0 || row > m_lastRow || col > m_lastCol) return;
        m_cells[index(row, col)] = value;
    }
    int lastRow() const { return m_lastRow; }
    int lastCol() const { return m_lastCol; }
    // Every cell 0, the size kept.
    void clear();

private:
    size_t index(int row, int col) const
    {
        return static_cast<size_t>(row) * static_cast<size_t>(m_lastCol + 1) +
               static_cast<size_t>(col);
    }
    int m_lastRow;
    int m_lastCol;
    std::vector<int> m_cells;
};

// The numbers that may be drawn: positions 1..size of `numbers`.
struct PickPool {
    std::array<int, MaxNumber + 1> numbers{};
    int size = 0;
};

struct PreparedPool {
    PickPool pool;
    QString sourceText; // for PickFrom
    QString poolText;   // for FromNums
};

// The pool of the full range 1..lotteryHigh, or of a third of the numbers ranked by the
// statistics' measure (ranked here, highest measure first, over 1..databaseHigh; the third's
// positions come from lotteryHigh). Nothing when a third is asked of an empty database.
std::optional<PreparedPool> PreparePool(Source source, int lotteryHigh, int recordCount,
                                        const stats::Statistics& stats, int databaseHigh);

// Draws `picks` distinct numbers for each entry form 1..forms into `table`. A draw that hits a
// number the form already holds is repeated; after CollisionLimit such draws in the whole run
// the drawing stops at once, leaving what was filled unsorted, and the result is false.
// Otherwise every form is sorted ascending and the result is true.
bool DrawPicks(const PickPool& pool, int forms, int picks, PickGenerator& generator,
               PickTable& table);

// Ascending order of one entry form's picks 1..picks by exchange passes. With skipEmpty a pair
// whose second cell is empty is left alone, so the empty cells of a part-filled form stay last.
void SortEntryForm(PickTable& table, int row, int picks, bool skipEmpty);

// Select All: how many entry forms the range needs.
struct SelectAllPlan {
    float quotient = 0;   // high / picks, single precision
    bool tooMany = false; // more than MaxSelectAllForms rows needed
    int forms = 0;        // the forms prepared: quotient + 1 to the nearest integer, half to even
};
SelectAllPlan PlanSelectAll(int high, int picks);
// "Too many numbers to fit in 20 rows. " CR LF " Would require 24.5 entry forms."
QString TooManyFormsMessage(float quotient);

// The numbers 1..high in random order; nothing after CollisionLimit draws in a row that all
// hit numbers already placed.
std::optional<std::vector<int>> ShuffleRange(int high, PickGenerator& generator);
// Deals the shuffled numbers over forms 1..forms, `picks` to a form, and sorts each form; the
// result is the last form that received a number.
int DealShuffled(const std::vector<int>& shuffled, int forms, int picks, PickTable& table);

// A pick as the grid and the printout show it: right-aligned, blank for an empty cell.
QString PickText(int value, int width);

// The printout: its lines, laid out by character columns.
QStringList PrintoutLines(const PickTable& table, int forms, int picks, const QString& sourceText,
                          const QString& poolText);

// The values of Pick-a-Winner between its commands, and the two commands without the display.
class PickSession final {
public:
    explicit PickSession(PickGenerator generator = PickGenerator());

    PickGenerator& generator() { return m_generator; }
    void setGenerator(PickGenerator generator) { m_generator = std::move(generator); }

    int PickCount = 6;
    int LotteryHigh = 49;
    int EntryFormCount = 1;
    Source SourceOption = Source::FullRange;
    PickTable PickGrid{10, 11};
    QString SourceText;
    QString PoolText;

    enum class Status { Done, NoRecords, NotEnoughData, TooMany };

    // Calculate with the values above: fresh PickGrid, pool, picks. On NotEnoughData the grid
    // holds the picks drawn so far, unsorted.
    Status calculate(const stats::Statistics& stats, int recordCount, int databaseHigh);

    struct SelectAllOutcome {
        Status status = Status::Done;
        float quotient = 0; // for the TooMany message
        int lastForm = 0;   // the last entry form used
    };
    // Select All over 1..LotteryHigh with PickCount picks a form; sets EntryFormCount to the
    // forms used.
    SelectAllOutcome selectAll();

    // Empties every pick, keeping the table's size: cleared results print nothing.
    void clearPicks() { PickGrid.clear(); }
    // A fresh table of rows 0..10, columns 0..10.
    void resetPicks() { PickGrid = PickTable(10, 10); }

    // Nothing when there are no picks (PickGrid(1, 1) empty).
    std::optional<QStringList> printout() const;

private:
    PickGenerator m_generator;
};

// The setup boxes' ranges and messages.
enum class SetupBox { Picks, High, Forms };
struct BoxCheck {
    bool ok = true;
    int value = 0;   // the value to keep: the box's own, or the one put back
    QString message; // title "Help" when not ok
};
BoxCheck CheckSetupBox(SetupBox box, long long value, int entryForms);

// The values Calculate works with, from the boxes.
struct CalculateSetup {
    int picks = 0;
    int high = 0;
    int forms = 0;
    bool showPicks = false; // the box must show `picks`
    bool showHigh = false;
    bool showForms = false;
    bool picksAboveDatabase = false; // "Number of picks greater than allowed for database."
    bool missing = false;            // "Cannot work with missing number "
};
CalculateSetup ResolveCalculateSetup(long long boxPicks, long long boxHigh, long long boxForms,
                                     Source source, bool allowFewerPicks, int picksPerDraw,
                                     int databaseHigh, int entryForms);

// The shuffling display, as a script of frames: each frame paints the balls in its palette
// colours, shows its status word when it has one, and then waits waitMs.
struct BallFrame {
    std::array<int, 6> colours{};
    QString status; // empty: keep the word shown
    int waitMs = 0;
};
// Palette indices of balls 0..5 at rest.
constexpr std::array<int, 6> RestingColours{12, 14, 11, 10, 15, 13};
std::vector<BallFrame> BallAnimation();
// The standard 16-colour text-mode palette as 0xRRGGBB.
std::uint32_t PaletteRgb(int index);

QString QuickHelpText();

} // namespace picks
