#include "Detrend.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "Errors.h"

namespace nps {

namespace {

// The orthogonal polynomial values for coordinate t of an axis of m samples.
inline double P1(long long t, long long m) { return static_cast<double>(2 * t - (m - 1)); }
inline double P2(long long t, long long m)
{
    const double p1 = P1(t, m);
    return 3.0 * p1 * p1 - static_cast<double>(m * m - 1);
}

// sum over t of p_i(t)^2, for i = 0, 1, 2 (0 where the axis is too short for that degree).
std::array<double, 3> Norms(long long m)
{
    std::array<double, 3> norm{static_cast<double>(m), 0.0, 0.0};
    for (long long t = 0; t < m; ++t) {
        norm[1] += P1(t, m) * P1(t, m);
        norm[2] += P2(t, m) * P2(t, m);
    }
    return norm;
}

int Degree(DetrendKind kind)
{
    switch (kind) {
    case DetrendKind::None: return -1;
    case DetrendKind::Mean: return 0;
    case DetrendKind::Plane: return 1;
    case DetrendKind::Poly2: return 2;
    }
    return -1;
}

// The two row kernels carry most of the detrending's time. Each keeps kLanes interleaved partial
// sums, combined pairwise at the end: a fixed order (the same bits every time) that does not wait
// on one long chain of additions. An AVX2 build of each is picked at run time where the processor
// has it; nothing is fused, so both builds give the same bits.
#define NPS_ROW_KERNEL __attribute__((target_clones("avx2", "default"), noinline))
constexpr std::size_t kLanes = 8;


void PrefetchRow(const double* row, long long width)
{
    for (long long t = 0; t < width; t += 8)
        __builtin_prefetch(row + t, 0, 3);
}

// Four doubles as one value: lanes 0-3 and 4-7 of the partial sums are two of these.
typedef double Quad __attribute__((vector_size(32)));

[[gnu::always_inline]] inline Quad Load(const double* p)
{
    Quad q;
    std::memcpy(&q, p, sizeof q);
    return q;
}

[[gnu::always_inline]] inline double Combine(Quad low, Quad high)
{
    return ((low[0] + low[1]) + (low[2] + low[3])) + ((high[0] + high[1]) + (high[2] + high[3]));
}

// Sums of f, f p1, f p2 along a row; lane l takes the elements t with t mod 8 = l.
NPS_ROW_KERNEL std::array<double, 3> RowSums(const double* f, const double* p1, const double* p2, std::size_t width,
                                             int degree)
{
    Quad s0[2] = {}, s1[2] = {}, s2[2] = {};
    std::size_t t = 0;
    for (; t + kLanes <= width; t += kLanes)
        for (int h = 0; h < 2; ++h) {
            const Quad v = Load(f + t + 4 * h);
            s0[h] += v;
            s1[h] += v * Load(p1 + t + 4 * h);
            s2[h] += v * Load(p2 + t + 4 * h);
        }
    for (std::size_t l = 0; t < width; ++t, ++l) {
        s0[l / 4][l % 4] += f[t];
        s1[l / 4][l % 4] += f[t] * p1[t];
        s2[l / 4][l % 4] += f[t] * p2[t];
    }
    return {Combine(s0[0], s0[1]), degree >= 1 ? Combine(s1[0], s1[1]) : 0.0,
            degree >= 2 ? Combine(s2[0], s2[1]) : 0.0};
}

struct RowTotals {
    double values, residuals, squares;
};

// dst[t] = f[t] - (a + b p1[t] + c p2[t]) with the sums of f, of the residuals and of their
// squares, in the lanes of RowSums; dst and f are separate arrays.
NPS_ROW_KERNEL RowTotals RowResidual(const double* f, double* dst, const double* p1, const double* p2, std::size_t n,
                                     double a, double b, double c)
{
    Quad values[2] = {}, residuals[2] = {}, squares[2] = {};
    std::size_t t = 0;
    for (; t + kLanes <= n; t += kLanes)
        for (int h = 0; h < 2; ++h) {
            const Quad v = Load(f + t + 4 * h);
            const Quad d = v - (a + b * Load(p1 + t + 4 * h) + c * Load(p2 + t + 4 * h));
            values[h] += v;
            residuals[h] += d;
            squares[h] += d * d;
            std::memcpy(dst + t + 4 * h, &d, sizeof d);
        }
    for (std::size_t l = 0; t < n; ++t, ++l) {
        const double v = f[t];
        const double d = v - (a + b * p1[t] + c * p2[t]);
        values[l / 4][l % 4] += v;
        residuals[l / 4][l % 4] += d;
        squares[l / 4][l % 4] += d * d;
        dst[t] = d;
    }
    return {Combine(values[0], values[1]), Combine(residuals[0], residuals[1]), Combine(squares[0], squares[1])};
}

} // namespace

DetrendKind ParseDetrend(std::string_view text)
{
    if (text == "none") return DetrendKind::None;
    if (text == "mean") return DetrendKind::Mean;
    if (text == "plane") return DetrendKind::Plane;
    if (text == "poly2") return DetrendKind::Poly2;
    throw common::InputError(
        common::TrText("nps", "The detrending must be none, mean, plane or poly2, not '%1'.").Arg(text));
}

const char* DetrendName(DetrendKind kind)
{
    switch (kind) {
    case DetrendKind::None: return "none";
    case DetrendKind::Mean: return "mean";
    case DetrendKind::Plane: return "plane";
    case DetrendKind::Poly2: return "poly2";
    }
    return "none";
}

DetrendScope ParseDetrendScope(std::string_view text)
{
    if (text == "roi") return DetrendScope::PerRoi;
    if (text == "area") return DetrendScope::WholeArea;
    throw common::InputError(common::TrText("nps", "The detrending scope must be roi or area, not '%1'.").Arg(text));
}

const char* DetrendScopeName(DetrendScope scope) { return scope == DetrendScope::PerRoi ? "roi" : "area"; }

Surface FitSurface(const PixelView& image, long long x, long long y, long long width, long long height,
                   DetrendKind kind, Pool* pool)
{
    if (x < 0 || y < 0 || width < 1 || height < 1 || x + width > image.width || y + height > image.height ||
        image.values.size() < static_cast<std::size_t>(image.width * image.height))
        throw std::invalid_argument("FitSurface: rectangle outside the image");
    Surface s{kind, x, y, width, height, {}};
    const int degree = Degree(kind);
    if (degree < 0)
        return s;
    std::vector<double> p1(static_cast<std::size_t>(width)), p2(static_cast<std::size_t>(width));
    for (long long t = 0; t < width; ++t) {
        p1[static_cast<std::size_t>(t)] = P1(t, width);
        p2[static_cast<std::size_t>(t)] = P2(t, width);
    }
    // Per row: sums of f, f p1(x), f p2(x); then the projections on p_j(y), row after row.
    const auto rowSumsOf = [&](long long r) {
        const double* row = image.values.data() + (y + r) * image.width + x;
        if (r + kPrefetchRows < height)
            PrefetchRow(row + kPrefetchRows * image.width, width);
        return RowSums(row, p1.data(), p2.data(), static_cast<std::size_t>(width), degree);
    };
    std::vector<std::array<double, 3>> rows;
    if (pool && pool->Size() > 1) {
        rows.resize(static_cast<std::size_t>(height));
        ParallelFor(*pool, static_cast<int>(height), [&](int r) { rows[static_cast<std::size_t>(r)] = rowSumsOf(r); });
    }
    std::array<std::array<double, 3>, 3> sum{};
    for (long long r = 0; r < height; ++r) {
        const std::array<double, 3> rowSums = rows.empty() ? rowSumsOf(r) : rows[static_cast<std::size_t>(r)];
        const double q[3] = {1.0, P1(r, height), P2(r, height)};
        for (int i = 0; i <= degree; ++i)
            for (int j = 0; i + j <= degree; ++j)
                sum[i][j] += rowSums[i] * q[j];
    }
    const std::array<double, 3> nx = Norms(width), ny = Norms(height);
    for (int i = 0; i <= degree; ++i)
        for (int j = 0; i + j <= degree; ++j)
            // An axis of one or two samples carries no quadratic (or linear) term: its norm is 0.
            s.c[i][j] = nx[i] * ny[j] > 0.0 ? sum[i][j] / (nx[i] * ny[j]) : 0.0;
    return s;
}

BlockSums SubtractSurface(const PixelView& image, long long x, long long y, int size, const Surface& s,
                          std::span<double> out, std::size_t rowStride)
{
    const std::size_t n = static_cast<std::size_t>(size);
    if (x < 0 || y < 0 || size < 1 || x + size > image.width || y + size > image.height || rowStride < n ||
        out.size() < (n - 1) * rowStride + n)
        throw std::invalid_argument("SubtractSurface: block outside the image or output too small");
    // The fit along a row is a(row) + b(row) p1(x) + c p2(x).
    std::vector<double> p1x(n), p2x(n);
    for (std::size_t t = 0; t < n; ++t) {
        const long long u = x + static_cast<long long>(t) - s.x;
        p1x[t] = P1(u, s.width);
        p2x[t] = P2(u, s.width);
    }
    BlockSums sums;
    for (std::size_t r = 0; r < n; ++r) {
        const double* row = image.values.data() + (y + static_cast<long long>(r)) * image.width + x;
        double* dst = out.data() + r * rowStride;
        if (static_cast<long long>(r) + kPrefetchRows < size)
            PrefetchRow(row + kPrefetchRows * image.width, size);
        const long long v = y + static_cast<long long>(r) - s.y;
        const double q1 = P1(v, s.height), q2 = P2(v, s.height);
        // Coefficients above the kind's degree are 0, so one expression serves every kind.
        const double a = s.c[0][0] + s.c[0][1] * q1 + s.c[0][2] * q2;
        const double b = s.c[1][0] + s.c[1][1] * q1;
        const double c = s.c[2][0];
        const RowTotals totals = RowResidual(row, dst, p1x.data(), p2x.data(), n, a, b, c);
        sums.values += totals.values;
        sums.residuals += totals.residuals;
        sums.residualSquares += totals.squares;
    }
    return sums;
}

} // namespace nps
