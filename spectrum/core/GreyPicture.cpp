#include "GreyPicture.h"
#include "Cpu.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "Errors.h"
#include "SquareMatrix.h"

namespace spectrum {

namespace {

constexpr double kRounder = 6755399441055744.0;  // 1.5 * 2^52

inline std::uint8_t GreyOf(double v, double level, double scale)
{
    const double t = (v - level) * scale + 128;
    // Beyond the ends the clamp decides; inside, adding and removing 1.5 * 2^52 rounds half to
    // even under the default rounding mode, as nearbyint does.
    return !(t > 0) ? 0 : t >= 255 ? 255 : static_cast<std::uint8_t>((t + kRounder) - kRounder);
}

#if defined(__SSE2__)
// GreyRun's operations in AVX-512 registers, sixteen values a step (only where the processor has
// AVX-512F), element by element the same. Returns how many values it mapped.
// (GCC 12 takes the compiler headers' undefined start values of these intrinsics for uninitialised
// ones.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
__attribute__((target("avx512f"))) int GreyRunAvx512(const double* in, int count, double level, double scale,
                                                      std::uint8_t* out)
{
    const __m512d lv = _mm512_set1_pd(level), sc = _mm512_set1_pd(scale), mid = _mm512_set1_pd(128.0);
    const __m512d zero = _mm512_setzero_pd(), top = _mm512_set1_pd(255.0), rounder = _mm512_set1_pd(kRounder);
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        __m256i grey[2];
        for (int half = 0; half < 2; ++half) {
            const __m512d v = _mm512_loadu_pd(in + i + 8 * half);
            const __m512d t = _mm512_add_pd(_mm512_mul_pd(_mm512_sub_pd(v, lv), sc), mid);
            const __m512d c = _mm512_min_pd(_mm512_max_pd(t, zero), top);
            grey[half] = _mm512_cvttpd_epi32(_mm512_sub_pd(_mm512_add_pd(c, rounder), rounder));
        }
        const __m512i both = _mm512_inserti64x4(_mm512_castsi256_si512(grey[0]), grey[1], 1);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm512_cvtepi32_epi8(both));
    }
    return i;
}
#pragma GCC diagnostic pop
#endif

// `count` consecutive values through GreyOf, four at a time in SSE2 registers (part of every
// x86-64). The same operations give the same greys: t is formed alike; clamping to [0, 255]
// first (maxpd yields its second operand, 0, for NaN and for either zero) leaves the result of
// the branches, and the rounding of a clamped value is exact integer arithmetic.
void GreyRun(const double* in, int count, double level, double scale, std::uint8_t* out)
{
    int i = 0;
#if defined(__SSE2__)
    if (common::CpuAllows(common::CpuLevel::Avx512))
        i = GreyRunAvx512(in, count, level, scale, out);
    const bool sse2 = common::CpuAllows(common::CpuLevel::Sse2);  // else the plain loop below does all
    const __m128d lv = _mm_set1_pd(level), sc = _mm_set1_pd(scale), mid = _mm_set1_pd(128.0);
    const __m128d zero = _mm_setzero_pd(), top = _mm_set1_pd(255.0), rounder = _mm_set1_pd(kRounder);
    const __m128i none = _mm_setzero_si128();
    for (; sse2 && i + 4 <= count; i += 4) {  // what the wider registers left, or all of it
        __m128i grey[2];
        for (int half = 0; half < 2; ++half) {
            const __m128d t = _mm_add_pd(_mm_mul_pd(_mm_sub_pd(_mm_loadu_pd(in + i + 2 * half), lv), sc), mid);
            const __m128d c = _mm_min_pd(_mm_max_pd(t, zero), top);
            grey[half] = _mm_cvttpd_epi32(_mm_sub_pd(_mm_add_pd(c, rounder), rounder));
        }
        const __m128i words = _mm_packs_epi32(_mm_unpacklo_epi64(grey[0], grey[1]), none);
        const int packed = _mm_cvtsi128_si32(_mm_packus_epi16(words, none));
        std::memcpy(out + i, &packed, 4);
    }
#endif
    for (; i < count; ++i)
        out[i] = GreyOf(in[i], level, scale);
}

} // namespace

void RenderGrey(const double* values, long long strideX, long long strideY, int n, double width, double level,
                common::GreyBitmap& out, common::ThreadPool& pool)
{
    const double scale = common::CheckedDivide(256.0, width);
    out.Resize(n, n);
    if (strideX == 1) {
        // Bitmap rows are runs of values: bands of rows are the tasks.
        constexpr int kBand = 16;
        common::ParallelFor(pool, (n + kBand - 1) / kBand, [&](int band) {
            for (int y = band * kBand; y < std::min(n, (band + 1) * kBand); ++y)
                GreyRun(values + y * strideY, n, level, scale, out.Row(y));
        });
        return;
    }
    if (strideY == 1 && n <= kMatrixSide) {
        // Bitmap columns are runs of values: each block of sixteen is mapped into a tile along
        // the values, then written across the rows.
        constexpr int kBlock = 16;
        common::ParallelFor(pool, (n + kBlock - 1) / kBlock, [&](int block) {
            std::uint8_t tile[kBlock][kMatrixSide];
            const int x0 = block * kBlock;
            const int count = std::min(kBlock, n - x0);
            for (int i = 0; i < count; ++i)
                GreyRun(values + (x0 + i) * strideX, n, level, scale, tile[i]);
            for (int y = 0; y < n; ++y) {
                std::uint8_t* row = out.Row(y) + x0;
                for (int i = 0; i < count; ++i)
                    row[i] = tile[i][y];
            }
        });
        return;
    }
    // Other layouts: tiles keep both the values and the bitmap rows in the cache.
    constexpr int kTile = 32;
    common::ParallelFor(pool, (n + kTile - 1) / kTile, [&](int band) {
        const int y0 = band * kTile;
        for (int x0 = 0; x0 < n; x0 += kTile)
            for (int y = y0; y < std::min(n, y0 + kTile); ++y) {
                std::uint8_t* row = out.Row(y);
                for (int x = x0; x < std::min(n, x0 + kTile); ++x)
                    row[x] = GreyOf(values[x * strideX + y * strideY], level, scale);
            }
    });
}

} // namespace spectrum
