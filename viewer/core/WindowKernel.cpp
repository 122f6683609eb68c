#include "WindowKernel.h"

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
    return base > -kBaseLimit && base < kBaseLimit && __builtin_cpu_supports("avx2");
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

} // namespace viewer
