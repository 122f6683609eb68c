// The batched transform built for AVX-512 (this file alone is compiled with -mavx512f): eight
// lines side by side.
#define FFT_KERNEL_LANES 8
#include "FftBatchKernel.h"

namespace spectrum {

void TransformGroupAvx512(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                          const double* sinT, bool single, const BitReversal& reversal)
{
    RunGroup(reData, imData, n, alongFirst, first, cosT, sinT, single, reversal);
}

void TransformRowsGroupAvx512(const double* rows, double* reData, double* imData, int n, int first,
                              const double* cosT, const double* sinT, const BitReversal& reversal)
{
    RunGroupFromRows(rows, reData, imData, n, first, cosT, sinT, reversal);
}

} // namespace spectrum
