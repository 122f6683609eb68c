#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "Errors.h"
#include "RadialFilter.h"

namespace {

using filter::SquareMatrix;

// The matrices are 8 MB each: keep them off the stack.
std::unique_ptr<SquareMatrix> Gain(int n)
{
    auto g = std::make_unique<SquareMatrix>();
    filter::ResetGain(*g, n);
    return g;
}

TEST(IntPower, RepeatedSquaringAndItsEdges)
{
    struct Case { double base; long long exponent; double expected; };
    const Case cases[] = {
        {2.0, 10, 1024.0}, {0.0, 4, 0.0}, {0.0, 0, 1.0}, {3.0, 0, 1.0}, {-2.0, 3, -8.0},
        {2.0, -2, 0.25}, {1.5, 2, 2.25}, {2.0, 2000, INFINITY},
    };
    for (const Case& c : cases)
        EXPECT_EQ(filter::IntPower(c.base, c.exponent), c.expected) << c.base << "^" << c.exponent;
    EXPECT_THROW(filter::IntPower(0.0, -2), common::FloatError);
}

TEST(LowCutFilter, CentreAmplitudeAndUnitGainBeyondTwiceTheCutOff)
{
    const int n = 64, h = 32;
    auto g = Gain(n);
    double filterMax = 0.0;
    ASSERT_TRUE(filter::LowCutFilter(*g, n, 0.2, 5, false, filterMax));
    // d = 2 at the centre: power gain 1 / (2^10 + 1).
    EXPECT_DOUBLE_EQ((*g)[h][h], std::sqrt(1.0 / 1025.0));
    // r >= 2 c N = 25.6 keeps gain 1; r = 25 does not.
    EXPECT_EQ((*g)[h + 26][h], 1.0);
    EXPECT_EQ((*g)[h][h - 26], 1.0);
    EXPECT_EQ((*g)[h + 18][h + 19], 1.0);  // r = 26.2
    EXPECT_LT((*g)[h + 25][h], 1.0);
    // At the cut-off r / N = c the power gain is 1/2: r = 12.8 lies between samples, so check the
    // response itself at a sample where d is exact: r = 16 gives d = 0.75.
    EXPECT_DOUBLE_EQ((*g)[h + 16][h], std::sqrt(1.0 / (std::pow(0.75, 10) + 1.0)));
    EXPECT_EQ(filterMax, 1.0);
}

TEST(LowCutFilter, CutOffNotAboveZeroChangesNothing)
{
    const int n = 8;
    auto g = Gain(n);
    (*g)[1][2] = 0.5;
    double filterMax = 7.0;
    EXPECT_FALSE(filter::LowCutFilter(*g, n, 0.0, 5, true, filterMax));
    EXPECT_FALSE(filter::LowCutFilter(*g, n, -0.1, 5, true, filterMax));
    EXPECT_EQ(filterMax, 7.0);
    EXPECT_EQ((*g)[1][2], 0.5);
    EXPECT_EQ((*g)[0][0], 1.0);
}

TEST(HighCutFilter, PowerZeroGivesHalfPowerEverywhereAndIsNotSteepened)
{
    const int n = 16;
    auto g = Gain(n);
    double filterMax = 0.0;
    filter::HighCutFilter(*g, n, 0.25f, 0, true, filterMax);
    const double a = std::sqrt(0.5f);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            ASSERT_EQ((*g)[x][y], a) << x << "," << y;
    EXPECT_NEAR(a, 0.7071, 1e-4);
    EXPECT_EQ(filterMax, static_cast<double>(static_cast<float>(a)));
}

TEST(HighCutFilter, ButterworthResponseAndSteepening)
{
    const int n = 64, h = 32;
    auto plain = Gain(n), steep = Gain(n);
    double maxPlain = 0.0, maxSteep = 0.0;
    filter::HighCutFilter(*plain, n, 0.25f, 5, false, maxPlain);
    filter::HighCutFilter(*steep, n, 0.25f, 5, true, maxSteep);
    EXPECT_EQ((*plain)[h][h], 1.0);
    EXPECT_EQ(maxPlain, 1.0);
    // r = 16 is the cut-off itself: amplitude sqrt(1/2), above 0.7, not steepened.
    const double atCut = std::sqrt(0.5f);
    EXPECT_EQ((*plain)[h + 16][h], atCut);
    EXPECT_EQ((*steep)[h + 16][h], atCut);
    // r = 24: t = 1.5, a = sqrt(1 / (1.5^10 + 1)) < 0.7, steepened to a^4.
    const float a = std::sqrt(static_cast<float>(1.0 / (std::pow(1.5f, 10) + 1.0)));
    EXPECT_EQ((*plain)[h - 24][h], static_cast<double>(a));
    EXPECT_DOUBLE_EQ((*steep)[h - 24][h], std::pow(static_cast<double>(a), 4));
}

TEST(HighCutFilter, DivisionErrors)
{
    const int n = 8;
    auto g = Gain(n);
    double filterMax = 3.0;
    EXPECT_THROW(filter::HighCutFilter(*g, n, 0.0f, 5, false, filterMax), common::FloatError);
    EXPECT_EQ((*g)[0][0], 1.0);  // stopped at the first element
    EXPECT_EQ(filterMax, 3.0);
    // A negative power meets the zero base at the centre.
    EXPECT_THROW(filter::HighCutFilter(*g, n, 0.25f, -1, false, filterMax), common::FloatError);
}

TEST(BandPass, IsTheProductAndTakesTheHighCutMaximum)
{
    const int n = 32;
    auto lcf = Gain(n), hcf = Gain(n), bpf = Gain(n);
    double m1 = 0, m2 = 0, m3 = 0;
    filter::LowCutFilter(*lcf, n, 0.2, 5, false, m1);
    filter::HighCutFilter(*hcf, n, 0.25f, 5, false, m2);
    filter::LowCutFilter(*bpf, n, 0.2, 5, false, m3);
    filter::HighCutFilter(*bpf, n, 0.25f, 5, false, m3);
    double expectedMax = 0;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            ASSERT_EQ((*bpf)[x][y], (*lcf)[x][y] * (*hcf)[x][y]);
            expectedMax = std::max(expectedMax, (*bpf)[x][y]);
        }
    EXPECT_EQ(m3, static_cast<double>(static_cast<float>(expectedMax)));
    EXPECT_LT(m3, 1.0);
}

TEST(CutOffStep, OneThreeOrNineSamples)
{
    // N = 64, step item "3": 0.25 -> 0.296875 and 0.2 -> 0.246875.
    EXPECT_EQ(0.25 + filter::CutOffStep(64, 1), 0.296875);
    EXPECT_DOUBLE_EQ(0.2 + filter::CutOffStep(64, 1), 0.246875);
    EXPECT_EQ(filter::CutOffStep(64, 0), 1.0 / 64);
    EXPECT_EQ(filter::CutOffStep(64, 2), 9.0 / 64);
}

} // namespace
