#include "FilterViews.h"
#include "Cpu.h"

#include <algorithm>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <immintrin.h>
#endif
#include <cmath>
#include <limits>
#include <vector>

#include "Canvas.h"
#include "Errors.h"
#include "NumberText.h"
#include "Rounding.h"

namespace filter {

double WidthFactor(int item)
{
    switch (item) {
    case 0: return 0.04;
    case 1: return 0.2;
    case 3: return 5.0;
    default: return 1.0;
    }
}

RenderWindow MakeRenderWindow(std::int32_t upper, std::int32_t lower, double factor)
{
    RenderWindow w;
    w.width = (static_cast<double>(upper) - lower + 1) * factor;
    w.level = (static_cast<double>(lower) + upper) / 2 * factor;
    w.label = common::FloatToStr(w.width) + "/" + common::FloatToStr(w.level);
    if (w.width <= 0.0)
        w.width = 16.0;
    w.scale = 256.0 / w.width;
    return w;
}

void CheckViewSource(const ViewSource& source)
{
    if (source.view == View::Power || source.view == View::Convolution) {
        // The scale divides by log10 of the maximum's square root: undefined at 1 (a zero
        // divisor) and at or below 0. A maximum between 0 and 1 gives a negative divisor, which
        // is a scale all the same.
        if (!(source.spectrumMax > 0.0) || source.spectrumMax == 1.0)
            throw common::InputError(common::TrText("filter", "The spectrum maximum (%1) is 1, 0 or below: the "
                                                              "Power and Convolution views have no scale")
                                         .Arg(common::FloatToStr(source.spectrumMax)));
    }
    if (source.view == View::Filter && source.filterMax == 0.0)
        common::ThrowDivideByZero();
}

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

inline double LogScaled(double element, double logSqrtMax)
{
    if (!(element > 0.0))
        return kNoValue;
    return std::log10(std::sqrt(element)) / logSqrtMax * 100;
}

} // namespace

double ViewValue(const ViewSource& source, double element)
{
    switch (source.view) {
    case View::Power:
    case View::Convolution:
        return LogScaled(element, std::log10(std::sqrt(source.spectrumMax)));
    case View::Filter:
        return element * element / source.filterMax / source.filterMax * 100;
    default:
        return element;
    }
}

std::uint8_t GreyOf(double value, const RenderWindow& window, bool log, bool invert)
{
    if (std::isnan(value))
        return 0;
    if (log) {
        if (value <= 0.0)
            value = 0.001;
        value = std::log10(value);
    }
    const double p = std::nearbyint((value - window.level) * window.scale + 127);
    int grey = p < 0.0 ? 0 : p > 254.0 ? 254 : static_cast<int>(p);
    if (invert)
        grey = 255 - grey;
    return static_cast<std::uint8_t>(grey);
}

