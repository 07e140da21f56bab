#pragma once
// Frequency statistics of the draw records: times drawn, or draws since last drawn, for every
// number, and the numbers ranked by that measure.
#include <array>
#include <utility>

#include <QString>

class DrawDatabase;

struct FrequencyRow {
    int Number = 0;  // column 0: n if n occurs in a record, else 0 (in RankedNumbers: the number)
    int Measure = 0; // column 1
};

struct Statistics {
    static constexpr int Rows = 61; // rows 0..60; row 0 unused
    // 1 selects times drawn; any other value draws since last drawn.
    float TimesDrawnMode = 1.0f;
    // 10 keeps number order; any other value ranks.
    int UnsortedSwitch = 0;
    std::array<FrequencyRow, Rows> FrequencyTable{};
    std::array<FrequencyRow, Rows> RankedNumbers{};

    bool timesDrawn() const { return TimesDrawnMode == 1.0f; }
};

// Rebuilds FrequencyTable from the records in the current mode.
void RecomputeFrequencies(const DrawDatabase& db, Statistics& stats);
// Rebuilds RankedNumbers from FrequencyTable for numbers 1..highNumber.
void RankNumbers(Statistics& stats, int highNumber);

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
