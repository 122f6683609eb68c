#include "Fft.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "Errors.h"
#include "FftBatch.h"
#include "ThreadPool.h"

namespace spectrum {

namespace {

FftWorkspace sharedWorkspace;

int StageCount(int n)
{
    int stages = 0;
    while ((2LL << stages) <= n)
        ++stages;
    return stages;
}

void RequireLength(int n, int limit)
{
    if (n < 1 || n > limit || (n & (n - 1)) != 0)
        throw std::invalid_argument("transform length must be a power of two within the work arrays");
}

inline double ToSingle(double v) { return static_cast<double>(static_cast<float>(v)); }

// One transform over plain arrays: the reference order of operations.
template <bool Single>
void Transform(double* re, double* im, int n, const double* cosT, const double* sinT)
{
    const int stages = StageCount(n);
    int half = n;
    int e = 1;
    for (int stage = 0; stage < stages; ++stage) {
        half /= 2;
        for (int b = 0; b < e; ++b) {
            const int start = 2 * half * b;
            for (int j = 0; j < half; ++j) {
                const int k = start + j;
                const int w = j * e;
                double dr = re[k] - re[k + half];
                double di = im[k] - im[k + half];
                if constexpr (Single) {
                    dr = ToSingle(dr);
                    di = ToSingle(di);
                }
                re[k] = re[k] + re[k + half];
                im[k] = im[k] + im[k + half];
                if (w == 0) {
                    re[k + half] = dr;
                    im[k + half] = di;
                } else {
                    re[k + half] = dr * cosT[w] + di * sinT[w];
                    im[k + half] = di * cosT[w] - dr * sinT[w];
                }
            }
        }
        e *= 2;
    }
    int j = n / 2;
    for (int i = 1; i < n; ++i) {
        if (j < i) {
            const double r = re[j], m = im[j];
            re[j] = Single ? ToSingle(re[i]) : re[i];
            im[j] = Single ? ToSingle(im[i]) : im[i];
            re[i] = r;
            im[i] = m;
        }
        int m = n / 2;
        while (m <= j && j >= 0 && m > 0) {
            j -= m;
            m /= 2;
        }
        j += m;
    }
}

double& ElementOf(SquareMatrix& m, Axis axis, int line, int index)
{
    return axis == Axis::First ? m[index][line] : m[line][index];
}

} // namespace

FftWorkspace& SharedFft() { return sharedWorkspace; }

bool IsMatrixSize(long long n) { return n >= kMinMatrixSize && n <= kMaxMatrixSize && (n & (n - 1)) == 0; }

namespace {

[[noreturn]] void ThrowRoiSize(const common::Text& shape)
{
    throw common::InputError(common::TrText("spectrum", "The spectrum needs a square ROI of 2, 4, 8, 16, 32, 64, "
                                                        "128, 256, 512 or 1024 pixels per side; the ROI is %1.")
                                 .Arg(shape));
}

} // namespace

void CheckMatrixSize(long long n)
{
    if (!IsMatrixSize(n))
        ThrowRoiSize(common::TrText("spectrum", "%1 wide").Arg(n));
}

void CheckRoiShape(long long w, long long h)
{
    if (w != h || !IsMatrixSize(w))
        ThrowRoiSize(common::Text::Verbatim(std::to_string(w) + " x " + std::to_string(h)));
}

void BuildFftTables(FftWorkspace& ws, int n, FftPrecision precision)
{
    RequireLength(n, kMaxFftLength);
    if (precision == FftPrecision::Double) {
        const double step = 6.283184 / n;
        double angle = 0;
        for (int k = 0; k <= n / 2; ++k) {
            ws.FftSinTable[k] = std::sin(angle);
            ws.FftCosTable[k] = std::cos(angle);
            angle = angle + step;
        }
    } else {
        const float step = static_cast<float>(6.283184 / n);
        float angle = 0;
        for (int k = 0; k <= n / 2; ++k) {
            ws.FftSinTable[k] = std::sin(static_cast<double>(angle));
            ws.FftCosTable[k] = std::cos(static_cast<double>(angle));
            angle = angle + step;
        }
    }
}

void Fft1D(FftWorkspace& ws)
{
    RequireLength(ws.FftLength, kMaxFftLength);
    Transform<false>(ws.FftWorkRe.data(), ws.FftWorkIm.data(), ws.FftLength, ws.FftCosTable.data(),
                     ws.FftSinTable.data());
}

void FilterFft1D(FftWorkspace& ws, int n)
{
    RequireLength(n, kMaxFftLength);
    Transform<true>(ws.FftWorkRe.data(), ws.FftWorkIm.data(), n, ws.FftCosTable.data(), ws.FftSinTable.data());
}

namespace {

// Lines 0 .. lines - 1 in groups, the widest first, then at most one narrower group; the groups
// are shared out among the pool's threads. Returns the number of lines transformed.
template <typename TransformGroupAt>
int TransformGroups(int n, int lines, common::ThreadPool& pool, TransformGroupAt transform)
{
    int line = 0;
    for (const int lanes : {WidestBatch(), kBatchLanes}) {
        if (n < lanes || lines - line < lanes)
            continue;
        const int groups = (lines - line) / lanes;
        const int start = line;
        common::ParallelFor(pool, groups, [&](int g) { transform(start + g * lanes, lanes); });
        line += groups * lanes;
    }
    return line;
}

// The work arrays hold the last line transformed, as they do after a loop of single transforms.
void KeepLastLine(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n, Axis axis, int lines)
{
    if (lines == 0)
        return;
    for (int k = 0; k < n; ++k) {
        ws.FftWorkRe[k] = ElementOf(re, axis, lines - 1, k);
        ws.FftWorkIm[k] = ElementOf(im, axis, lines - 1, k);
    }
}

// Lines from .. to - 1 through the work arrays, one at a time.
void TransformOneByOne(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n, Axis axis, int from, int to,
                       bool single)
{
    for (int line = from; line < to; ++line) {
        for (int k = 0; k < n; ++k) {
            ws.FftWorkRe[k] = ElementOf(re, axis, line, k);
            ws.FftWorkIm[k] = ElementOf(im, axis, line, k);
        }
        if (single)
            FilterFft1D(ws, n);
        else
            Fft1D(ws);
        for (int k = 0; k < n; ++k) {
            ElementOf(re, axis, line, k) = ws.FftWorkRe[k];
            ElementOf(im, axis, line, k) = ws.FftWorkIm[k];
        }
    }
}

} // namespace

void TransformLines(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n, Axis axis, int lines,
                    FftPrecision precision)
{
    common::ThreadPool one(1);
    TransformLines(ws, re, im, n, axis, lines, precision, one);
}

void TransformLines(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n, Axis axis, int lines,
                    FftPrecision precision, common::ThreadPool& pool)
{
    RequireLength(n, kMaxMatrixSize);
    if (lines < 0 || lines > n)
        throw std::invalid_argument("line count outside the matrix");
    const bool single = precision == FftPrecision::Single;
    if (!single)
        ws.FftLength = n;
    const double* cosT = ws.FftCosTable.data();
    const double* sinT = ws.FftSinTable.data();
    const int line = TransformGroups(n, lines, pool, [&](int first, int lanes) {
        TransformGroup(re[0], im[0], n, axis == Axis::First, first, cosT, sinT, single, lanes);
    });
    KeepLastLine(ws, re, im, n, axis, line);
    TransformOneByOne(ws, re, im, n, axis, line, lines, single);
}

void TransformRows(FftWorkspace& ws, const double* rows, SquareMatrix& re, SquareMatrix& im, int n, int count,
                   common::ThreadPool& pool)
{
    RequireLength(n, kMaxMatrixSize);
    if (count < 0 || count > n)
        throw std::invalid_argument("line count outside the matrix");
    ws.FftLength = n;
    const double* cosT = ws.FftCosTable.data();
    const double* sinT = ws.FftSinTable.data();
    const int line = TransformGroups(n, count, pool, [&](int first, int lanes) {
        TransformRowsGroup(rows, re[0], im[0], n, first, cosT, sinT, lanes);
    });
    KeepLastLine(ws, re, im, n, Axis::First, line);
    for (int y = line; y < count; ++y)
        for (int x = 0; x < n; ++x) {
            re[x][y] = rows[static_cast<std::size_t>(y) * n + x];
            im[x][y] = 0;
        }
    TransformOneByOne(ws, re, im, n, Axis::First, line, count, false);
}

} // namespace spectrum
