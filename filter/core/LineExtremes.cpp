#include "LineExtremes.h"

#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace filter {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// What a scan of v[0 .. n - 1] in order keeps, starting from -inf (and +inf for the smallest),
// with `v > max ? v : max` (and `v < min ? v : min`): NaN never, and of equal values the first.
// Eight scans over every eighth element find the same values faster (no chain of dependent
// comparisons), because equal values are the same bits, except for the two zeros: a line whose
// extreme is a zero is scanned again in order. maxpd(v, m) is exactly `v > m ? v : m` (its
// second operand when either is NaN or the two are equal), and minpd(v, m) is `v < m ? v : m`.
template <bool WithSmallest>
Extremes LineExtremes(const double* v, int n)
{
    double hi[8], lo[8];
    for (int k = 0; k < 8; ++k) {
        hi[k] = -kInfinity;
        lo[k] = kInfinity;
    }
    int y = 0;
#if defined(__SSE2__)
    __m128d h[4], l[4];
    for (int k = 0; k < 4; ++k) {
        h[k] = _mm_set1_pd(-kInfinity);
        l[k] = _mm_set1_pd(kInfinity);
    }
    for (; y + 8 <= n; y += 8)
        for (int k = 0; k < 4; ++k) {
            const __m128d x = _mm_loadu_pd(v + y + 2 * k);
            h[k] = _mm_max_pd(x, h[k]);
            if constexpr (WithSmallest)
                l[k] = _mm_min_pd(x, l[k]);
        }
    for (int k = 0; k < 4; ++k) {
        _mm_storeu_pd(hi + 2 * k, h[k]);
        _mm_storeu_pd(lo + 2 * k, l[k]);
    }
#endif
    for (; y < n; ++y) {
        hi[0] = v[y] > hi[0] ? v[y] : hi[0];
        if constexpr (WithSmallest)
            lo[0] = v[y] < lo[0] ? v[y] : lo[0];
    }
    Extremes e{-kInfinity, kInfinity};
    for (int k = 0; k < 8; ++k) {
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
