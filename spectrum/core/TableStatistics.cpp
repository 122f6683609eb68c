#include "TableStatistics.h"

#include <cmath>

#include "Errors.h"
#include "Rounding.h"

namespace spectrum {

TableStatistics ComputeTableStatistics(std::span<const double> values, int width, int height)
{
    TableStatistics s;
    // The extremes ride along with the sum: the same comparisons in the same order, one pass
    // fewer over the values. (Without values the division below refuses before they matter.)
    double sum = 0;
    const double first = values.empty() ? 0.0 : values.front();
    double max = first, min = first;
    for (double v : values) {
        sum += v;
        if (v > max)
            max = v;
        if (v < min)
            min = v;
    }
    s.mean = common::CheckedDivide(common::CheckedDivide(sum, static_cast<double>(width)), static_cast<double>(height));
    double squares = 0;
    for (double v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.sd = std::sqrt(squares / width / height);
    s.max = max;
    s.min = min;
    return s;
}

void CheckBinCount(long long bins)
{
    if (bins < 1 || bins > kMaxHistogramBins)
        throw common::InputError("The number of histogram bins must lie between 1 and " +
                                 std::to_string(kMaxHistogramBins) + ".");
}

std::array<double, kHistogramCounts> HistogramCounts(std::span<const double> values, double min, double max,
                                                     int bins, common::ThreadPool& pool)
{
    CheckBinCount(bins);
    const double range = max - min;
    const int last = kHistogramCounts - 1;
    // The test's left side for every k, formed once: v fits bin k when edge[k] >= v - min.
    std::array<double, kHistogramCounts> edge;
    for (int k = 0; k <= last; ++k)
        edge[k] = range * k / bins;
    // Only for the starting guess: the test itself settles every bin.
    const double perUnit = range > 0 ? bins / range : 0.0;
    const int parts = pool.Size();
    std::vector<std::array<double, kHistogramCounts>> partCounts(static_cast<std::size_t>(parts));
    common::ParallelFor(pool, parts, [&](int part) {
        std::array<double, kHistogramCounts>& counts = partCounts[static_cast<std::size_t>(part)];
        counts.fill(0.0);
        const auto size = static_cast<int>(values.size());
        for (int i = common::RunStart(size, parts, part); i < common::RunStart(size, parts, part + 1); ++i) {
            const double d = values[static_cast<std::size_t>(i)] - min;
            // Start from the arithmetic guess, rounded up (usually the answer, so the loops below
            // rarely run), and settle on the smallest k that passes the test itself.
            const double guess = d * perUnit;
            int k = last;
            if (!(guess > 0))
                k = 0;
            else if (guess < last)
                k = static_cast<int>(guess) + (static_cast<int>(guess) < guess);
            while (k > 0 && edge[static_cast<std::size_t>(k - 1)] >= d)
                --k;
            while (k < last && !(edge[static_cast<std::size_t>(k)] >= d))
                ++k;
            counts[static_cast<std::size_t>(k)] += 1;
        }
    });
    std::array<double, kHistogramCounts> counts{};
    for (const auto& part : partCounts)
        for (int k = 0; k <= last; ++k)
            counts[static_cast<std::size_t>(k)] += part[static_cast<std::size_t>(k)];
    return counts;
}

std::vector<ChartPoint> HistogramPoints(const std::array<double, kHistogramCounts>& counts, double min, double max,
                                        int bins)
{
    CheckBinCount(bins);
    std::vector<ChartPoint> points;
    for (int i = 0; i <= bins + 2; ++i)
        points.push_back({static_cast<double>(common::Trunc(min + (max - min) * i / bins)), counts[i]});
    return points;
}

} // namespace spectrum
