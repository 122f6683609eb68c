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
        // own counts, added up in order afterwards.
        const int runs = pool.Size();
        std::vector<std::array<double, spectrum::kHistogramCounts>> runCounts(static_cast<std::size_t>(runs));
        common::ParallelFor(pool, runs, [&](int run) {
            auto& mine = runCounts[static_cast<std::size_t>(run)];
            mine.fill(0.0);
            for (int x = common::RunStart(n, runs, run); x < common::RunStart(n, runs, run + 1); ++x) {
                const auto column = spectrum::HistogramCounts(
                    std::span<const double>(image[x], static_cast<std::size_t>(n)), min, max, bins);
                for (std::size_t k = 0; k < mine.size(); ++k)
                    mine[k] += column[k];
            }
        });
        for (const auto& mine : runCounts)
            for (std::size_t k = 0; k < counts.size(); ++k)
                counts[k] += mine[k];
    }
    return spectrum::HistogramPoints(counts, min, max, bins);
}

} // namespace filter
