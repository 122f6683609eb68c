#include "FilteredHistogram.h"

#include <cmath>
#include <string>

#include "Errors.h"
#include "Rounding.h"

namespace filter {

namespace {

bool Reaches(double max, double min, int k, int bins, double offset)
{
    return (max - min) * k / bins >= offset;
}

} // namespace

int HistogramBin(double v, double max, double min, int bins)
{
    const double offset = v - min;
    if (offset <= 0.0 || max == min)
        return 0;
    constexpr int last = kHistogramSlots - 1;
    // A first guess from the inverse of the rule, then corrected so that the rule itself, in its
    // own rounding, decides.
    const double guess = std::ceil(offset * bins / (max - min));
    int k = (guess >= 0.0 && guess <= last) ? static_cast<int>(guess) : (guess > last ? last : 0);
    while (k > 0 && Reaches(max, min, k - 1, bins, offset))
        --k;
    while (k < last && !Reaches(max, min, k, bins, offset))
        ++k;
    return k;
}

std::vector<HistogramPoint> FilteredHistogram(const spectrum::SquareMatrix& image, int n, double max,
                                              double min, int bins)
{
    if (bins == 0)
        common::ThrowDivideByZero();
    if (bins < 1 || bins > kMaxHistogramBins)
        throw common::InputError("The number of histogram bins must lie between 1 and " +
                                 std::to_string(kMaxHistogramBins) + " (" + std::to_string(bins) + ")");
    std::array<double, kHistogramSlots> counts{};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            counts[static_cast<std::size_t>(HistogramBin(image[x][y], max, min, bins))] += 1.0;
    std::vector<HistogramPoint> points;
    points.reserve(static_cast<std::size_t>(bins) + 3);
    for (int i = 0; i <= bins + 2; ++i)
        points.push_back({common::Trunc(min + (max - min) * i / bins), counts[static_cast<std::size_t>(i)]});
    return points;
}

} // namespace filter
