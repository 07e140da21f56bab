#pragma once
// Do the draws in memory look like a fair lottery? Pearson's chi-square test of the times each
// number was drawn, corrected for drawing without replacement.
#include <QString>

#include <vector>

namespace database {
class DrawDatabase;
}

namespace odds {

// Below this many expected draws of each number the chi-square approximation means nothing.
constexpr double MinimumExpectedCount = 5.0;
// A p-value below this is called not consistent with a fair draw.
constexpr double Significance = 0.01;

struct Fairness {
    enum class Status {
        Ok,          // the test has a verdict
        TooFewDraws, // fewer draws than the test needs: no verdict
        NoTest,      // a shape where every draw is the same set (picks = high): nothing to test
    };
    Status status = Status::NoTest;
    int draws = 0;           // records with a number in 1..N, as the bars count them
    int numbers = 0;         // N
    int picks = 0;           // K
    std::vector<int> counts; // times drawn, index 1..N (index 0 unused)
    double expected = 0;     // E: the numbers counted over N (D K / N for complete draws)
    double sd = 0;           // the spread of one number's count: sqrt(sum k/N (1 - k/N))
    double chiSquare = 0;    // (N - 1)/N * sum (O - E)^2 / sd^2
    int df = 0;              // N - 1
    double pValue = 1;
    int minimumDraws = 0; // draws of K needed for E >= 5
};

// The test over the numbers the Graphs window's bars count: every number in 1..highNumber() of
// every record, a record with fewer numbers than the picks included.
Fairness TestFairness(const database::DrawDatabase& db);

// "consistent with a fair draw, p = 0.43", "not consistent with a fair draw, p = 0.0021",
// or why there is no verdict.
QString FairnessVerdict(const Fairness& fairness);
// The line the Graphs window shows under the bars: the verdict, and with the band what its
// dashed line and shading mean.
QString FairnessCaption(const Fairness& fairness, bool withBand);
// A p-value in two significant digits, "< 0.0001" below that.
QString PValueText(double p);

} // namespace odds
