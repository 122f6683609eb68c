#include "LineExtremes.h"

#include <limits>

namespace filter {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// What a scan of v[0 .. n - 1] in order keeps, starting from -inf (and +inf for the smallest),
// with `v > max ? v : max` (and `v < min ? v : min`): NaN never, and of equal values the first.
// Four scans over every fourth element find the same values faster (no chain of dependent
// comparisons), because equal values are the same bits, except for the two zeros: a line whose
// extreme is a zero is scanned again in order.
template <bool WithSmallest>
Extremes LineExtremes(const double* v, int n)
{
    double hi[4] = {-kInfinity, -kInfinity, -kInfinity, -kInfinity};
    double lo[4] = {kInfinity, kInfinity, kInfinity, kInfinity};
    int y = 0;
    for (; y + 4 <= n; y += 4)
        for (int k = 0; k < 4; ++k) {
            hi[k] = v[y + k] > hi[k] ? v[y + k] : hi[k];
            if constexpr (WithSmallest)
                lo[k] = v[y + k] < lo[k] ? v[y + k] : lo[k];
        }
    for (; y < n; ++y) {
        hi[0] = v[y] > hi[0] ? v[y] : hi[0];
        if constexpr (WithSmallest)
            lo[0] = v[y] < lo[0] ? v[y] : lo[0];
    }
    Extremes e{-kInfinity, kInfinity};
    for (int k = 0; k < 4; ++k) {
        e.max = hi[k] > e.max ? hi[k] : e.max;
        e.min = lo[k] < e.min ? lo[k] : e.min;
    }
    if (e.max == 0.0 || (WithSmallest && e.min == 0.0)) {
        e = {-kInfinity, kInfinity};
        for (y = 0; y < n; ++y) {
            e.max = v[y] > e.max ? v[y] : e.max;
            e.min = v[y] < e.min ? v[y] : e.min;
        }
    }
    return e;
}

} // namespace

Extremes ExtremesOfLine(const double* v, int n) { return LineExtremes<true>(v, n); }

double LargestOfLine(const double* v, int n) { return LineExtremes<false>(v, n).max; }

} // namespace filter
