#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

#include "Errors.h"
#include "SpectrumMap.h"

namespace {

using spectrum::SquareMatrix;

struct Transform {
    std::unique_ptr<SquareMatrix> re = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> im = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> map = std::make_unique<SquareMatrix>();
};

// The transform of a constant table c: c n^2 in the constant term, 0 elsewhere.
Transform ConstantTable(int n, double c)
{
    Transform t;
    (*t.re)[0][0] = c * n * n;
    return t;
}

TEST(SpectrumMap, ConstantTablePowerAndStatistics)
{
    const int n = 8;
    const double c = 3;
    Transform t = ConstantTable(n, c);
    spectrum::BuildSpectrumMap(*t.re, *t.im, n, 1.0, spectrum::kPower, *t.map);
    EXPECT_EQ((*t.map)[4][4], c * c * n * n);
    EXPECT_EQ((*t.map)[0][0], 0);
    EXPECT_EQ((*t.map)[7][3], 0);
    const auto s = spectrum::ComputeMapStatistics(*t.map, n);
    EXPECT_EQ(s.mean, c * c);
    EXPECT_EQ(s.max, 0);  // the centre is skipped
    EXPECT_EQ(s.min, 0);

    spectrum::TakeLogarithm(*t.map, n);
    EXPECT_DOUBLE_EQ((*t.map)[4][4], std::log10(c * c * n * n));
    EXPECT_EQ((*t.map)[0][0], -4);
}

// Every element of every kind against its formula written out, at its centred place, on values
// with signed zeros, NaN and infinities among them: the same bits.
TEST(SpectrumMap, EveryElementIsItsFormulaAtItsCentredPlace)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double specials[] = {0.0, -0.0, nan, inf, -inf, 1e-310, 1e200};
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> dist(-1e4, 1e4);
    for (int n : {2, 16, 64}) {
        Transform t;
        for (int u = 0; u < n; ++u)
            for (int v = 0; v < n; ++v) {
                (*t.re)[u][v] = (u * n + v) % 5 == 0 ? specials[(u + v) % 7] : dist(rng);
                (*t.im)[u][v] = (u * n + v) % 7 == 0 ? specials[(u * v) % 7] : dist(rng);
            }
        const double d = 0.175;
        // Each kind's formula in the order it is written: Re . d . d / (N . d . N . d).
        const double area = n * d * n * d, d4 = d * d * d * d;
        for (int kind : {spectrum::kPower, spectrum::kAbs, spectrum::kReal, spectrum::kImag}) {
            spectrum::BuildSpectrumMap(*t.re, *t.im, n, d, kind, *t.map);
            for (int u = 0; u < n; ++u)
                for (int v = 0; v < n; ++v) {
                    const double r = (*t.re)[u][v], i = (*t.im)[u][v];
                    double want = kind == spectrum::kPower ? (r * r + i * i) * d4 / area
                                  : kind == spectrum::kAbs ? std::sqrt((r * r + i * i) * d4 / area)
                                  : kind == spectrum::kReal ? r * d * d / area
                                                            : i * d * d / area;
                    const double got = (*t.map)[(u + n / 2) % n][(v + n / 2) % n];
                    ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << n << " " << kind << " " << u << "," << v;
                }
        }
    }
}

TEST(SpectrumMap, KindsQuadrantsAndSpacing)
{
    const int n = 4;
    Transform t;
    (*t.re)[1][0] = 3;  // lands at [(1 + 2) mod 4][(0 + 2) mod 4] = [3][2]
    (*t.im)[1][0] = 4;
    (*t.re)[3][3] = -2;  // lands at [1][1]
    const struct {
        int kind;
        double d;
        double at32, at11;
    } cases[] = {
        {spectrum::kPower, 1, 25.0 / 16, 4.0 / 16},
        {spectrum::kPower, 0.5, 25.0 / 16 * 0.25, 4.0 / 16 * 0.25},  // scales with d^2
        {spectrum::kAbs, 1, 5.0 / 4, 2.0 / 4},
        {spectrum::kAbs, 0.5, 5.0 / 8, 2.0 / 8},                     // scales with d
        {spectrum::kReal, 0.5, 3.0 / 16, -2.0 / 16},                 // independent of d
        {spectrum::kImag, 2, 4.0 / 16, 0},
    };
    for (const auto& k : cases) {
        spectrum::BuildSpectrumMap(*t.re, *t.im, n, k.d, k.kind, *t.map);
        EXPECT_DOUBLE_EQ((*t.map)[3][2], k.at32) << k.kind << " " << k.d;
        EXPECT_DOUBLE_EQ((*t.map)[1][1], k.at11) << k.kind << " " << k.d;
    }
    // No kind selected: nothing written.
    (*t.map)[3][2] = 99;
    spectrum::BuildSpectrumMap(*t.re, *t.im, n, 1, -1, *t.map);
    EXPECT_EQ((*t.map)[3][2], 99);
}

TEST(SpectrumMap, ZeroSpacingStopsBeforeTheFirstElement)
{
    Transform t = ConstantTable(4, 1);
    (*t.map)[2][2] = 42;
    try {
        spectrum::BuildSpectrumMap(*t.re, *t.im, 4, 0, spectrum::kReal, *t.map);
        FAIL();
    } catch (const common::FloatError& e) {
        EXPECT_STREQ(e.what(), common::kInvalidFloatOpMessage);
    }
    EXPECT_EQ((*t.map)[2][2], 42);
}

TEST(SpectrumMap, StatisticsSkipOnlyTheCentre)
{
    const int n = 4;
    Transform t;
    for (int p = 0; p < n; ++p)
        for (int q = 0; q < n; ++q)
            (*t.map)[p][q] = p + 10 * q;
    (*t.map)[2][2] = 1000;  // centre: counted in the mean only
    (*t.map)[0][3] = -5;
    const auto s = spectrum::ComputeMapStatistics(*t.map, n);
    EXPECT_EQ(s.max, 33);
    EXPECT_EQ(s.min, -5);
    double sum = 0;
    for (int q = 0; q < n; ++q)
        for (int p = 0; p < n; ++p)
            sum += (*t.map)[p][q];
    EXPECT_EQ(s.mean, sum / 16);

    // N = 2: the start element [1][1] is itself the centre; the rule still skips it afterwards.
    (*t.map)[1][1] = 50;
    (*t.map)[0][0] = 1;
    (*t.map)[1][0] = 2;
    (*t.map)[0][1] = 3;
    const auto two = spectrum::ComputeMapStatistics(*t.map, 2);
    EXPECT_EQ(two.max, 50);
    EXPECT_EQ(two.min, 1);
}

} // namespace
