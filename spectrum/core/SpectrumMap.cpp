#include "Errors.h"
#include "SpectrumMap.h"

#include "NumberText.h"
#include "TextTable.h"

#include <cmath>
#include <string>
#include <vector>


namespace spectrum {

void BuildSpectrumMap(const SquareMatrix& re, const SquareMatrix& im, int n, double d, int kind, SquareMatrix& map,
                      common::ThreadPool& pool)
{
    if (kind < kPower || kind > kImag)
        return;
    const double area = n * d * n * d;
    const double d4 = d * d * d * d;
    // The denominator is the same for every element: a zero (or an overflow) stops the map before
    // its first element, and the map keeps its older values.
    common::CheckedDivide(kind <= kAbs ? d4 : d * d, area);
    if (!std::isfinite(area) || !std::isfinite(d4))
        common::ThrowInvalidFloatOp();
    const int h = n / 2;
    // Element v of a line goes to (v + h) mod n: two runs without the remainder, each a plain
    // loop of one kind's formula that the compiler can keep in vector registers.
    auto mapLine = [n, h](const double* r, const double* i, double* out, auto value) {
        const int wrap = n - h;
        for (int v = 0; v < wrap; ++v)
            out[v + h] = value(r[v], i[v]);
        for (int v = wrap; v < n; ++v)
            out[v - wrap] = value(r[v], i[v]);
    };
    common::ParallelFor(pool, n, [&](int u) {
        const double* r = re[u];
        const double* i = im[u];
        double* out = map[(u + h) % n];
        switch (kind) {
        case kPower:
            mapLine(r, i, out, [&](double a, double b) { return (a * a + b * b) * d4 / area; });
            break;
        case kAbs:
            mapLine(r, i, out, [&](double a, double b) { return std::sqrt((a * a + b * b) * d4 / area); });
            break;
        // Re . d . d / (N . d . N . d) in the order it is written: (a * d) * d rounds differently
        // from a * (d * d), by an ulp or two in the 15th digit of the exported values.
        case kReal:
            mapLine(r, i, out, [&](double a, double) { return a * d * d / area; });
            break;
        default:
            mapLine(r, i, out, [&](double, double b) { return b * d * d / area; });
            break;
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
    double sum = 0;
    // The extremes do not depend on the order of the visit; memory order keeps it fast. The loop
    // holds no test for the centre element: its line is visited in two runs around it.
    auto visit = [&](const double* line, int from, int to) {
        for (int q = from; q < to; ++q) {
            const double v = line[q];
            sum += v;
            s.max = v > s.max ? v : s.max;
            s.min = v < s.min ? v : s.min;
        }
    };
    const int c = n / 2;
    for (int p = 0; p < n; ++p) {
        const double* line = map[p];
        if (n % 2 == 0 && p == c) {  // for odd n the centre n / 2.0 is no element: nothing is skipped
            visit(line, 0, c);
            sum += line[c];
            visit(line, c + 1, n);
        } else {
            visit(line, 0, n);
        }
    }
    s.mean = sum / n / n;
    return s;
}

std::string SpectrumValuesText(const SquareMatrix& map, int n)
{
    std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(n));
    for (int q = 0; q < n; ++q)
        for (int p = 0; p < n; ++p)
            rows[static_cast<std::size_t>(q)].push_back(common::FloatToStr(map[p][q]));
    return common::TextTable(rows);
}

} // namespace spectrum
