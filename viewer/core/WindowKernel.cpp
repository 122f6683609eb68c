#include "WindowKernel.h"
#include "Cpu.h"

#include <cmath>
#include <immintrin.h>

namespace viewer {

namespace {

// t stays below 2^24 in magnitude: its product with the single factor (24 significant bits)
// is then exact in double precision, so rounding it half to even gives the exact grey.
constexpr long long kBaseLimit = (1 << 24) - 65536;

// Greys of eight values of t already clamped to the range where the window does not saturate.
// Adding 1.5 * 2^52 rounds the exact product half to even and leaves the integer in the low
// 32 bits of each double, which one shuffle gathers.
__attribute__((target("avx2"))) inline __m256i Greys(__m256i t, __m256d f)
{
    const __m256d magic = _mm256_set1_pd(6755399441055744.0);
    const __m256d lo = _mm256_add_pd(_mm256_mul_pd(_mm256_cvtepi32_pd(_mm256_castsi256_si128(t)), f), magic);
    const __m256d hi = _mm256_add_pd(_mm256_mul_pd(_mm256_cvtepi32_pd(_mm256_extracti128_si256(t, 1)), f), magic);
    // Low dwords: lo0 lo1 hi0 hi1 | lo2 lo3 hi2 hi3, then put the lanes in order.
    const __m256 gathered = _mm256_shuffle_ps(_mm256_castpd_ps(lo), _mm256_castpd_ps(hi), 0x88);
    const __m256i ordered = _mm256_permute4x64_epi64(_mm256_castps_si256(gathered), 0xD8);
    return _mm256_add_epi32(ordered, _mm256_set1_epi32(128));
}

} // namespace

bool WindowKernelUsable(const WindowParams& params)
{
    const long long base = static_cast<long long>(params.valueOffset) - params.level;
    return base > -kBaseLimit && base < kBaseLimit && common::CpuAllows(common::CpuLevel::Avx2);
}

__attribute__((target("avx2"))) void WindowWordsAvx2(const std::uint8_t* words, long long count,
                                                    const WindowParams& params, float factor, std::uint8_t* out)
{
    const __m256i base = _mm256_set1_epi32(params.valueOffset - params.level);
    const __m256d f = _mm256_set1_pd(static_cast<double>(factor));
    // Beyond |t| = 129 / |f| every grey saturates; clamping there keeps the products small.
    const double saturation = std::ceil(129.0 / std::fabs(static_cast<double>(factor)));
    const int limit = saturation < (1 << 24) ? static_cast<int>(saturation) : (1 << 24);
    const __m256i upper = _mm256_set1_epi32(limit);
    const __m256i lower = _mm256_set1_epi32(-limit);
    const __m256i swapBytes = _mm256_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14, 1, 0, 3, 2, 5, 4,
                                               7, 6, 9, 8, 11, 10, 13, 12, 15, 14);
    const __m128i invert = _mm_set1_epi8(params.invert ? static_cast<char>(0xFF) : 0);
    long long i = 0;
    for (; i + 16 <= count; i += 16) {
        __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(words + 2 * i));
        if (params.swap)
            w = _mm256_shuffle_epi8(w, swapBytes);
        __m256i lo = _mm256_add_epi32(_mm256_cvtepi16_epi32(_mm256_castsi256_si128(w)), base);
        __m256i hi = _mm256_add_epi32(_mm256_cvtepi16_epi32(_mm256_extracti128_si256(w, 1)), base);
        lo = _mm256_min_epi32(_mm256_max_epi32(lo, lower), upper);
        hi = _mm256_min_epi32(_mm256_max_epi32(hi, lower), upper);
        // Saturating packs clamp to 0..255 and keep the order after the lane fix-up.
        __m256i packed = _mm256_packus_epi32(Greys(lo, f), Greys(hi, f));
        packed = _mm256_permute4x64_epi64(packed, 0xD8);
        __m128i bytes = _mm_packus_epi16(_mm256_castsi256_si128(packed), _mm256_extracti128_si256(packed, 1));
        bytes = _mm_xor_si128(bytes, invert);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), bytes);
    }
    for (; i < count; ++i) {
        const auto element = static_cast<std::uint16_t>(words[2 * i] | (words[2 * i + 1] << 8));
        out[i] = WindowedGrey(WindowInput(element, params), factor, params.invert);
    }
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"  // GCC 12 and the intrinsics' undefined start values
#pragma GCC diagnostic ignored "-Wpsabi"                // only ever called from code built for AVX-512

