#pragma once
// Reading a curve between its points: the MTF at the NPS's frequencies, the DQE at the report's.
// Points hold `frequency` in ascending order; values are linear between the two points around.
#include <algorithm>
#include <optional>
#include <vector>

namespace quality {

template <typename Point>
struct PointsAround {
    const Point* low;
    const Point* high;
    double fraction;  // of the way from low to high; 0 with low == high at a point itself

    double Value(double Point::*field) const
    {
        return low == high ? low->*field : low->*field + fraction * (high->*field - low->*field);
    }
};

// Nothing outside the curve.
template <typename Point>
std::optional<PointsAround<Point>> PointsAroundOf(const std::vector<Point>& curve, double frequency)
{
    if (curve.empty() || frequency < curve.front().frequency || frequency > curve.back().frequency)
        return std::nullopt;
    const auto upper = std::lower_bound(curve.begin(), curve.end(), frequency,
                                        [](const Point& p, double f) { return p.frequency < f; });
    if (upper->frequency == frequency || upper == curve.begin())
        return PointsAround<Point>{&*upper, &*upper, 0.0};
    const Point& a = *(upper - 1);
    const Point& b = *upper;
    return PointsAround<Point>{&a, &b, (frequency - a.frequency) / (b.frequency - a.frequency)};
}

} // namespace quality
