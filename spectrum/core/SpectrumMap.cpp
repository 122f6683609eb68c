#include "Errors.h"
#include "SpectrumMap.h"

#include <cmath>


namespace spectrum {

void BuildSpectrumMap(const SquareMatrix& re, const SquareMatrix& im, int n, double d, int kind, SquareMatrix& map,
                      common::ThreadPool& pool)
{
    if (kind < kPower || kind > kImag)
        return;
    const double area = n * d * n * d;
    const double d4 = d * d * d * d;
    const double dd = d * d;
    // The denominator is the same for every element: a zero (or an overflow) stops the map before
    // its first element, and the map keeps its older values.
    common::CheckedDivide(kind <= kAbs ? d4 : dd, area);
    if (!std::isfinite(area) || !std::isfinite(d4))
        common::ThrowInvalidFloatOp();
    const int h = n / 2;
    common::ParallelFor(pool, n, [&](int u) {
        const double* r = re[u];
        const double* i = im[u];
        double* out = map[(u + h) % n];
        for (int v = 0; v < n; ++v) {
            double value;
            switch (kind) {
            case kPower:
                value = (r[v] * r[v] + i[v] * i[v]) * d4 / area;
                break;
            case kAbs:
                value = std::sqrt((r[v] * r[v] + i[v] * i[v]) * d4 / area);
                break;
            case kReal:
                value = r[v] * dd / area;
                break;
            default:
                value = i[v] * dd / area;
                break;
            }
            out[(v + h) % n] = value;
        }
    });
}

void TakeLogarithm(SquareMatrix& map, int n, common::ThreadPool& pool)
{
    common::ParallelFor(pool, n, [&](int p) {
        double* line = map[p];
        for (int q = 0; q < n; ++q)
            line[q] = std::log10(line[q] > 0 ? line[q] : 0.0001);
    });
}

MapStatistics ComputeMapStatistics(const SquareMatrix& map, int n)
{
    MapStatistics s;
    s.max = s.min = map[1][1];
    const double centre = n / 2.0;  // compared as reals: for odd n nothing is skipped
    double sum = 0;
    // The extremes do not depend on the order of the visit; memory order keeps it fast.
    for (int p = 0; p < n; ++p)
        for (int q = 0; q < n; ++q) {
            const double v = map[p][q];
            sum += v;
            if (p == centre && q == centre)
                continue;
            if (v > s.max)
                s.max = v;
            if (v < s.min)
                s.min = v;
        }
    s.mean = sum / n / n;
    return s;
}

} // namespace spectrum
