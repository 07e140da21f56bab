#pragma once
// Frequency statistics of the draw records: times drawn, or draws since last drawn, for every
// number, and the numbers ranked by that measure.
#include <array>
#include <utility>

#include <QString>

namespace database {
class DrawDatabase;
}

namespace stats {

struct FrequencyRow {
    int number = 0; // column 0: n if n occurs in a record, else 0 (in RankedNumbers: the number)
    int value = 0;  // column 1: the measure
};

// What the frequency table counts for every number.
enum class Measure { TimesDrawn, DrawsSince };
// How RankedNumbers lists the numbers: by their measure, highest first, or in number order.
enum class RankOrder { Ranked, NumberOrder };

struct Statistics {
    static constexpr int Rows = 61; // rows 0..60; row 0 unused
    // The measure FrequencyTable was last computed in; the windows show it and compute in it.
    Measure measure = Measure::TimesDrawn;
    std::array<FrequencyRow, Rows> FrequencyTable{};
    std::array<FrequencyRow, Rows> RankedNumbers{};

    bool timesDrawn() const { return measure == Measure::TimesDrawn; }
};

// Rebuilds FrequencyTable from the records in the given measure, and remembers the measure.
void RecomputeFrequencies(const database::DrawDatabase& db, Measure measure, Statistics& stats);
// Rebuilds RankedNumbers from FrequencyTable for numbers 1..highNumber, in the given order.
void RankNumbers(Statistics& stats, int highNumber, RankOrder order);
// The ranking RankNumbers would write, without changing the statistics.
std::array<FrequencyRow, Statistics::Rows> RankedFrequencies(const Statistics& stats,
                                                             int highNumber, RankOrder order);

enum class Third { Top, Middle, Bottom };
// First and last position in RankedNumbers of a third when the lottery's highest number is n.
// A range whose first position exceeds its last is empty.
std::pair<int, int> ThirdBounds(int n, Third third);

// The top-numbers line: its heading and its list of numbers; both empty when the top measure is
// not above 0.
struct TopNumbersLine {
    QString heading;
    QString numbers;
};
TopNumbersLine ComposeTopNumbers(const Statistics& stats, int picksPerDraw);

} // namespace stats
