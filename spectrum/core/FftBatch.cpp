// The batched transform built for plain x86-64, the bit-reversal table, and the choice between
// this build and the AVX2 and AVX-512 ones.
#include "FftBatch.h"
#include "Cpu.h"

#include <array>
#include <bit>
#include <stdexcept>
#include <string>

#include "Fft.h"
#include "FftBatchKernel.h"

static_assert(kKernelMaxLength == spectrum::kMaxMatrixSize && kKernelSide == spectrum::kMatrixSide);

namespace spectrum {

// The AVX2 build of the kernel (FftBatchAvx2.cpp); called only where the processor has AVX2.
void TransformGroupAvx2(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                        const double* sinT, bool single, const BitReversal& reversal);
void TransformRowsGroupAvx2(const double* rows, double* reData, double* imData, int n, int first, const double* cosT,
                            const double* sinT, const BitReversal& reversal);
// The AVX-512 build, eight lines at once (FftBatchAvx512.cpp); called only where the processor
// has AVX-512.
void TransformGroupAvx512(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                          const double* sinT, bool single, const BitReversal& reversal);
void TransformRowsGroupAvx512(const double* rows, double* reData, double* imData, int n, int first,
                              const double* cosT, const double* sinT, const BitReversal& reversal);

namespace {

// Where each element comes from after the bit reversal, from the exchanges the reordering loop
// makes (for a power of two every index takes part in at most one of them).
BitReversal MakeReversal(int n)
{
    BitReversal r;
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

// The reversals of every matrix size, built once (thread-safe) and then only read, so that
// threads transforming lines side by side share them.
const BitReversal& PrepareReorder(int n)
{
    static const auto all = [] {
        std::array<BitReversal, 11> t;
        for (int k = 0; k < 11; ++k)
            t[k] = MakeReversal(1 << k);
        return t;
    }();
    return all[std::countr_zero(static_cast<unsigned>(n))];
}

} // namespace

void TransformGroupPlain(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                         const double* sinT, bool single)
{
    RunGroup(reData, imData, n, alongFirst, first, cosT, sinT, single, PrepareReorder(n));
}

int WidestBatch()
{
    return common::CpuAllows(common::CpuLevel::Avx512) ? kWideBatchLanes : kBatchLanes;
}

namespace {

enum class Build { Plain, Avx2, Avx512 };

// The build that takes `lanes` lines at once on this processor.
Build BuildFor(int lanes)
{
    const bool avx2 = common::CpuAllows(common::CpuLevel::Avx2);
    if (lanes == kWideBatchLanes && WidestBatch() == kWideBatchLanes)
        return Build::Avx512;
    if (lanes != kBatchLanes)
        throw std::invalid_argument("no build of the transform takes " + std::to_string(lanes) + " lines at once");
    return avx2 ? Build::Avx2 : Build::Plain;
}

} // namespace

void TransformGroup(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                    const double* sinT, bool single, int lanes)
{
    const BitReversal& r = PrepareReorder(n);
    switch (BuildFor(lanes)) {
    case Build::Avx512:
        return TransformGroupAvx512(reData, imData, n, alongFirst, first, cosT, sinT, single, r);
    case Build::Avx2:
        return TransformGroupAvx2(reData, imData, n, alongFirst, first, cosT, sinT, single, r);
    case Build::Plain:
        return RunGroup(reData, imData, n, alongFirst, first, cosT, sinT, single, r);
    }
}

void TransformRowsGroup(const double* rows, double* reData, double* imData, int n, int first, const double* cosT,
                        const double* sinT, int lanes)
{
    const BitReversal& r = PrepareReorder(n);
    switch (BuildFor(lanes)) {
    case Build::Avx512:
        return TransformRowsGroupAvx512(rows, reData, imData, n, first, cosT, sinT, r);
    case Build::Avx2:
        return TransformRowsGroupAvx2(rows, reData, imData, n, first, cosT, sinT, r);
    case Build::Plain:
        return RunGroupFromRows(rows, reData, imData, n, first, cosT, sinT, r);
    }
}

} // namespace spectrum
