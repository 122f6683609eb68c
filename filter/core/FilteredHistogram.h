#pragma once
// The histogram of the filtered image, binned and laid out like the raw-data histogram so that
// both curves share their x positions.
#include <vector>

#include "SquareMatrix.h"
#include "TableStatistics.h"
#include "ThreadPool.h"

namespace filter {

// The bins + 3 chart points of the leading n x n elements, by the raw-data histogram's bin rule
// (values beyond the last count are counted in the last one). With max = min no bin width
// exists: every value is counted in bin 0. A bin count outside 1 .. 97 is refused with a message.
// Runs of columns are counted on the pool's threads (the counts are whole numbers: their sums do
// not depend on the split).
std::vector<spectrum::ChartPoint> FilteredHistogram(const spectrum::SquareMatrix& image, int n, double max,
                                                    double min, int bins,
                                                    common::ThreadPool& pool = common::OneThread());

} // namespace filter
