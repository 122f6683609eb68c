#pragma once
// The histogram of the filtered image, binned and laid out like the raw-data histogram so that
// both curves share their x positions.
#include <array>
#include <cstdint>
#include <vector>

#include "SquareMatrix.h"

namespace filter {

inline constexpr int kHistogramSlots = 100;
inline constexpr int kMaxHistogramBins = kHistogramSlots - 3;  // the chart reads bins 0 .. B + 2

struct HistogramPoint {
    std::int64_t x;
    double count;
};

// The bin of value v: the smallest k >= 0 with (max - min) * k / bins >= v - min. Values at or
// below min, and every value when max = min, fall into bin 0; values beyond the last slot are
// counted in the last slot.
int HistogramBin(double v, double max, double min, int bins);

// Counts of the leading n x n elements and the bins + 3 chart points (x truncated toward zero).
// A bin count of 0 raises the division error; one outside 1 .. 97 is refused with a message.
std::vector<HistogramPoint> FilteredHistogram(const spectrum::SquareMatrix& image, int n, double max,
                                              double min, int bins);

} // namespace filter
