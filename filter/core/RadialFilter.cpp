#include "RadialFilter.h"
#include "Cpu.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <vector>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "Errors.h"
#include "LineExtremes.h"
#include "NumberText.h"

namespace filter {

double IntPower(double base, long long exponent)
{
    unsigned long long e = exponent < 0 ? 0ULL - static_cast<unsigned long long>(exponent)
                                        : static_cast<unsigned long long>(exponent);
    double result = 1.0;
    double factor = base;
    while (e != 0) {
        if (e & 1ULL)
            result *= factor;
        e >>= 1;
        if (e != 0)
            factor *= factor;
    }
    if (exponent < 0)
        return common::CheckedDivide(1.0, result);
    return result;
}

void ResetGain(SquareMatrix& gain, int n)
{
    for (int x = 0; x < n; ++x)
        std::fill(gain[x], gain[x] + n, 1.0);
}

namespace {

// The amplitude depends only on (|x - h|, |y - h|): it is evaluated once per offset pair, for
// the columns h - d and h + d together, and multiplied into the elements that carry it, in the
// order gain * a, then * a * a * a when steepened. `amplitude(r2)` may throw: the columns of the
// offsets d before the first failing one keep their factors and the rest stay as they were, as
// when one loop over d stops part-way. So all amplitudes are found first (a row of dy per d,
// each row a task), then the columns before the first failure are multiplied.
//
// `halfRow(d, first, end, row)` fills row[dy] = amplitude(d * d + dy * dy) for dy in [first, end);
// it may evaluate several offsets at once but must give the bits amplitude gives.
//
// With `ones` the gain is taken to hold 1 everywhere, as ResetGain leaves it, without being read:
// every column is written, the columns a failure stops with 1. `columnMax[x]` receives the
// largest gain of column x (the first of them, scanning down the column), when nothing failed.
template <typename Amplitude, typename HalfRow>
void MultiplyRadial(SquareMatrix& gain, int n, bool steepen, Amplitude amplitude, HalfRow halfRow, bool ones,
                    std::vector<double>& columnMax, common::ThreadPool& pool)
{
    columnMax.assign(static_cast<std::size_t>(std::max(n, 0)), -std::numeric_limits<double>::infinity());
    const int h = n / 2;
    const int span = std::max(h, n - 1 - h) + 1;
    const auto spanSize = static_cast<std::size_t>(span);
    std::vector<double> table(spanSize * spanSize);
    std::vector<std::exception_ptr> failures(spanSize);
    const auto r2 = [](int d, int dy) { return static_cast<long long>(d) * d + static_cast<long long>(dy) * dy; };
    // The amplitude depends on d * d + dy * dy alone, so the half dy >= d is evaluated and
    // mirrored. Only when some amplitude fails is every row evaluated in full, to find the first
    // row that fails and its error.
    std::vector<char> halfFailed(spanSize, 0);
    common::ParallelFor(pool, span, [&](int d) {
        double* row = &table[static_cast<std::size_t>(d) * spanSize];
        try {
            halfRow(d, d, span, row);
        } catch (...) {
            halfFailed[static_cast<std::size_t>(d)] = 1;
        }
    });
    if (std::find(halfFailed.begin(), halfFailed.end(), 1) == halfFailed.end()) {
        // The mirror copy in tiles of eight rows, so that each table line read serves eight of them.
        constexpr int kTile = 8;
        common::ParallelFor(pool, (span + kTile - 1) / kTile, [&](int tile) {
            const int d0 = tile * kTile, d1 = std::min(span, d0 + kTile);
            for (int dy0 = 0; dy0 < d1; dy0 += kTile)
                for (int d = d0; d < d1; ++d) {
                    double* row = &table[static_cast<std::size_t>(d) * spanSize];
                    for (int dy = dy0; dy < std::min(d, dy0 + kTile); ++dy)
                        row[dy] = table[static_cast<std::size_t>(dy) * spanSize + static_cast<std::size_t>(d)];
                }
        });
    } else {
        common::ParallelFor(pool, span, [&](int d) {
            double* row = &table[static_cast<std::size_t>(d) * spanSize];
            try {
                for (int dy = 0; dy < span; ++dy)
                    row[dy] = amplitude(r2(d, dy));
            } catch (...) {
                failures[static_cast<std::size_t>(d)] = std::current_exception();
            }
        });
    }
    int usable = 0;
    while (usable < span && !failures[static_cast<std::size_t>(usable)])
        ++usable;
    common::ParallelFor(pool, span, [&](int d) {
        const double* row = &table[static_cast<std::size_t>(d) * spanSize];
        for (int side = 0; side < (d == 0 ? 1 : 2); ++side) {
            const int x = side == 0 ? h - d : h + d;
            if (x < 0 || x >= n)
                continue;
            double* column = gain[x];
            if (d >= usable) {
                if (ones)
                    std::fill(column, column + n, 1.0);
                continue;
            }
            // Element y takes row[|y - h|]: a run down the row to the centre, then up it.
            const auto multiply = [&](int y, double a) {
                double v = (ones ? 1.0 : column[y]) * a;
                if (steepen && a < 0.7)
                    v = v * a * a * a;
                column[y] = v;
            };
            for (int y = 0; y < h; ++y)
                multiply(y, row[h - y]);
            for (int y = h; y < n; ++y)
                multiply(y, row[y - h]);
            columnMax[static_cast<std::size_t>(x)] = LargestOfLine(column, n);
        }
    });
    if (usable < span)
        std::rethrow_exception(failures[static_cast<std::size_t>(usable)]);
}

template <typename Amplitude>
auto OneByOne(Amplitude amplitude)
{
    return [amplitude](int d, int first, int end, double* row) {
        for (int dy = first; dy < end; ++dy)
            row[dy] = amplitude(static_cast<long long>(d) * d + static_cast<long long>(dy) * dy);
    };
}

float HighCutAmplitudeScalar(long long r2, int n, float cutOff, long long exponent)
{
    const float r = static_cast<float>(std::sqrt(static_cast<double>(r2)));
    const float t = static_cast<float>(static_cast<double>(r) / n / static_cast<double>(cutOff));
    const float g = static_cast<float>(1.0 / (IntPower(t, exponent) + 1.0));
    return std::sqrt(g);
}

#if defined(__SSE2__)
// HighCutRow's lanes eight offsets at a time in AVX-512 registers (only where the processor has
// AVX-512F). Returns the first offset it left.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"  // GCC 12 and the intrinsics' undefined start values
__attribute__((target("avx512f"))) int HighCutRowAvx512(int d, int first, int end, int n, float cutOff,
                                                         long long exponent, double* row)
{
    const __m512d nv = _mm512_set1_pd(static_cast<double>(n));
    const __m512d cv = _mm512_set1_pd(static_cast<double>(cutOff));
    const __m512d one = _mm512_set1_pd(1.0);
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i dd = _mm256_set1_epi32(d * d);
    int dy = first;
    for (; dy + 8 <= end; dy += 8) {
        const __m256i y = _mm256_add_epi32(_mm256_set1_epi32(dy), lanes);
        const __m256i r2 = _mm256_add_epi32(dd, _mm256_mullo_epi32(y, y));
        const __m256 r = _mm512_cvtpd_ps(_mm512_sqrt_pd(_mm512_cvtepi32_pd(r2)));
        const __m256 t = _mm512_cvtpd_ps(_mm512_div_pd(_mm512_div_pd(_mm512_cvtps_pd(r), nv), cv));
        __m512d result = one;
        __m512d factor = _mm512_cvtps_pd(t);
        for (auto e = static_cast<unsigned long long>(exponent); e != 0;) {
            if (e & 1ULL)
                result = _mm512_mul_pd(result, factor);
            e >>= 1;
            if (e != 0)
                factor = _mm512_mul_pd(factor, factor);
        }
        const __m256 g = _mm512_cvtpd_ps(_mm512_div_pd(one, _mm512_add_pd(result, one)));
        _mm512_storeu_pd(row + dy, _mm512_cvtps_pd(_mm256_sqrt_ps(g)));
    }
    return dy;
}
#pragma GCC diagnostic pop
#endif

// The high-cut amplitudes of a row two offsets at a time in SSE2 registers (part of every
// x86-64), eight at a time in AVX-512 registers where the processor has them: lane by lane the
// conversions, divisions, products and square roots of the scalar rule, so the same bits. Only
// for exponents of 0 or more, which cannot fail.
void HighCutRow(int d, int first, int end, int n, float cutOff, long long exponent, double* row)
{
    int dy = first;
#if defined(__SSE2__)
    if (common::CpuAllows(common::CpuLevel::Avx512))
        dy = HighCutRowAvx512(d, first, end, n, cutOff, exponent, row);
    const bool sse2 = common::CpuAllows(common::CpuLevel::Sse2);  // else the plain loop below does all
    const __m128d nv = _mm_set1_pd(static_cast<double>(n));
    const __m128d cv = _mm_set1_pd(static_cast<double>(cutOff));
    const __m128d one = _mm_set1_pd(1.0);
    for (; sse2 && dy + 2 <= end; dy += 2) {
        const __m128i r2 = _mm_set_epi32(0, 0, d * d + (dy + 1) * (dy + 1), d * d + dy * dy);
        const __m128 r = _mm_cvtpd_ps(_mm_sqrt_pd(_mm_cvtepi32_pd(r2)));
        const __m128 t = _mm_cvtpd_ps(_mm_div_pd(_mm_div_pd(_mm_cvtps_pd(r), nv), cv));
        // IntPower: the same squarings and products for every lane.
        __m128d result = one;
        __m128d factor = _mm_cvtps_pd(t);
        for (auto e = static_cast<unsigned long long>(exponent); e != 0;) {
            if (e & 1ULL)
                result = _mm_mul_pd(result, factor);
            e >>= 1;
            if (e != 0)
                factor = _mm_mul_pd(factor, factor);
        }
        const __m128 g = _mm_cvtpd_ps(_mm_div_pd(one, _mm_add_pd(result, one)));
        _mm_storeu_pd(row + dy, _mm_cvtps_pd(_mm_sqrt_ps(g)));
    }
#endif
    for (; dy < end; ++dy)
        row[dy] = HighCutAmplitudeScalar(static_cast<long long>(d) * d + static_cast<long long>(dy) * dy, n, cutOff,
                                         exponent);
}

} // namespace

bool LowCutFilter(SquareMatrix& gain, int n, double cutOff, std::int32_t power, bool steepen,
                  double& filterMax, common::ThreadPool& pool)
{
    GainStart start = GainStart::Held;
    return LowCutFilter(gain, n, cutOff, power, steepen, filterMax, pool, start);
}

bool LowCutFilter(SquareMatrix& gain, int n, double cutOff, std::int32_t power, bool steepen,
                  double& filterMax, common::ThreadPool& pool, GainStart& start)
{
    const bool ones = start == GainStart::Ones;
    start = GainStart::Held;  // from here on the gain is written, whatever happens
    if (!(cutOff > 0.0)) {
        if (ones)
            ResetGain(gain, n);
        return false;
    }
    const long long exponent = 2LL * power;
    const auto amplitude = [&](long long r2) {
        const double r = std::sqrt(static_cast<double>(r2));
        double d = (1.0 - r / n / cutOff) + 1.0;
        if (d < 0.0)
            d = 0.0;
        const double g = 1.0 / (IntPower(d, exponent) + 1.0);
        return std::sqrt(g);
    };
    std::vector<double> columnMax;
    MultiplyRadial(gain, n, steepen, amplitude, OneByOne(amplitude), ones, columnMax, pool);
    // The columns' largest values in column order: what one scan of the whole gain finds.
    double m = gain[0][0];
    for (double c : columnMax)
        if (c > m)
            m = c;
    filterMax = m;
    return true;
}

void HighCutFilter(SquareMatrix& gain, int n, float cutOff, std::int32_t power, bool steepen,
                   double& filterMax, common::ThreadPool& pool)
{
    GainStart start = GainStart::Held;
    HighCutFilter(gain, n, cutOff, power, steepen, filterMax, pool, start);
}

void HighCutFilter(SquareMatrix& gain, int n, float cutOff, std::int32_t power, bool steepen,
                   double& filterMax, common::ThreadPool& pool, GainStart& start)
{
    const bool ones = start == GainStart::Ones;
    start = GainStart::Held;
    if (cutOff == 0.0f) {
        if (ones)
            ResetGain(gain, n);
        common::ThrowDivideByZero();
    }
    const long long exponent = 2LL * power;
    const auto amplitude = [&](long long r2) {
        return static_cast<double>(HighCutAmplitudeScalar(r2, n, cutOff, exponent));
    };
    std::vector<double> columnMax;
    if (exponent >= 0)
        MultiplyRadial(gain, n, steepen, amplitude,
                       [&](int d, int first, int end, double* row) { HighCutRow(d, first, end, n, cutOff, exponent, row); },
                       ones, columnMax, pool);
    else
        MultiplyRadial(gain, n, steepen, amplitude, OneByOne(amplitude), ones, columnMax, pool);
    // A single-precision running value over the columns' largest values in column order ends
    // where the same running value over every element ends: at the largest value, rounded.
    float m = static_cast<float>(gain[0][0]);
    for (double c : columnMax)
        if (c > m)
            m = static_cast<float>(c);
    filterMax = m;
}

void CheckHighCutOff(double cutOff)
{
    if (!(static_cast<float>(cutOff) > 0.0f) || !std::isfinite(static_cast<float>(cutOff)))
        throw common::InputError(
            common::TrText("filter", "The high cut-off must be above 0 cycles per pixel; it is %1.")
                .Arg(common::FloatToStr(cutOff)));
}

double CutOffStep(int n, int stepItem)
{
    const int samples = stepItem <= 0 ? 1 : stepItem == 1 ? 3 : 9;
    // Before any hand-off N is 0: the step fails here, before any cut-off text is rewritten.
    return common::CheckedDivide(1.0, static_cast<double>(n)) * samples;
}

} // namespace filter
