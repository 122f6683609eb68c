#pragma once
// Four or eight lines of a square matrix transformed side by side, as one Fft1D each would
// transform them, bit for bit.
namespace spectrum {

inline constexpr int kBatchLanes = 4;
inline constexpr int kWideBatchLanes = 8;

// The bit reversal of one length as a table: element x comes from source[x]. Plain data, so that
// both builds of the kernel can share it.
struct BitReversal {
    int n = -1;
    int source[1024];
};

// The most lines TransformGroup takes at once on this processor: kWideBatchLanes where it has
// AVX-512, else kBatchLanes.
int WidestBatch();

// Lines first .. first + lanes - 1 (n >= lanes, a power of two up to 1024): along the first
// index for fixed y when alongFirst, else along the second index for fixed x. cosT/sinT are the
// tables for n. Four lanes run the AVX2 build where the processor has AVX2, the plain x86-64
// build otherwise; eight (only where WidestBatch() allows them) run the AVX-512 build.
void TransformGroup(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                    const double* sinT, bool single, int lanes = kBatchLanes);
// Rows first .. first + lanes - 1 of the n x n row-major rows (row y's element x at
// rows[y * n + x]), with zero imaginary parts, transformed in double precision into lines
// first .. first + lanes - 1 along the first index of the matrices.
void TransformRowsGroup(const double* rows, double* reData, double* imData, int n, int first, const double* cosT,
                        const double* sinT, int lanes = kBatchLanes);
// The plain x86-64 build alone, whatever the processor: the two must agree bit for bit.
void TransformGroupPlain(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                         const double* sinT, bool single);

} // namespace spectrum