namespace {

// Round half to even for |x| < 2^51: adding 1.5 * 2^52 leaves a sum whose unit is 1, so the
// addition itself rounds to the nearest integer, ties to even, in the default rounding mode.
inline double RoundHalfEven(double x)
{
    constexpr double kMagic = 6755399441055744.0;  // 1.5 * 2^52
    return (x + kMagic) - kMagic;
}

// The grey of a linear view value without the logarithm, equal to GreyOf: clamping to
// [-1, 255] first does not change the clamped result and keeps the rounding in range. Written
// without branches so that a column of values maps in vector registers.
inline std::uint8_t LinearGrey(double v, const RenderWindow& window, bool invert)
{
    const double x = (v - window.level) * window.scale + 127;
    const bool number = x == x;
    double c = x > -1.0 ? x : -1.0;  // NaN goes to -1 here and to 0 below
    c = c < 255.0 ? c : 255.0;
    int grey = static_cast<int>(RoundHalfEven(c));
    grey = grey < 0 ? 0 : grey;
    grey = grey > 254 ? 254 : grey;
    grey = invert ? 255 - grey : grey;
    return static_cast<std::uint8_t>(number ? grey : 0);
}

#if defined(__SSE2__)
// LinearColumn's operations in AVX-512 registers, sixteen values a step (only where the processor
// has AVX-512F), element by element the same. Returns how many values it mapped.
// (GCC 12 takes the compiler headers' undefined start values of these intrinsics for uninitialised
// ones.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
__attribute__((target("avx512f"))) int LinearColumnAvx512(const double* column, int n, std::uint8_t* out,
                                                           const RenderWindow& window, bool invert, bool square,
                                                           double fm)
{
    const __m512d level = _mm512_set1_pd(window.level), scale = _mm512_set1_pd(window.scale);
    const __m512d c127 = _mm512_set1_pd(127.0), low = _mm512_set1_pd(-1.0), high = _mm512_set1_pd(255.0);
    const __m512d magic = _mm512_set1_pd(6755399441055744.0), fmv = _mm512_set1_pd(fm);
    const __m512d hundred = _mm512_set1_pd(100.0);
    const __m512i zero = _mm512_setzero_si512(), top = _mm512_set1_epi32(254), full = _mm512_set1_epi32(255);
    int y = 0;
    for (; y + 16 <= n; y += 16) {
        __m256i grey[2];
        __mmask8 number[2];
        for (int half = 0; half < 2; ++half) {
            __m512d v = _mm512_loadu_pd(column + y + 8 * half);
            if (square)
                v = _mm512_mul_pd(_mm512_div_pd(_mm512_div_pd(_mm512_mul_pd(v, v), fmv), fmv), hundred);
            const __m512d x = _mm512_add_pd(_mm512_mul_pd(_mm512_sub_pd(v, level), scale), c127);
            number[half] = _mm512_cmp_pd_mask(x, x, _CMP_EQ_OQ);
            // maxpd returns its second operand when the first is NaN: NaN becomes -1.
            const __m512d c = _mm512_min_pd(_mm512_max_pd(x, low), high);
            grey[half] = _mm512_cvttpd_epi32(_mm512_sub_pd(_mm512_add_pd(c, magic), magic));
        }
        __m512i g = _mm512_inserti64x4(_mm512_castsi256_si512(grey[0]), grey[1], 1);
        g = _mm512_min_epi32(_mm512_max_epi32(g, zero), top);
        if (invert)
            g = _mm512_sub_epi32(full, g);
        const __mmask16 numbers = static_cast<__mmask16>(number[0] | (number[1] << 8));
        g = _mm512_maskz_mov_epi32(numbers, g);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + y), _mm512_cvtepi32_epi8(g));
    }
    return y;
}
#pragma GCC diagnostic pop
#endif

