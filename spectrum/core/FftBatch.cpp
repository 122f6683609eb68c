// The batched transform built for plain x86-64, the bit-reversal table, and the choice between
// this build and the AVX2 one.
#include "FftBatch.h"

#include "Fft.h"
#include "FftBatchKernel.h"

static_assert(kKernelMaxLength == spectrum::kMaxMatrixSize && kKernelSide == spectrum::kMatrixSide);

namespace spectrum {

// The AVX2 build of the kernel (FftBatchAvx2.cpp); called only where the processor has AVX2.
void TransformGroupAvx2(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                        const double* sinT, bool single, const BitReversal& reversal);

namespace {

// Where each element comes from after the bit reversal, from the exchanges the reordering loop
// makes (for a power of two every index takes part in at most one of them).
BitReversal reversal;

const BitReversal& PrepareReorder(int n)
{
    BitReversal& r = reversal;
    if (r.n == n)
        return r;
    for (int i = 0; i < n; ++i)
        r.source[i] = i;
    int j = n / 2;
    for (int i = 1; i < n; ++i) {
        if (j < i) {
            r.source[j] = i;
            r.source[i] = j;
        }
        int m = n / 2;
        while (m <= j && j >= 0 && m > 0) {
            j -= m;
            m /= 2;
        }
        j += m;
    }
    r.n = n;
    return r;
}

} // namespace

void TransformGroupPlain(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                         const double* sinT, bool single)
{
    RunGroup(reData, imData, n, alongFirst, first, cosT, sinT, single, PrepareReorder(n));
}

void TransformGroup(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                    const double* sinT, bool single)
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    const BitReversal& r = PrepareReorder(n);
    if (avx2)
        TransformGroupAvx2(reData, imData, n, alongFirst, first, cosT, sinT, single, r);
    else
        RunGroup(reData, imData, n, alongFirst, first, cosT, sinT, single, r);
}

} // namespace spectrum