// Eight values of t (clamped) to their greys before the offset of 128, as Greys does; the low
// 32 bits of each rounded double are taken by one narrowing move instead of the shuffles.
__attribute__((target("avx512f"))) static inline __m256i GreysWide(__m256i t, __m512d f, __m512d magic)
{
    const __m512d rounded = _mm512_add_pd(_mm512_mul_pd(_mm512_cvtepi32_pd(t), f), magic);
    return _mm512_cvtepi64_epi32(_mm512_castpd_si512(rounded));
}

// The AVX2 path's operations on thirty-two words a step in AVX-512 registers.
__attribute__((target("avx512f,avx512bw"))) void WindowWordsAvx512(const std::uint8_t* words, long long count,
                                                                   const WindowParams& params, float factor,
                                                                   std::uint8_t* out)
{
    const __m512i base = _mm512_set1_epi32(params.valueOffset - params.level);
    const __m512d f = _mm512_set1_pd(static_cast<double>(factor));
    const __m512d magic = _mm512_set1_pd(6755399441055744.0);
    const double saturation = std::ceil(129.0 / std::fabs(static_cast<double>(factor)));
    const int limit = saturation < (1 << 24) ? static_cast<int>(saturation) : (1 << 24);
    const __m512i upper = _mm512_set1_epi32(limit), lower = _mm512_set1_epi32(-limit);
    const __m512i c128 = _mm512_set1_epi32(128), zero = _mm512_setzero_si512(), c255 = _mm512_set1_epi32(255);
    const __m512i swapBytes = _mm512_set_epi8(
        62, 63, 60, 61, 58, 59, 56, 57, 54, 55, 52, 53, 50, 51, 48, 49, 46, 47, 44, 45, 42, 43, 40, 41, 38, 39, 36, 37,
        34, 35, 32, 33, 30, 31, 28, 29, 26, 27, 24, 25, 22, 23, 20, 21, 18, 19, 16, 17, 14, 15, 12, 13, 10, 11, 8, 9, 6,
        7, 4, 5, 2, 3, 0, 1);
    const __m128i invert = _mm_set1_epi8(params.invert ? static_cast<char>(0xFF) : 0);
    long long i = 0;
    for (; i + 32 <= count; i += 32) {
        __m512i w = _mm512_loadu_si512(words + 2 * i);
        if (params.swap)
            w = _mm512_shuffle_epi8(w, swapBytes);
        for (int half = 0; half < 2; ++half) {
            const __m256i part = half == 0 ? _mm512_castsi512_si256(w) : _mm512_extracti64x4_epi64(w, 1);
            __m512i t = _mm512_add_epi32(_mm512_cvtepi16_epi32(part), base);
            t = _mm512_min_epi32(_mm512_max_epi32(t, lower), upper);
            const __m512i g = _mm512_inserti64x4(_mm512_castsi256_si512(GreysWide(_mm512_castsi512_si256(t), f, magic)),
                                                 GreysWide(_mm512_extracti64x4_epi64(t, 1), f, magic), 1);
            const __m512i clamped = _mm512_min_epi32(_mm512_max_epi32(_mm512_add_epi32(g, c128), zero), c255);
            const __m128i bytes = _mm_xor_si128(_mm512_cvtepi32_epi8(clamped), invert);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 16 * half), bytes);
        }
    }
    if (i < count)
        WindowWordsAvx2(words + 2 * i, count - i, params, factor, out + i);
}
#pragma GCC diagnostic pop

bool WindowWordsAvx512Usable()
{
    return common::CpuAllows(common::CpuLevel::Avx512);
}

void WindowWords(const std::uint8_t* words, long long count, const WindowParams& params, float factor,
                 std::uint8_t* out)
{
    if (WindowWordsAvx512Usable())
        WindowWordsAvx512(words, count, params, factor, out);
    else
        WindowWordsAvx2(words, count, params, factor, out);
}

} // namespace viewer