// A whole column of a linear view through LinearGrey, two values per SSE2 register (part of
// every x86-64): the same operations in the same order, so the same bytes. `square` applies the
// Filter view's rule e * e / fm / fm * 100 first.
void LinearColumn(const double* column, int n, std::uint8_t* out, const RenderWindow& window, bool invert,
                  bool square, double fm)
{
    int y = 0;
#if defined(__SSE2__)
    if (common::CpuAllows(common::CpuLevel::Avx512))
        y = LinearColumnAvx512(column, n, out, window, invert, square, fm);
    const bool sse2 = common::CpuAllows(common::CpuLevel::Sse2);  // else the plain loop below does all
    const __m128d level = _mm_set1_pd(window.level), scale = _mm_set1_pd(window.scale);
    const __m128d c127 = _mm_set1_pd(127.0), low = _mm_set1_pd(-1.0), high = _mm_set1_pd(255.0);
    const __m128d magic = _mm_set1_pd(6755399441055744.0), fmv = _mm_set1_pd(fm), hundred = _mm_set1_pd(100.0);
    const __m128i zero = _mm_setzero_si128(), top = _mm_set1_epi16(254), full = _mm_set1_epi16(255);
    for (; sse2 && y + 4 <= n; y += 4) {  // what the wider registers left, or all of it
        __m128i grey[2];
        __m128i number[2];
        for (int half = 0; half < 2; ++half) {
            __m128d v = _mm_loadu_pd(column + y + 2 * half);
            if (square)
                v = _mm_mul_pd(_mm_div_pd(_mm_div_pd(_mm_mul_pd(v, v), fmv), fmv), hundred);
            const __m128d x = _mm_add_pd(_mm_mul_pd(_mm_sub_pd(v, level), scale), c127);
            number[half] = _mm_castpd_si128(_mm_cmpeq_pd(x, x));
            // maxpd returns its second operand when the first is NaN: NaN becomes -1.
            const __m128d c = _mm_min_pd(_mm_max_pd(x, low), high);
            grey[half] = _mm_cvttpd_epi32(_mm_sub_pd(_mm_add_pd(c, magic), magic));
        }
        // Four 32-bit greys, then 16-bit lanes for the clamps of SSE2.
        __m128i g = _mm_packs_epi32(_mm_unpacklo_epi64(grey[0], grey[1]), zero);
        g = _mm_min_epi16(_mm_max_epi16(g, zero), top);
        if (invert)
            g = _mm_sub_epi16(full, g);
        // The NaN masks (64 bits per value) down to 16 bits per value.
        const __m128i m32 = _mm_unpacklo_epi64(_mm_shuffle_epi32(number[0], 0x88), _mm_shuffle_epi32(number[1], 0x88));
        const __m128i m16 = _mm_packs_epi32(m32, zero);
        g = _mm_and_si128(g, m16);
        const int packed = _mm_cvtsi128_si32(_mm_packus_epi16(g, zero));
        std::memcpy(out + y, &packed, 4);
    }
#endif
    for (; y < n; ++y) {
        const double e = column[y];
        out[y] = LinearGrey(square ? e * e / fm / fm * 100 : e, window, invert);
    }
}

