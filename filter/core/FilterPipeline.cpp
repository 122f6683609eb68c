#include "FilterPipeline.h"

#include <cmath>
#include <limits>
#include <vector>

#include "Errors.h"
#include "LineExtremes.h"

namespace filter {

using spectrum::Axis;
using spectrum::FftPrecision;


double FilterSpectrum(const SquareMatrix& spectrumRe, const SquareMatrix& spectrumIm,
                      const SquareMatrix& spectrumMap, const SquareMatrix& gain, int n,
                      SquareMatrix& filteredRe, SquareMatrix& filteredIm, SquareMatrix& filteredPower,
                      common::ThreadPool& pool)
{
    const int h = n / 2;
    // Each line keeps the first of its largest powers; taking the lines in order from
    // filteredPower[0][0] then gives the element a scan of the whole matrix keeps (a line's
    // value counts only where it is greater than everything before it, [0][0] included).
    std::vector<double> lineMax(static_cast<std::size_t>(n));
    common::ParallelFor(pool, n, [&](int x) {
        // Row y of the unshifted spectrum takes gain row (y + h) mod n: two runs without the
        // remainder.
        const double* g = gain[(x + h) % n];
        const double* sre = spectrumRe[x];
        const double* sim = spectrumIm[x];
        double* fre = filteredRe[x];
        double* fim = filteredIm[x];
        const int wrap = n - h;
        for (int y = 0; y < wrap; ++y) {
            const double a = g[y + h];
            fre[y] = sre[y] * a;
            fim[y] = sim[y] * a;
        }
        for (int y = wrap; y < n; ++y) {
            const double a = g[y - wrap];
            fre[y] = sre[y] * a;
            fim[y] = sim[y] * a;
        }
        const double* gx = gain[x];
        const double* map = spectrumMap[x];
        double* power = filteredPower[x];
        for (int y = 0; y < n; ++y)
            power[y] = gx[y] * gx[y] * map[y];
        lineMax[static_cast<std::size_t>(x)] = LargestOfLine(power, n);
    });
    double powerMax = filteredPower[0][0];
    for (double m : lineMax)
        if (m > powerMax)
            powerMax = m;
    return powerMax;
}

namespace {

// One value pair through the noise-floor subtraction; the roundings to binary32 are those of the
// single-precision transform around it.
inline void SubtractNoiseFloor(double& re, double& im, double floorPower)
{
    const float p = static_cast<float>(re * re + im * im);
    float t = static_cast<float>(static_cast<double>(p) - floorPower);
    if (t < 0.0f)
        t = 0.0f;
    float gain = 0.0f;
    if (p > 0.0f)
        gain = static_cast<float>(std::sqrt(static_cast<double>(t)) / std::sqrt(static_cast<double>(p)));
    re = re * gain;
    im = im * gain;
}

// The noise floor applied to every pair before a pass: the same values as applying it while
// each line is loaded into the work arrays, since every pair enters exactly one line per pass.
void SubtractNoiseFloorAll(SquareMatrix& re, SquareMatrix& im, int n, double floorPower, common::ThreadPool& pool)
{
    common::ParallelFor(pool, n, [&](int x) {
        double* r = re[x];
        double* i = im[x];
        for (int y = 0; y < n; ++y)
            SubtractNoiseFloor(r[y], i[y], floorPower);
    });
}

} // namespace

void FilterFft2D(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n,
                 std::optional<double> noiseFloorDivisor, common::ThreadPool& pool)
{
    spectrum::BuildFftTables(ws, n, FftPrecision::Single);
    const float p0 = static_cast<float>(re[0][0] * re[0][0] + im[0][0] * im[0][0]);
    double floorPower = 0.0;
    if (noiseFloorDivisor) {
        if (*noiseFloorDivisor == 0.0) {
            if (p0 == 0.0f)
                common::ThrowInvalidFloatOp();
            common::ThrowDivideByZero();
        }
        floorPower = static_cast<double>(p0) / *noiseFloorDivisor;
        SubtractNoiseFloorAll(re, im, n, floorPower, pool);
    }
    spectrum::TransformLines(ws, re, im, n, Axis::First, n, FftPrecision::Single, pool);
    if (noiseFloorDivisor)
        SubtractNoiseFloorAll(re, im, n, floorPower, pool);
    spectrum::TransformLines(ws, re, im, n, Axis::Second, n, FftPrecision::Single, pool);
}

Extremes PlaceFilteredImage(const SquareMatrix& re, int n, SquareMatrix& image, common::ThreadPool& pool)
{
    // Each placed line is scanned in its own order for its extremes; taking the lines in order
    // from the centre element then gives what one scan of the whole image gives (a line's value
    // counts only where it beats everything before it, the centre element included).
    // Dividing by n twice is multiplying by 1 / n^2 where n is a power of two and x / n is a
    // normal number, a zero, an infinity or NaN: both ways scale exactly or round once. A line
    // holding a value whose x / n would be subnormal takes the two divisions.
    const bool powerOfTwo = n > 0 && (n & (n - 1)) == 0;
    const double scale = 1.0 / n / n;
    const double tiny = std::numeric_limits<double>::min() * n;
    std::vector<Extremes> lines(static_cast<std::size_t>(n));
    common::ParallelFor(pool, n, [&](int x) {
        const double* source = re[x];
        const int placed = (n - x) % n;
        double* target = image[placed];
        bool divide = !powerOfTwo;
        if (!divide) {
            bool small = false;
            target[0] = source[0] * scale;
            small |= std::fabs(source[0]) < tiny && source[0] != 0.0;
            for (int y = 1; y < n; ++y) {
                target[n - y] = source[y] * scale;
                small |= std::fabs(source[y]) < tiny && source[y] != 0.0;
            }
            divide = small;
        }
        if (divide) {
            target[0] = source[0] / n / n;
            for (int y = 1; y < n; ++y)
                target[n - y] = source[y] / n / n;
        }
        lines[static_cast<std::size_t>(placed)] = ExtremesOfLine(target, n);
    });
    if (n <= 0)
        return {};
    const int h = n / 2;
    Extremes e{image[h][h], image[h][h]};
    for (const Extremes& line : lines) {
        if (line.max > e.max)
            e.max = line.max;
        if (line.min < e.min)
            e.min = line.min;
    }
    return e;
}

Extremes FindExtremes(const SquareMatrix& image, int n)
{
    const int h = n / 2;
    Extremes e{image[h][h], image[h][h]};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const double v = image[x][y];
            if (v > e.max)
                e.max = v;
            if (v < e.min)
                e.min = v;
        }
    return e;
}

} // namespace filter
