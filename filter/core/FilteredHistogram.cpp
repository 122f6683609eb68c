#include "FilteredHistogram.h"

#include <span>

namespace filter {

std::vector<spectrum::ChartPoint> FilteredHistogram(const spectrum::SquareMatrix& image, int n, double max,
                                                    double min, int bins)
{
    spectrum::CheckBinCount(bins);
    std::array<double, spectrum::kHistogramCounts> counts{};
    if (max == min) {
        counts[0] = static_cast<double>(n) * n;
    } else {
        // Column by column: each column of the matrix is contiguous.
        for (int x = 0; x < n; ++x) {
            const auto column = spectrum::HistogramCounts(std::span<const double>(image[x], static_cast<std::size_t>(n)),
                                                          min, max, bins);
            for (std::size_t k = 0; k < counts.size(); ++k)
                counts[k] += column[k];
        }
    }
    return spectrum::HistogramPoints(counts, min, max, bins);
}

} // namespace filter