// The logarithmic views map an element e > 0 through a chain of non-decreasing steps (square
// root, log10, scaling, rounding, clamping), so the grey of e is the number of grey steps whose
// smallest element lies at or below e. The 254 step elements are found once per rendering by a
// bisection over the ordered bit patterns of the positive doubles, with the view's own formula.
// Per element, a cheap estimate of the logarithm picks a starting grey and the step elements
// settle it exactly.
class LogThresholds {
public:
    LogThresholds(double logSqrtMax, const RenderWindow& window)
        : factor_(0.5 * 0.30102999566398120 / logSqrtMax * 100 * window.scale),
          offset_(127 - window.level * window.scale)
    {
        const auto grey = [&](std::uint64_t bits) {
            return GreyOf(LogScaled(std::bit_cast<double>(bits), logSqrtMax), window, false, false);
        };
        constexpr std::uint64_t kSmallest = 1, kInfinity = 0x7FF0000000000000ULL;
        table_[0] = -std::numeric_limits<double>::infinity();
        const int greyOfInfinity = grey(kInfinity);
        std::uint64_t lowest = kSmallest;  // the step elements do not decrease with g
        for (int g = 1; g <= 254; ++g) {
            std::uint64_t lo = lowest, hi = kInfinity;
            if (greyOfInfinity < g) {
                table_[g] = std::numeric_limits<double>::quiet_NaN();  // never reached
                continue;
            }
            // Where the formula, read backwards, puts the step: the bracket around it is found in
            // doubling steps from there, so the bisection below runs over a few bit patterns
            // instead of all positive doubles. It only shortens the search; every decision is
            // the formula's own.
            const double estimate =
                std::pow(10.0, 2 * ((g - 0.5 - 127) / window.scale + window.level) * logSqrtMax / 100);
            if (estimate > 0.0 && estimate < std::numeric_limits<double>::infinity()) {
                const std::uint64_t start = std::clamp(std::bit_cast<std::uint64_t>(estimate), lo, hi);
                if (grey(start) >= g) {
                    hi = start;
                    for (std::uint64_t step = 1; hi - lo > step; step *= 2) {
                        if (grey(hi - step) < g) {
                            lo = hi - step + 1;
                            break;
                        }
                        hi -= step;
                    }
                } else {
                    lo = start + 1;
                    for (std::uint64_t step = 1; hi - lo > step; step *= 2) {
                        if (grey(lo + step) >= g) {
                            hi = lo + step;
                            break;
                        }
                        lo += step + 1;
                    }
                }
            }
            while (lo < hi) {
                const std::uint64_t mid = lo + (hi - lo) / 2;
                if (grey(mid) >= g)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            table_[g] = std::bit_cast<double>(lo);
            lowest = lo;
        }
        table_[255] = std::numeric_limits<double>::quiet_NaN();
    }

    std::uint8_t Grey(double e) const
    {
        if (!(e > 0.0))
            return 0;  // no logarithm: the darkest grey
        // log2(e) from the exponent and a quadratic in the mantissa: good to a few thousandths.
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(e);
        const double t = std::bit_cast<double>((bits & 0x000FFFFFFFFFFFFFULL) | 0x3FF0000000000000ULL) - 1.0;
        const double log2e = static_cast<double>(static_cast<int>(bits >> 52) - 1023) + t * (1.3465552 - 0.3465552 * t);
        const double guess = log2e * factor_ + offset_;
        int g = guess < 0.0 ? 0 : guess > 254.0 ? 254 : static_cast<int>(guess + 0.5);
        // The step elements are non-decreasing (unreached ones are NaN and compare false).
        while (g < 254 && table_[g + 1] <= e)
            ++g;
        while (g > 0 && !(table_[g] <= e))
            --g;
        return static_cast<std::uint8_t>(g);
    }

private:
    double factor_;
    double offset_;
    double table_[256];
};

// `mapColumn(column, out)` maps the n values of one matrix column into n greys.
template <typename MapColumn>
void FillBitmap(const spectrum::SquareMatrix& m, int n, common::GreyBitmap& bitmap, common::ThreadPool& pool,
                MapColumn mapColumn)
{
    // Sixteen columns at a time: each matrix column is mapped along its contiguous y into a
    // small tile, which is then written across the bitmap rows. Each block is a task of its own.
    constexpr int kBlock = 16;
    common::ParallelFor(pool, (n + kBlock - 1) / kBlock, [&](int block) {
        std::uint8_t tile[kBlock][spectrum::kMatrixSide];
        const int x0 = block * kBlock;
        const int width = std::min(n - x0, kBlock);
        for (int i = 0; i < width; ++i)
            mapColumn(m[x0 + i], tile[i]);
        for (int y = 0; y < n; ++y) {
            std::uint8_t* row = bitmap.Row(y) + x0;
            for (int i = 0; i < width; ++i)
                row[i] = tile[i][y];
        }
    });
}

} // namespace

void RenderViewBitmap(const ViewSource& source, int n, const RenderWindow& window, bool log, bool invert,
                      common::GreyBitmap& bitmap, common::ThreadPool& pool)
{
    CheckViewSource(source);
    const bool inverted = invert && !IsSpectral(source.view);
    bitmap.Resize(n, n);
    const spectrum::SquareMatrix& m = *source.matrix;
    const bool logView = source.view == View::Power || source.view == View::Convolution;
    if (log || (logView && source.spectrumMax < 1.0)) {
        // The logarithm of the view value folds values at or below 0 onto -3, and a maximum
        // below 1 turns the scale around: neither is monotonic increasing, so every element takes
        // the direct route.
        FillBitmap(m, n, bitmap, pool, [&](const double* column, std::uint8_t* out) {
            for (int y = 0; y < n; ++y)
                out[y] = GreyOf(ViewValue(source, column[y]), window, log, inverted);
        });
    } else if (logView && source.spectrumMax > 1.0) {
        const LogThresholds thresholds(std::log10(std::sqrt(source.spectrumMax)), window);
        FillBitmap(m, n, bitmap, pool, [&](const double* column, std::uint8_t* out) {
            for (int y = 0; y < n; ++y)
                out[y] = thresholds.Grey(column[y]);
        });
    } else {
        const bool square = source.view == View::Filter;
        FillBitmap(m, n, bitmap, pool, [&](const double* column, std::uint8_t* out) {
            LinearColumn(column, n, out, window, inverted, square, source.filterMax);
        });
    }
}

