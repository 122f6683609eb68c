// The batched transform's kernel: four lines of a square matrix side by side, or eight where the
// including file defines FFT_KERNEL_LANES as 8 (the AVX-512 build). Included by one source file
// built for plain x86-64, one built for AVX2 and one for AVX-512; each gets its own copy
// (everything here has internal linkage), and the program picks one at run time.
//
// It includes no header of the program with inline functions: one compiled here for AVX2 could
// otherwise be the copy the linker keeps for the whole program.
#include <immintrin.h>

#include "FftBatch.h"

namespace {

#ifndef FFT_KERNEL_LANES
#define FFT_KERNEL_LANES 4
#endif

constexpr int kKernelMaxLength = 1024;  // the largest matrix size
constexpr int kKernelSide = 1025;       // the matrices' line length
constexpr int kLanes = FFT_KERNEL_LANES;
static_assert(kLanes == 4 || kLanes == 8);

// Lane l of element k is line l's element k. Each lane performs exactly the scalar operations of
// Fft1D on the same values; only the order in which the independent butterflies of one stage run
// differs, and two stages share one trip through memory. The vector operations are element-wise
// IEEE operations, and nothing is contracted (-ffp-contract=off), so the results agree bit for bit.
typedef double VD __attribute__((vector_size(8 * kLanes)));
typedef float VF __attribute__((vector_size(4 * kLanes)));
typedef double VDu __attribute__((vector_size(8 * kLanes), aligned(8)));
typedef long long VI __attribute__((vector_size(8 * kLanes)));

// Double to binary32 and back, rounding to nearest even.
[[gnu::always_inline]] inline VD ToSingle(VD v)
{
#if defined(__AVX__) && FFT_KERNEL_LANES == 4
    return (VD)_mm256_cvtps_pd(_mm256_cvtpd_ps((__m256d)v));
#else
    return __builtin_convertvector(__builtin_convertvector(v, VF), VD);
#endif
}

#if FFT_KERNEL_LANES == 4
// 4 x 4 transpose: afterwards v[0] = {a0, b0, c0, d0}, v[1] = {a1, b1, c1, d1}, ... where
// a = v[0], b = v[1], ... before. Its own inverse.
[[gnu::always_inline]] inline void TransposeLanes(VD* v)
{
    const VD t0 = __builtin_shuffle(v[0], v[1], VI{0, 4, 2, 6});
    const VD t1 = __builtin_shuffle(v[0], v[1], VI{1, 5, 3, 7});
    const VD t2 = __builtin_shuffle(v[2], v[3], VI{0, 4, 2, 6});
    const VD t3 = __builtin_shuffle(v[2], v[3], VI{1, 5, 3, 7});
    v[0] = __builtin_shuffle(t0, t2, VI{0, 1, 4, 5});
    v[1] = __builtin_shuffle(t1, t3, VI{0, 1, 4, 5});
    v[2] = __builtin_shuffle(t0, t2, VI{2, 3, 6, 7});
    v[3] = __builtin_shuffle(t1, t3, VI{2, 3, 6, 7});
}
#else
// 8 x 8 transpose in three rounds: pairs of elements, pairs of pairs, halves. Its own inverse.
[[gnu::always_inline]] inline void TransposeLanes(VD* v)
{
    VD t[8], u[8];
    for (int i = 0; i < 8; i += 2) {
        t[i] = __builtin_shuffle(v[i], v[i + 1], VI{0, 8, 2, 10, 4, 12, 6, 14});
        t[i + 1] = __builtin_shuffle(v[i], v[i + 1], VI{1, 9, 3, 11, 5, 13, 7, 15});
    }
    for (int i = 0; i < 8; i += 4)
        for (int k = 0; k < 2; ++k) {
            u[i + k] = __builtin_shuffle(t[i + k], t[i + k + 2], VI{0, 1, 8, 9, 4, 5, 12, 13});
            u[i + k + 2] = __builtin_shuffle(t[i + k], t[i + k + 2], VI{2, 3, 10, 11, 6, 7, 14, 15});
        }
    for (int k = 0; k < 4; ++k) {
        v[k] = __builtin_shuffle(u[k], u[k + 4], VI{0, 1, 2, 3, 8, 9, 10, 11});
        v[k + 4] = __builtin_shuffle(u[k], u[k + 4], VI{4, 5, 6, 7, 12, 13, 14, 15});
    }
}
#endif

// One butterfly; `plain` is the twiddle-free one of w = 0, without multiplications.
template <bool Single>
[[gnu::always_inline]] inline void Butterfly(VD& r0, VD& i0, VD& r1, VD& i1, double c, double s, bool plain)
{
    VD dr = r0 - r1;
    VD di = i0 - i1;
    if constexpr (Single) {
        dr = ToSingle(dr);
        di = ToSingle(di);
    }
    r0 = r0 + r1;
    i0 = i0 + i1;
    if (plain) {
        r1 = dr;
        i1 = di;
    } else {
        r1 = dr * c + di * s;
        i1 = di * c - dr * s;
    }
}

// One stage on `blocks` blocks of 2 * half elements; e is the stage's twiddle stride (the
// number of blocks in the whole line).
template <bool Single>
[[gnu::always_inline]] inline void OneStage(VD* re, VD* im, int half, int e, int blocks, const double* cosT,
                                            const double* sinT)
{
    const int span = 2 * half;
    for (int b = 0; b < blocks; ++b)
        Butterfly<Single>(re[b * span], im[b * span], re[b * span + half], im[b * span + half], 0, 0, true);
    for (int b = 0; b < blocks; ++b)
        for (int j = 1; j < half; ++j) {
            const int k = b * span + j;
            Butterfly<Single>(re[k], im[k], re[k + half], im[k + half], cosT[j * e], sinT[j * e], false);
        }
}

// Stage (half, e) on the pairs (j, j + half) and (j + q, j + q + half), then stage (q, 2e) on
// (j, j + q) and (j + half, j + half + q), q = half / 2, with the four elements in registers.
// t holds the three twiddles (cos, sin) of j * e, (j + q) * e and j * 2e.
template <bool Single>
[[gnu::always_inline]] inline void Quad(VD* re, VD* im, int k, int q, const double* t, bool first)
{
    VD r0 = re[k], r1 = re[k + q], r2 = re[k + 2 * q], r3 = re[k + 3 * q];
    VD i0 = im[k], i1 = im[k + q], i2 = im[k + 2 * q], i3 = im[k + 3 * q];
    Butterfly<Single>(r0, i0, r2, i2, t[0], t[1], first);
    Butterfly<Single>(r1, i1, r3, i3, t[2], t[3], false);
    Butterfly<Single>(r0, i0, r1, i1, t[4], t[5], first);
    Butterfly<Single>(r2, i2, r3, i3, t[4], t[5], first);
    re[k] = r0, re[k + q] = r1, re[k + 2 * q] = r2, re[k + 3 * q] = r3;
    im[k] = i0, im[k + q] = i1, im[k + 2 * q] = i2, im[k + 3 * q] = i3;
}

// Two stages on `blocks` blocks of 2 * half elements, as OneStage.
template <bool Single>
[[gnu::always_inline]] inline void TwoStages(VD* re, VD* im, int half, int e, int blocks, const double* cosT,
                                             const double* sinT)
{
    const int q = half / 2;
    const int span = 2 * half;
    double t[6];
    auto twiddles = [&](int j) {
        t[0] = cosT[j * e], t[1] = sinT[j * e];
        t[2] = cosT[(j + q) * e], t[3] = sinT[(j + q) * e];
        t[4] = cosT[j * 2 * e], t[5] = sinT[j * 2 * e];
    };
    twiddles(0);
    for (int b = 0; b < blocks; ++b)
        Quad<Single>(re, im, b * span, q, t, true);
    if (q >= blocks) {
        for (int b = 0; b < blocks; ++b)
            for (int j = 1; j < q; ++j) {
                twiddles(j);
                Quad<Single>(re, im, b * span + j, q, t, false);
            }
    } else {
        // Many short blocks: keep the twiddles of one j for all of them.
        for (int j = 1; j < q; ++j) {
            twiddles(j);
            for (int b = 0; b < blocks; ++b)
                Quad<Single>(re, im, b * span + j, q, t, false);
        }
    }
}

// The lines' elements that fit in a 32 KiB share of the L1 data cache, real and imaginary parts.
constexpr int kCacheBlock = 32768 / (2 * static_cast<int>(sizeof(VD)));

template <bool Single>
[[gnu::always_inline]] inline void Butterflies(VD* re, VD* im, int n, const double* cosT, const double* sinT)
{
    int half = n / 2;
    int e = 1;
    // Stages whose blocks are longer than the cache block take trips through the whole line.
    while (half >= 2 && 2 * half > kCacheBlock) {
        TwoStages<Single>(re, im, half, e, e, cosT, sinT);
        half /= 4;
        e *= 4;
    }
    // The later stages stay inside blocks of 2 * half elements: each block takes all of them
    // while it is in the L1 cache. The butterflies are the same, only their order changes.
    const int span = 2 * half;
    for (int at = 0; at < n; at += span) {
        int h = half;
        int stride = e;
        while (h >= 2) {
            TwoStages<Single>(re + at, im + at, h, stride, span / (2 * h), cosT, sinT);
            h /= 4;
            stride *= 4;
        }
        if (h == 1)
            OneStage<Single>(re + at, im + at, h, stride, span / 2, cosT, sinT);
    }
}

// The value that lands at position x after the bit reversal; one that moves to a lower index
// passes through binary32 in the single variant.
template <bool Single>
[[gnu::always_inline]] inline VD Reordered(const VD* batch, const spectrum::BitReversal& r, int x)
{
    const int from = r.source[x];
    if constexpr (Single) {
        if (x < from)
            return ToSingle(batch[from]);
    }
    return batch[from];
}

template <bool Single>
[[gnu::always_inline]] inline void Store(double* data, const VD* batch, const spectrum::BitReversal& r, int n,
                                         bool alongFirst, int first)
{
    const long long side = kKernelSide;
    if (alongFirst) {
        for (int x = 0; x < n; ++x)
            *reinterpret_cast<VDu*>(data + x * side + first) = Reordered<Single>(batch, r, x);
        return;
    }
    double* l0 = data + first * side;
    for (int y = 0; y < n; y += kLanes) {
        VD v[kLanes];
        for (int i = 0; i < kLanes; ++i)
            v[i] = Reordered<Single>(batch, r, y + i);
        TransposeLanes(v);
        for (int i = 0; i < kLanes; ++i)
            *reinterpret_cast<VDu*>(l0 + i * side + y) = v[i];
    }
}

// Lines that lie along memory: line i's element k at lines[i * side + k].
[[gnu::always_inline]] inline void LoadAcross(VD* batch, const double* lines, long long side, int n)
{
    for (int k = 0; k < n; k += kLanes) {
        VD v[kLanes];
        for (int i = 0; i < kLanes; ++i)
            v[i] = *reinterpret_cast<const VDu*>(lines + i * side + k);
        TransposeLanes(v);
        for (int i = 0; i < kLanes; ++i)
            batch[k + i] = v[i];
    }
}

[[gnu::always_inline]] inline void Load(VD* batch, const double* data, int n, bool alongFirst, int first)
{
    const long long side = kKernelSide;
    if (alongFirst) {
        // Element x of the lines of fixed y sits at [x][y]: the lines of a group share one run, and
        // every element is a cache line of its own. Lines are handed out in ascending order, so
        // the group after next needs the neighbouring cache lines: asking for them now lets
        // memory deliver them while this group and the next one are transformed, instead of one
        // miss per element when the matrix does not fit in the cache.
        for (int x = 0; x < n; ++x) {
            const double* at = data + x * side + first;
            __builtin_prefetch(at + 2 * kLanes, 1, 2);
            batch[x] = *reinterpret_cast<const VDu*>(at);
        }
        return;
    }
    LoadAcross(batch, data + first * side, side, n);
}

template <bool Single>
[[gnu::always_inline]] inline void Group(double* reData, double* imData, int n, bool alongFirst, int first,
                                         const double* cosT, const double* sinT, const spectrum::BitReversal& r)
{
    // Scratch on the stack: each thread transforming lines has its own.
    alignas(32) VD batchRe[kKernelMaxLength];
    alignas(32) VD batchIm[kKernelMaxLength];
    Load(batchRe, reData, n, alongFirst, first);
    Load(batchIm, imData, n, alongFirst, first);
    Butterflies<Single>(batchRe, batchIm, n, cosT, sinT);
    Store<Single>(reData, batchRe, r, n, alongFirst, first);
    Store<Single>(imData, batchIm, r, n, alongFirst, first);
}

// Rows first .. first + kLanes - 1 of rows (row y's element x at rows[y * n + x]) with zero
// imaginary parts, transformed in double precision and stored as the lines along the first index
// of the matrices: what storing re[x][y] := rows[y * n + x], im[x][y] := 0 and transforming would
// give, without the matrices' pass in between.
void RunGroupFromRows(const double* rows, double* reData, double* imData, int n, int first, const double* cosT,
                      const double* sinT, const spectrum::BitReversal& r)
{
    alignas(32) VD batchRe[kKernelMaxLength];
    alignas(32) VD batchIm[kKernelMaxLength];
    LoadAcross(batchRe, rows + static_cast<long long>(first) * n, n, n);
    for (int k = 0; k < n; ++k)
        batchIm[k] = VD{};
    Butterflies<false>(batchRe, batchIm, n, cosT, sinT);
    Store<false>(reData, batchRe, r, n, true, first);
    Store<false>(imData, batchIm, r, n, true, first);
}

void RunGroup(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
              const double* sinT, bool single, const spectrum::BitReversal& r)
{
    if (single)
        Group<true>(reData, imData, n, alongFirst, first, cosT, sinT, r);
    else
        Group<false>(reData, imData, n, alongFirst, first, cosT, sinT, r);
}

} // namespace
