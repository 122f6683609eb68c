#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <iostream>
#include <memory>
#include <random>
#include <vector>

#include "Fft.h"
#include "FftBatch.h"
#include "ThreadPool.h"

namespace {

using spectrum::Axis;
using spectrum::FftPrecision;
using spectrum::FftWorkspace;
using spectrum::SquareMatrix;

// The transform written out plainly, one line at a time, with its own tables: the reference the
// library's batched passes must reproduce bit for bit.
struct Reference {
    std::vector<double> sinT, cosT;

    Reference(int n, bool single) : sinT(n / 2 + 1), cosT(n / 2 + 1)
    {
        if (single) {
            const float step = static_cast<float>(6.283184 / n);
            float a = 0;
            for (int k = 0; k <= n / 2; ++k, a = a + step) {
                sinT[k] = std::sin(double(a));
                cosT[k] = std::cos(double(a));
            }
        } else {
            const double step = 6.283184 / n;
            double a = 0;
            for (int k = 0; k <= n / 2; ++k, a = a + step) {
                sinT[k] = std::sin(a);
                cosT[k] = std::cos(a);
            }
        }
    }

    static double Round(double v, bool single) { return single ? double(float(v)) : v; }

    void Run(std::vector<double>& re, std::vector<double>& im, bool single) const
    {
        const int n = static_cast<int>(re.size());
        int stages = 0;
        while ((1 << (stages + 1)) <= n)
            ++stages;
        int half = n, e = 1;
        for (int t = 0; t < stages; ++t) {
            half /= 2;
            for (int b = 0; b < e; ++b)
                for (int j = 0; j < half; ++j) {
                    const int k = 2 * half * b + j, w = j * e;
                    const double dr = Round(re[k] - re[k + half], single);
                    const double di = Round(im[k] - im[k + half], single);
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
            e *= 2;
        }
        int j = n / 2;
        for (int i = 1; i < n; ++i) {
            if (j < i) {
                const double r = re[j], m = im[j];
                re[j] = Round(re[i], single);
                im[j] = Round(im[i], single);
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
};

struct Complex2D {
    std::unique_ptr<SquareMatrix> re = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> im = std::make_unique<SquareMatrix>();
};

// Rows (along x for every y), then columns, through the library.
void Transform2D(FftWorkspace& ws, Complex2D& m, int n, FftPrecision p)
{
    spectrum::BuildFftTables(ws, n, p);
    spectrum::TransformLines(ws, *m.re, *m.im, n, Axis::First, n, p);
    spectrum::TransformLines(ws, *m.re, *m.im, n, Axis::Second, n, p);
}

TEST(Fft1D, ImpulseAtOneGivesTheTableValues)
{
    FftWorkspace ws;
    spectrum::BuildFftTables(ws, 8, FftPrecision::Double);
    ws.FftLength = 8;
    ws.FftWorkRe[1] = 1;
    spectrum::Fft1D(ws);
    for (int k = 0; k < 4; ++k) {
        // k = 3 is a product of two twiddles: a few ulp off the table.
        const double tol = k < 3 ? 0 : 4e-16;
        EXPECT_NEAR(ws.FftWorkRe[k], ws.FftCosTable[k], tol) << k;
        EXPECT_NEAR(ws.FftWorkIm[k], -ws.FftSinTable[k], tol) << k;
        EXPECT_NEAR(ws.FftWorkRe[k + 4], -ws.FftWorkRe[k], 4e-16) << k;
        EXPECT_NEAR(ws.FftWorkIm[k + 4], -ws.FftWorkIm[k], 4e-16) << k;
    }
    // X[2] = -i: the exponent carries the minus sign.
    EXPECT_NEAR(ws.FftWorkRe[2], 0, 1e-6);
    EXPECT_NEAR(ws.FftWorkIm[2], -1, 1e-12);
}

TEST(Fft1D, OnePointIsLeftAlone)
{
    for (FftPrecision p : {FftPrecision::Double, FftPrecision::Single}) {
        FftWorkspace ws;
        spectrum::BuildFftTables(ws, 1, p);
        ws.FftLength = 1;
        ws.FftWorkRe[0] = 0.1;
        ws.FftWorkIm[0] = -0.3;
        if (p == FftPrecision::Double)
            spectrum::Fft1D(ws);
        else
            spectrum::FilterFft1D(ws, 1);
        EXPECT_EQ(ws.FftWorkRe[0], 0.1);
        EXPECT_EQ(ws.FftWorkIm[0], -0.3);
    }
}

TEST(Fft1D, TablesAdvanceByRepeatedAddition)
{
    FftWorkspace ws;
    spectrum::BuildFftTables(ws, 1024, FftPrecision::Double);
    double a = 0;
    for (int k = 0; k < 512; ++k)
        a = a + 6.283184 / 1024;
    EXPECT_EQ(ws.FftSinTable[512], std::sin(a));  // not sin(512 * step)
    EXPECT_EQ(ws.FftCosTable[0], 1.0);
    spectrum::BuildFftTables(ws, 1024, FftPrecision::Single);
    float s = 0;
    for (int k = 0; k < 300; ++k)
        s = s + float(6.283184 / 1024);
    EXPECT_EQ(ws.FftCosTable[300], std::cos(double(s)));
}

TEST(Fft1D, RefusesLengthsOutsideTheWorkArrays)
{
    FftWorkspace ws;
    for (int n : {0, 3, 4096}) {
        ws.FftLength = n;
        EXPECT_THROW(spectrum::Fft1D(ws), std::invalid_argument) << n;
        EXPECT_THROW(spectrum::BuildFftTables(ws, n, FftPrecision::Double), std::invalid_argument) << n;
    }
}

// Worked examples of the 2-D transform, in both precisions.
TEST(Fft2D, WorkedExamples)
{
    for (FftPrecision p : {FftPrecision::Double, FftPrecision::Single}) {
        const double tol = p == FftPrecision::Double ? 1e-9 : 1e-4;
        FftWorkspace ws;
        {   // single 1 at (0, 0): a flat spectrum
            const int n = 16;
            Complex2D m;
            (*m.re)[0][0] = 1;
            Transform2D(ws, m, n, p);
            for (int u = 0; u < n; ++u)
                for (int v = 0; v < n; ++v) {
                    ASSERT_NEAR((*m.re)[u][v], 1, tol);
                    ASSERT_NEAR((*m.im)[u][v], 0, tol);
                }
        }
        {   // constant c: everything in the constant term
            const int n = 32;
            const double c = 7.5;
            Complex2D m;
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y)
                    (*m.re)[x][y] = c;
            Transform2D(ws, m, n, p);
            EXPECT_EQ((*m.re)[0][0], c * n * n);
            for (int u = 0; u < n; ++u)
                for (int v = 0; v < n; ++v)
                    if (u || v) {
                        ASSERT_NEAR((*m.re)[u][v], 0, tol * c * n * n);
                        ASSERT_NEAR((*m.im)[u][v], 0, tol * c * n * n);
                    }
        }
        {   // N = 4, every row 1 2 3 4
            Complex2D m;
            for (int x = 0; x < 4; ++x)
                for (int y = 0; y < 4; ++y)
                    (*m.re)[x][y] = x + 1;
            Transform2D(ws, m, 4, p);
            const double re0[] = {40, -8, -8, -8}, im0[] = {0, 8, 0, -8};
            for (int u = 0; u < 4; ++u) {
                EXPECT_NEAR((*m.re)[u][0], re0[u], 1e-4) << u;
                EXPECT_NEAR((*m.im)[u][0], im0[u], 1e-4) << u;
                for (int v = 1; v < 4; ++v) {
                    EXPECT_NEAR((*m.re)[u][v], 0, 1e-9);
                    EXPECT_NEAR((*m.im)[u][v], 0, 1e-9);
                }
            }
        }
    }
}

// Against the definition, summed directly with exact angles. The tables use 6.283184 for 2 pi, so
// the agreement is about one part in 10^7 of the signal's size.
TEST(Fft2D, MatchesADirectDft)
{
    const int n = 16;
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> dist(-100, 100);
    std::vector<double> f(n * n);
    Complex2D m;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            (*m.re)[x][y] = f[x * n + y] = dist(rng);
    FftWorkspace ws;
    Transform2D(ws, m, n, FftPrecision::Double);
    double scale = 0;
    for (double v : f)
        scale += std::abs(v);
    const double pi = std::acos(-1.0);
    for (int u = 0; u < n; ++u)
        for (int v = 0; v < n; ++v) {
            std::complex<double> sum = 0;
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y)
                    sum += f[x * n + y] * std::polar(1.0, -2 * pi * ((u * x + v * y) % n) / n);
            ASSERT_NEAR((*m.re)[u][v], sum.real(), 2e-6 * scale) << u << "," << v;
            ASSERT_NEAR((*m.im)[u][v], sum.imag(), 2e-6 * scale) << u << "," << v;
        }
}

// The batched passes against the plain reference, every size, both axes, both precisions.
TEST(Fft2D, BatchedPassesAreBitIdenticalToTheReference)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> dist(-4096, 4096);
    FftWorkspace ws;
    for (FftPrecision p : {FftPrecision::Double, FftPrecision::Single}) {
        const bool single = p == FftPrecision::Single;
        for (int n = 1; n <= 1024; n *= 2) {
            Complex2D m;
            std::vector<double> expectRe(n * n), expectIm(n * n);  // [x * n + y]
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y) {
                    (*m.re)[x][y] = expectRe[x * n + y] = dist(rng);
                    (*m.im)[x][y] = expectIm[x * n + y] = single ? dist(rng) : 0.0;
                }
            const Reference ref(n, single);
            std::vector<double> lr(n), li(n);
            for (int pass = 0; pass < 2; ++pass)
                for (int line = 0; line < n; ++line) {
                    auto at = [&](int k) { return pass == 0 ? k * n + line : line * n + k; };
                    for (int k = 0; k < n; ++k) {
                        lr[k] = expectRe[at(k)];
                        li[k] = expectIm[at(k)];
                    }
                    ref.Run(lr, li, single);
                    for (int k = 0; k < n; ++k) {
                        expectRe[at(k)] = lr[k];
                        expectIm[at(k)] = li[k];
                    }
                }
            Transform2D(ws, m, n, p);
            int mismatches = 0;
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y)
                    mismatches += std::memcmp(&(*m.re)[x][y], &expectRe[x * n + y], sizeof(double)) != 0 ||
                                  std::memcmp(&(*m.im)[x][y], &expectIm[x * n + y], sizeof(double)) != 0;
            EXPECT_EQ(mismatches, 0) << "n = " << n << (single ? " single" : " double");
            // The work arrays end with the last column's result, as a loop of Fft1D calls leaves them.
            for (int k = 0; k < n; ++k)
                ASSERT_EQ(ws.FftWorkRe[k], lr[k]) << n;
            if (!single) {
                EXPECT_EQ(ws.FftLength, n);
            }
        }
    }
}

