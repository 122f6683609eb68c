#pragma once
// Statistics and histogram of the raw-data table (and of any other value list the analysis
// windows count into the same bins).
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "ThreadPool.h"

namespace spectrum {

struct TableStatistics {
    double mean = 0;
    double sd = 0;  // divided by the count, not by count - 1
    double max = 0;
    double min = 0;
};

// `values` holds width * height values row by row. An empty table fails as 0 / 0 does.
TableStatistics ComputeTableStatistics(std::span<const double> values, int width, int height);

inline constexpr int kHistogramCounts = 100;
inline constexpr int kMaxHistogramBins = kHistogramCounts - 3;  // the chart reads counts 0 .. B + 2

// Refuses a bin count the count table cannot serve, with a message that names the allowed range.
void CheckBinCount(long long bins);

// Bin of v: the smallest k >= 0 with (max - min) * k / bins >= v - min, so bin 0 holds the values
// equal to min and bin k the values in (min + (k - 1) w, min + k w]. A value that no bin below
// the last one takes is counted in the last one. Parts of the values are counted side by side on
// the pool's threads; the counts are whole numbers, so their sums do not depend on the split.
std::array<double, kHistogramCounts> HistogramCounts(std::span<const double> values, double min, double max,
                                                     int bins, common::ThreadPool& pool = common::OneThread());

struct StatisticsWithHistogram {
    TableStatistics statistics;
    std::array<double, kHistogramCounts> counts{};
};

// ComputeTableStatistics(values, width, height) and then HistogramCounts(values, min, max, bins)
// over its extremes, bit for bit, with the histogram counted in the pass that sums the squared
// deviations: that sum is a chain of dependent additions, which then runs under the counting
// instead of in a pass of its own. Refuses as ComputeTableStatistics does, and as CheckBinCount
// does before any counting.
StatisticsWithHistogram ComputeTableStatisticsAndHistogram(std::span<const double> values, int width, int height,
                                                           int bins, common::ThreadPool& pool = common::OneThread());

// The sum of (v - mean) * (v - mean) over values in order, carried across the calls it is given to.
struct SquaredDeviations {
    double mean = 0;
    double sum = 0;
    void Add(std::span<const double> values);
};

// Counts values into the bins of HistogramCounts, part by part, in whole-number tallies. Values
// next to each other often share a bin; four tallies taken in turn keep those increments apart.
class BinCounter {
public:
    BinCounter(double min, double max, int bins);
    // With `squares`, the same values also go into its sum, in order, within the same loop.
    void Add(std::span<const double> values, SquaredDeviations* squares = nullptr);
    // Adds the tallies to `counts`.
    void AddTo(std::array<double, kHistogramCounts>& counts) const;

private:
    int Bin(double value) const;
    void AddAvx2(std::span<const double> values, SquaredDeviations* squares);
    double min_;
    double perUnit_;
    std::array<double, kHistogramCounts> edge_;
    std::array<std::array<std::uint64_t, kHistogramCounts>, 4> tally_{};
};

struct ChartPoint {
    double x = 0;
    double y = 0;
    bool operator==(const ChartPoint&) const = default;
};

// bins + 3 points: x = min + (max - min) * i / bins truncated toward zero, y = count i.
std::vector<ChartPoint> HistogramPoints(const std::array<double, kHistogramCounts>& counts, double min, double max,
                                        int bins);

} // namespace spectrum