void RenderViewStretched(const ViewSource& source, int n, const RenderWindow& window, bool log, bool invert,
                         int width, int height, common::GreyBitmap& out)
{
    CheckViewSource(source);
    const bool inverted = invert && !IsSpectral(source.view);
    out = common::GreyBitmap(width, height);
    if (n <= 0)
        return;  // nothing to stretch: the picture stays blank, as the stretch leaves it
    const spectrum::SquareMatrix& m = *source.matrix;
    std::vector<int> rows(static_cast<std::size_t>(height));
    for (int j = 0; j < height; ++j)
        rows[static_cast<std::size_t>(j)] = common::NearestSource(j, n, height);
    // The element rules of RenderViewBitmap's three routes, one element at a time.
    // The elements shown are scattered over the matrix, which is seldom still in the cache: each
    // is asked for some thirty elements ahead of its use.
    constexpr int kAhead = 32;
    const auto fill = [&](auto grey) {
        for (int i = 0; i < width; ++i) {
            const double* column = m[common::NearestSource(i, n, width)];
            for (int j = 0; j < height; ++j) {
                if (j + kAhead < height)
                    __builtin_prefetch(column + rows[static_cast<std::size_t>(j + kAhead)]);
                out.Row(j)[i] = grey(column[rows[static_cast<std::size_t>(j)]]);
            }
        }
    };
    const bool logView = source.view == View::Power || source.view == View::Convolution;
    if (log || (logView && source.spectrumMax < 1.0)) {
        fill([&](double e) { return GreyOf(ViewValue(source, e), window, log, inverted); });
    } else if (logView && source.spectrumMax > 1.0) {
        const LogThresholds thresholds(std::log10(std::sqrt(source.spectrumMax)), window);
        fill([&](double e) { return thresholds.Grey(e); });
    } else {
        const bool square = source.view == View::Filter;
        const double fm = source.filterMax;
        fill([&](double e) { return LinearGrey(square ? e * e / fm / fm * 100 : e, window, inverted); });
    }
}

void StoreWindow(WindowStore& store, View view, const LevelWindow& shown, bool linked)
{
    switch (view) {
    case View::Raw:
        store.raw = shown;
        if (linked)
            store.filtered = shown;
        break;
    case View::Filtered:
        store.filtered = shown;
        if (linked)
            store.raw = shown;
        break;
    default:
        store.spectralUpper = shown.upper;
        store.spectralLower = shown.lower;
        break;
    }
}

LevelWindow WindowToShow(const WindowStore& store, View view)
{
    if (view == View::Raw)
        return store.raw;
    if (view == View::Filtered)
        return store.filtered;
    return {store.spectralUpper, store.spectralLower, kSpectralTrackMax, kSpectralTrackMin};
}

std::int32_t TruncToInt32(double value)
{
    const std::int64_t t = common::Trunc(value);
    if (t < std::numeric_limits<std::int32_t>::min() || t > std::numeric_limits<std::int32_t>::max())
        common::ThrowInvalidFloatOp();
    return static_cast<std::int32_t>(t);
}

TrackRange RescaledTrackRange(std::int32_t upper, std::int32_t lower)
{
    const double d = (static_cast<double>(upper) - lower) * 0.4;
    return {TruncToInt32(upper + d), TruncToInt32(lower - d)};
}

} // namespace filter