// The plain x86-64 build of the batch against the ones the program dispatches to (AVX2 four lines
// at a time, and AVX-512 eight at a time where the processor has them): the same bits.
TEST(Fft2D, PlainBuildMatchesTheDispatchedOnes)
{
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> dist(-1e6, 1e6);
    FftWorkspace ws;
    std::vector<int> widths{spectrum::kBatchLanes};
    if (spectrum::WidestBatch() == spectrum::kWideBatchLanes)
        widths.push_back(spectrum::kWideBatchLanes);
    else
        std::cout << "no AVX-512 here: only the four-line builds are compared\n";
    for (int lanes : widths)
        for (bool single : {false, true})
            for (bool alongFirst : {true, false})
                for (int n = lanes; n <= 1024; n *= 2) {
                    Complex2D a, b;
                    for (int x = 0; x < n; ++x)
                        for (int y = 0; y < n; ++y) {
                            (*a.re)[x][y] = (*b.re)[x][y] = dist(rng);
                            (*a.im)[x][y] = (*b.im)[x][y] = dist(rng);
                        }
                    spectrum::BuildFftTables(ws, n, single ? FftPrecision::Single : FftPrecision::Double);
                    for (int first = 0; first < n; first += lanes)
                        spectrum::TransformGroup((*a.re)[0], (*a.im)[0], n, alongFirst, first, ws.FftCosTable.data(),
                                                 ws.FftSinTable.data(), single, lanes);
                    for (int first = 0; first < n; first += spectrum::kBatchLanes)
                        spectrum::TransformGroupPlain((*b.re)[0], (*b.im)[0], n, alongFirst, first,
                                                      ws.FftCosTable.data(), ws.FftSinTable.data(), single);
                    for (int x = 0; x < n; ++x)
                        ASSERT_EQ(std::memcmp((*a.re)[x], (*b.re)[x], n * sizeof(double)) |
                                      std::memcmp((*a.im)[x], (*b.im)[x], n * sizeof(double)),
                                  0)
                            << n << single << alongFirst << lanes;
                }
}

