#include "Fft.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

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

// Four independent transforms side by side: lane l of element k is transform l's element k.
// Each lane performs exactly the scalar operations above, so the results agree bit for bit.
constexpr int kLanes = 4;
typedef double V4 __attribute__((vector_size(32)));
typedef float F4 __attribute__((vector_size(16)));

alignas(32) V4 batchRe[kMaxMatrixSize];
alignas(32) V4 batchIm[kMaxMatrixSize];

template <bool Single>
[[gnu::always_inline]] inline void Transform4(V4* re, V4* im, int n, const double* cosT, const double* sinT)
{
    const int stages = StageCount(n);
    int half = n;
    int e = 1;
    for (int stage = 0; stage < stages; ++stage) {
        half /= 2;
        for (int b = 0; b < e; ++b) {
            V4* r0 = re + 2 * half * b;
            V4* i0 = im + 2 * half * b;
            V4* r1 = r0 + half;
            V4* i1 = i0 + half;
            for (int j = 0; j < half; ++j) {
                V4 dr = r0[j] - r1[j];
                V4 di = i0[j] - i1[j];
                if constexpr (Single) {
                    dr = __builtin_convertvector(__builtin_convertvector(dr, F4), V4);
                    di = __builtin_convertvector(__builtin_convertvector(di, F4), V4);
                }
                r0[j] = r0[j] + r1[j];
                i0[j] = i0[j] + i1[j];
                const int w = j * e;
                if (w == 0) {
                    r1[j] = dr;
                    i1[j] = di;
                } else {
                    const double c = cosT[w];
                    const double s = sinT[w];
                    r1[j] = dr * c + di * s;
                    i1[j] = di * c - dr * s;
                }
            }
        }
        e *= 2;
    }
    int j = n / 2;
    for (int i = 1; i < n; ++i) {
        if (j < i) {
            const V4 r = re[j], m = im[j];
            if constexpr (Single) {
                re[j] = __builtin_convertvector(__builtin_convertvector(re[i], F4), V4);
                im[j] = __builtin_convertvector(__builtin_convertvector(im[i], F4), V4);
            } else {
                re[j] = re[i];
                im[j] = im[i];
            }
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

// Lines first .. first + 3 of the matrix through the batch buffers and back. Compiled for AVX2
// and for plain x86-64; the loader picks the one the processor runs.
__attribute__((target_clones("avx2", "default"))) void TransformGroup(double* reData, double* imData, int n,
                                                                       bool alongFirst, int first,
                                                                       const double* cosT, const double* sinT,
                                                                       bool single)
{
    const long long side = kMatrixSide;
    if (alongFirst) {
        // Lines of fixed y: element x of line y sits at [x][y], so four neighbouring lines share
        // one contiguous group of four doubles.
        for (int x = 0; x < n; ++x) {
            std::memcpy(&batchRe[x], reData + x * side + first, sizeof(V4));
            std::memcpy(&batchIm[x], imData + x * side + first, sizeof(V4));
        }
    } else {
        for (int y = 0; y < n; ++y)
            for (int l = 0; l < kLanes; ++l) {
                batchRe[y][l] = reData[(first + l) * side + y];
                batchIm[y][l] = imData[(first + l) * side + y];
            }
    }
    if (single)
        Transform4<true>(batchRe, batchIm, n, cosT, sinT);
    else
        Transform4<false>(batchRe, batchIm, n, cosT, sinT);
    if (alongFirst) {
        for (int x = 0; x < n; ++x) {
            std::memcpy(reData + x * side + first, &batchRe[x], sizeof(V4));
            std::memcpy(imData + x * side + first, &batchIm[x], sizeof(V4));
        }
    } else {
        for (int y = 0; y < n; ++y)
            for (int l = 0; l < kLanes; ++l) {
                reData[(first + l) * side + y] = batchRe[y][l];
                imData[(first + l) * side + y] = batchIm[y][l];
            }
    }
}

double& ElementOf(SquareMatrix& m, Axis axis, int line, int index)
{
    return axis == Axis::First ? m[index][line] : m[line][index];
}

} // namespace

FftWorkspace& SharedFft() { return sharedWorkspace; }

bool IsMatrixSize(long long n) { return n >= 1 && n <= kMaxMatrixSize && (n & (n - 1)) == 0; }

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

void TransformLines(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n, Axis axis, int lines,
                    FftPrecision precision)
{
    RequireLength(n, kMaxMatrixSize);
    if (lines < 0 || lines > n)
        throw std::invalid_argument("line count outside the matrix");
    const bool single = precision == FftPrecision::Single;
    if (!single)
        ws.FftLength = n;
    int line = 0;
    if (n >= kLanes) {
        for (; line + kLanes <= lines; line += kLanes)
            TransformGroup(re[0], im[0], n, axis == Axis::First, line, ws.FftCosTable.data(), ws.FftSinTable.data(),
                           single);
        if (line > 0) {
            // The work arrays hold the last line, as they do after a loop of single transforms.
            for (int k = 0; k < n; ++k) {
                ws.FftWorkRe[k] = batchRe[k][kLanes - 1];
                ws.FftWorkIm[k] = batchIm[k][kLanes - 1];
            }
        }
    }
    for (; line < lines; ++line) {
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

} // namespace spectrum
