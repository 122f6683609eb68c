#pragma once
// The forward radix-2 transform both analysis windows share: its work arrays, its twiddle tables
// and the line-by-line driver over square matrices.
//
// The arithmetic is fixed to the last bit: tables built by repeated addition of 6.283184 / N,
// decimation in frequency with the twiddle-free butterfly at w = 0, bit reversal at the end, no
// scaling. The single-precision variant rounds the butterfly differences and the values that the
// bit reversal moves forward to binary32. Several lines are transformed at once where possible;
// each line still sees exactly the operations, in exactly the order, of a lone Fft1D.
#include <array>
#include <cstdint>

#include "SquareMatrix.h"

namespace common {
class ThreadPool;
}

namespace spectrum {

inline constexpr int kFftCapacity = 2049;
inline constexpr int kMaxFftLength = 2048;
inline constexpr int kMaxMatrixSize = 1024;

enum class FftPrecision { Double, Single };

struct FftWorkspace {
    std::int32_t FftLength = 0;
    std::array<double, kFftCapacity> FftWorkRe{};
    std::array<double, kFftCapacity> FftWorkIm{};
    std::array<double, kFftCapacity> FftSinTable{};
    std::array<double, kFftCapacity> FftCosTable{};
};

// The one workspace of the program; whichever window transformed last leaves its values in it.
FftWorkspace& SharedFft();

// The smallest matrix the analysis can use: at N = 1 the centred spectrum is nothing but its
// centre, which every scale of the spectrum leaves out.
inline constexpr int kMinMatrixSize = 2;

// True for 2, 4, ..., 1024: the matrix sizes the analysis windows use.
bool IsMatrixSize(long long n);

// Raises InputError naming the allowed sizes unless the ROI width n is a matrix size.
void CheckMatrixSize(long long n);

// Raises the same refusal unless a ROI of w x h is square with a matrix size for its side.
void CheckRoiShape(long long w, long long h);

// Tables for n points: k = 0 .. n div 2. Single: the step and the running angle in binary32.
void BuildFftTables(FftWorkspace& ws, int n, FftPrecision precision);

// In place over FftWorkRe/FftWorkIm[0 .. FftLength - 1] (a power of two up to 2048).
void Fft1D(FftWorkspace& ws);
// The single-precision variant over n points; FftLength is left alone.
void FilterFft1D(FftWorkspace& ws, int n);

enum class Axis { First, Second };

// Transforms lines of the n x n matrix re + i im in place, with the tables already built for n:
// along the first index (x) for y = 0 .. lines - 1, or along the second index (y) for x = 0 ..
// lines - 1. The work arrays end holding the last line's result, as after a loop of Fft1D calls;
// the double variant also sets FftLength := n.
// The groups of four lines are shared out among the pool's threads; the work arrays and
// FftLength are written by the calling thread after the join, and only the tables are read
// meanwhile. The result is the same for any pool size. Without a pool, one thread.
void TransformLines(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n, Axis axis, int lines,
                    FftPrecision precision, common::ThreadPool& pool);
void TransformLines(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n, Axis axis, int lines,
                    FftPrecision precision);

// The first pass of the double transform straight from row-major values: what setting
// re[x][y] := rows[y * n + x] and im[x][y] := 0 for y < count and then
// TransformLines(ws, re, im, n, Axis::First, count, Double, pool) gives, bit for bit, work arrays
// and FftLength included, without writing and reading the matrices in between. Lines y >= count
// are left alone.
void TransformRows(FftWorkspace& ws, const double* rows, SquareMatrix& re, SquareMatrix& im, int n, int count,
                   common::ThreadPool& pool);

} // namespace spectrum