// The first pass taken straight from row-major values against storing them into the matrices and
// transforming there: the same bits in the matrices and the work arrays, the lines beyond the
// count untouched (a table read that stops at a bad cell transforms only the rows before it).
TEST(Fft2D, TransformFromRowsMatchesStoringThenTransforming)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> dist(-4096, 4096);
    const struct {
        int n, count;
    } cases[] = {{2, 2}, {4, 4}, {8, 8}, {16, 13}, {64, 64}, {256, 200}, {1024, 1024}, {1024, 1017}, {512, 0}};
    for (const auto& c : cases) {
        const int n = c.n;
        std::vector<double> rows(static_cast<std::size_t>(n) * n);
        for (double& v : rows)
            v = dist(rng);
        Complex2D a, b;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                (*a.re)[x][y] = (*b.re)[x][y] = (*a.im)[x][y] = (*b.im)[x][y] = -7.0;  // what was there
        FftWorkspace wa, wb;
        spectrum::BuildFftTables(wa, n, FftPrecision::Double);
        spectrum::BuildFftTables(wb, n, FftPrecision::Double);
        for (int y = 0; y < c.count; ++y)
            for (int x = 0; x < n; ++x) {
                (*b.re)[x][y] = rows[static_cast<std::size_t>(y) * n + x];
                (*b.im)[x][y] = 0;
            }
        common::ThreadPool pool(3);
        spectrum::TransformRows(wa, rows.data(), *a.re, *a.im, n, c.count, pool);
        spectrum::TransformLines(wb, *b.re, *b.im, n, Axis::First, c.count, FftPrecision::Double);
        for (int x = 0; x < n; ++x)
            ASSERT_EQ(std::memcmp((*a.re)[x], (*b.re)[x], n * sizeof(double)) |
                          std::memcmp((*a.im)[x], (*b.im)[x], n * sizeof(double)),
                      0)
                << n << " " << c.count << " row " << x;
        EXPECT_EQ(std::memcmp(wa.FftWorkRe.data(), wb.FftWorkRe.data(), sizeof wa.FftWorkRe), 0) << n;
        EXPECT_EQ(std::memcmp(wa.FftWorkIm.data(), wb.FftWorkIm.data(), sizeof wa.FftWorkIm), 0) << n;
        EXPECT_EQ(wa.FftLength, wb.FftLength);
    }
}

TEST(Fft2D, PartialRowPassLeavesTheOtherLinesAlone)
{
    FftWorkspace ws;
    Complex2D m;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            (*m.re)[x][y] = 1;
    spectrum::BuildFftTables(ws, 8, FftPrecision::Double);
    spectrum::TransformLines(ws, *m.re, *m.im, 8, Axis::First, 5, FftPrecision::Double);
    EXPECT_EQ((*m.re)[0][4], 8);  // line 4 transformed
    EXPECT_EQ((*m.re)[0][5], 1);  // line 5 untouched
    EXPECT_EQ((*m.re)[3][5], 1);
}

} // namespace
