// The batched transform built for AVX2 (this file alone is compiled with -mavx2).
#include "FftBatchKernel.h"

namespace spectrum {

void TransformGroupAvx2(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                        const double* sinT, bool single, const BitReversal& reversal)
{
    RunGroup(reData, imData, n, alongFirst, first, cosT, sinT, single, reversal);
}

void TransformRowsGroupAvx2(const double* rows, double* reData, double* imData, int n, int first, const double* cosT,
                            const double* sinT, const BitReversal& reversal)
{
    RunGroupFromRows(rows, reData, imData, n, first, cosT, sinT, reversal);
}

} // namespace spectrum
