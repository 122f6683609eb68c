#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "Errors.h"
#include "SpectrumProfile.h"

namespace {

using spectrum::SquareMatrix;

// A map whose value encodes its position: [p][q] = 1000 p + q.
std::unique_ptr<SquareMatrix> PositionMap(int n)
{
    auto m = std::make_unique<SquareMatrix>();
    for (int p = 0; p < n; ++p)
        for (int q = 0; q < n; ++q)
            (*m)[p][q] = 1000 * p + q;
    return m;
}

TEST(SpectrumProfile, DirectionsOnN64)
{
    const int n = 64;
    auto map = PositionMap(n);
    const struct {
        double degrees;
        int c;
        int lastPx, lastPy;
        int markDx, markDy;
    } cases[] = {
        {0, 32, 31, 0, 124, 0},
        {45, 45, 31, 31, 124, 124},
        {90, 32, 0, 31, 0, 124},
    };
    for (const auto& k : cases) {
        spectrum::SpectrumProfile p = spectrum::SampleProfile(*map, n, k.degrees);
        EXPECT_EQ(p.c, k.c) << k.degrees;
        EXPECT_EQ(p.lastPx, k.lastPx) << k.degrees;
        EXPECT_EQ(p.lastPy, k.lastPy) << k.degrees;
        EXPECT_EQ(spectrum::MarkOffset(256, n, p.lastPx), k.markDx) << k.degrees;
        EXPECT_EQ(spectrum::MarkOffset(256, n, p.lastPy), k.markDy) << k.degrees;
        EXPECT_EQ(p.values.size(), 2u * k.c);
    }
    // 45 degrees: L = 32 sqrt 2.
    EXPECT_NEAR(spectrum::SampleProfile(*map, n, 45).L, 45.254834, 1e-5);
}

TEST(SpectrumProfile, SamplesRunAlongTheDirection)
{
    // A map that is 0 except along the samples: the unsmoothed ends show the border samples.
    const int n = 64;
    auto map = PositionMap(n);
    spectrum::SpectrumProfile p = spectrum::SampleProfile(*map, n, 0);
    // First and last values stay as sampled: the border sample [63][32] at both ends.
    EXPECT_EQ(p.values.front(), 63032);
    EXPECT_EQ(p.values.back(), 63032);
    p = spectrum::SampleProfile(*map, n, 90);
    EXPECT_EQ(p.values.back(), 32063);  // down the centre column: [32][63]
}

TEST(SpectrumProfile, SmoothingFeedsEachValueIntoTheNext)
{
    std::vector<double> v = {0, 0, 3, 3, 0, 0};
    spectrum::Smooth(v);
    const double expect[] = {0, 1, 7.0 / 3, 16.0 / 9, 16.0 / 27, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_DOUBLE_EQ(v[i], expect[i]) << i;
    std::vector<double> flat(9, 2.5);
    spectrum::Smooth(flat);
    for (double x : flat)
        EXPECT_DOUBLE_EQ(x, 2.5);
}

TEST(SpectrumProfile, TextAndChartValues)
{
    spectrum::SpectrumProfile p;
    p.c = 2;
    p.L = 2;
    p.values = {2, -4, 0, 0.5};
    // n = 4 (h = 2), d = 0.5: x(k) = (k - 2) / 2 * 2 / 2.
    EXPECT_EQ(spectrum::ProfileText(p, 4, 0.5), "-1\t2\r\n-0.5\t-4\r\n0\t0\r\n0.5\t0.5\r\n");
    const auto linear = spectrum::ProfileChartPoints(p, 4, 0.5, false);
    ASSERT_EQ(linear.size(), 4u);
    EXPECT_EQ(linear[0].x, -1);  // (k - c) / (n d)
    EXPECT_EQ(linear[1].y, -4);
    const auto logs = spectrum::ProfileChartPoints(p, 4, 0.5, true);
    EXPECT_DOUBLE_EQ(logs[0].y, 100);
    EXPECT_NEAR(logs[1].y, 1.00023, 1e-5);  // negative values count as 0.0001
    EXPECT_EQ(logs[2].y, 1);
    EXPECT_THROW(spectrum::ProfileText(p, 4, 0), common::FloatError);
    EXPECT_THROW(spectrum::ProfileChartPoints(p, 4, 0, false), common::FloatError);
}

} // namespace
