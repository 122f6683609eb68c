#include "TableStatistics.h"

#include <cmath>

#include "Errors.h"
#include "Rounding.h"

namespace spectrum {

TableStatistics ComputeTableStatistics(std::span<const double> values, int width, int height)
{
    TableStatistics s;
    double sum = 0;
    for (double v : values)
        sum += v;
    s.mean = common::CheckedDivide(common::CheckedDivide(sum, static_cast<double>(width)), static_cast<double>(height));
    double squares = 0;
    for (double v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.sd = std::sqrt(squares / width / height);
    s.max = s.min = values.front();
    for (double v : values) {
        if (v > s.max)
            s.max = v;
        if (v < s.min)
            s.min = v;
    }
    return s;
}

void CheckBinCount(long long bins)
{
    if (bins < 1 || bins > kMaxHistogramBins)
        throw common::InputError("The number of histogram bins must lie between 1 and " +
                                 std::to_string(kMaxHistogramBins) + ".");
}

std::array<double, kHistogramCounts> HistogramCounts(std::span<const double> values, double min, double max,
                                                     int bins)
{
    CheckBinCount(bins);
    std::array<double, kHistogramCounts> counts{};
    const double range = max - min;
    const int last = kHistogramCounts - 1;
    auto fits = [&](int k, double v) { return range * k / bins >= v - min; };
    for (double v : values) {
        // Start from the arithmetic guess and settle on the smallest k that passes the test itself.
        const double guess = range > 0 ? std::ceil((v - min) * bins / range) : 0.0;
        int k = guess <= 0 ? 0 : guess >= last ? last : static_cast<int>(guess);
        while (k > 0 && fits(k - 1, v))
            --k;
        while (k < last && !fits(k, v))
            ++k;
        counts[k] += 1;
    }
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
