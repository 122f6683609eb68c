#include "FilteredHistogram.h"

#include <array>
#include <span>
#include <vector>

namespace filter {

std::vector<spectrum::ChartPoint> FilteredHistogram(const spectrum::SquareMatrix& image, int n, double max,
                                                    double min, int bins, common::ThreadPool& pool)
{
    spectrum::CheckBinCount(bins);
    std::array<double, spectrum::kHistogramCounts> counts{};
    if (max == min) {
        counts[0] = static_cast<double>(n) * n;
    } else {
        // Column by column: each column of the matrix is contiguous. Each run of columns has its
        // own tallies, added up afterwards (whole numbers, so in any order).
        const int runs = pool.Size();
        std::vector<spectrum::BinCounter> counters(static_cast<std::size_t>(runs), spectrum::BinCounter(min, max, bins));
        common::ParallelFor(pool, runs, [&](int run) {
            spectrum::BinCounter& mine = counters[static_cast<std::size_t>(run)];
            for (int x = common::RunStart(n, runs, run); x < common::RunStart(n, runs, run + 1); ++x)
                mine.Add(std::span<const double>(image[x], static_cast<std::size_t>(n)));
        });
        for (const spectrum::BinCounter& counter : counters)
            counter.AddTo(counts);
    }
    return spectrum::HistogramPoints(counts, min, max, bins);
}

} // namespace filter
