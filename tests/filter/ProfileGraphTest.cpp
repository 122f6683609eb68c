#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "ProfileGraph.h"

namespace {

TEST(ProfilePath, AnglesOnN64)
{
    struct Case { double degrees; std::size_t count; int lastDx, lastDy; };
    const Case cases[] = {{0, 32, 31, 0}, {90, 32, 0, 31}, {45, 45, 31, 31}};
    for (const Case& c : cases) {
        const auto path = filter::MakeProfilePath(c.degrees, 64);
        ASSERT_EQ(path.dx.size(), c.count) << c.degrees;
        EXPECT_EQ(path.dx.back(), c.lastDx) << c.degrees;
        EXPECT_EQ(path.dy.back(), c.lastDy) << c.degrees;
    }
    const auto vertical = filter::MakeProfilePath(90, 64);
    for (int dx : vertical.dx)
        ASSERT_EQ(dx, 0);
}

TEST(ProfilePath, DiagonalOfTheLargestMatrixFitsTheBuffer)
{
    const auto path = filter::MakeProfilePath(45, 1024);
    EXPECT_EQ(path.dx.size(), 724u);
    auto m = std::make_unique<spectrum::SquareMatrix>();
    std::vector<double> values;
    const int k = filter::SampleProfile(*m, 1024, path, values);
    EXPECT_EQ(k, 724);
    EXPECT_LE(2 * k, filter::kProfileCapacity);
}

TEST(SampleProfile, MirrorTextSmoothingAndRange)
{
    const int n = 8, h = 4;
    auto m = std::make_unique<spectrum::SquareMatrix>();
    // Along 0 degrees: 10^3 at the centre, 10^2, 10^1, 10^0 outward.
    for (int i = 0; i < 4; ++i)
        (*m)[h + i][h] = std::pow(10.0, 3 - i);
    const auto path = filter::MakeProfilePath(0, n);
    std::vector<double> v;
    const int k = filter::SampleProfile(*m, n, path, v);
    ASSERT_EQ(k, 4);
    const double mirrored[] = {0, 1, 2, 3, 3, 2, 1, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_DOUBLE_EQ(v[i], mirrored[i]) << i;
    EXPECT_EQ(filter::ProfileText(v, k), "0\t1\t2\t3\r\n");
    filter::SmoothProfile(v, 2 * k);
    // In place, the left neighbour already smoothed.
    EXPECT_DOUBLE_EQ(v[1], (0 + 1 + 2) / 3.0);
    EXPECT_DOUBLE_EQ(v[2], (v[1] + 2 + 3) / 3.0);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[7], 0);
    const auto r = filter::FindProfileRange(v, 2 * k);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.min, 0);
}

TEST(SampleProfile, ElementsWithoutLogarithmAreLeftOut)
{
    const int n = 8, h = 4;
    auto m = std::make_unique<spectrum::SquareMatrix>();
    (*m)[h][h] = 100;
    (*m)[h + 1][h] = 10;
    (*m)[h + 2][h] = 0;    // no logarithm
    (*m)[h + 3][h] = -4;   // none either
    std::vector<double> v;
    const int k = filter::SampleProfile(*m, n, filter::MakeProfilePath(0, n), v);
    EXPECT_EQ(filter::ProfileText(v, k), "\t\t1\t2\r\n");
    filter::SmoothProfile(v, 2 * k);
    const auto r = filter::FindProfileRange(v, 2 * k);
    ASSERT_TRUE(r.valid);
    const auto curve = filter::PlotProfile(v, 2 * k, r, 256, 256);
    ASSERT_EQ(curve.runs.size(), 1u);  // the valid middle, the missing ends left out
    EXPECT_EQ(curve.runs[0].size(), 4u);
    EXPECT_EQ(curve.runs[0].front().x, 64);  // i = 2 of 8
    EXPECT_EQ(curve.tickYs.size(), 10u);
}

TEST(PlotProfile, ScaleFlatProfileAndNothingToDraw)
{
    std::vector<double> v = {1, 2, 3, 3, 2, 1};
    const filter::ProfileRange r{3, 1, true};
    const auto curve = filter::PlotProfile(v, 6, r, 256, 256);
    ASSERT_EQ(curve.runs.size(), 1u);
    const auto& run = curve.runs[0];
    ASSERT_EQ(run.size(), 7u);  // the starting point and one per value
    EXPECT_EQ(run[0].x, 0);
    EXPECT_EQ(run[0].y, 230);   // 256 - (0 + 25.6) = 230.4
    EXPECT_EQ(run[3].y, 26);    // the maximum: 256 - (204.8 + 25.6) = 25.6
    EXPECT_EQ(run[6].x, 213);   // 5 / 6 * 256 = 213.3
    EXPECT_EQ(curve.tickYs[0], 26);
    // A flat profile is a straight line in the middle.
    std::vector<double> flat(6, 2.5);
    const auto line = filter::PlotProfile(flat, 6, filter::FindProfileRange(flat, 6), 256, 256);
    for (const auto& p : line.runs.at(0))
        EXPECT_EQ(p.y, 128);
    // Nothing with a logarithm: nothing drawn.
    std::vector<double> none(4, NAN);
    const auto range = filter::FindProfileRange(none, 4);
    EXPECT_FALSE(range.valid);
    EXPECT_TRUE(filter::PlotProfile(none, 4, range, 256, 256).runs.empty());
}

} // namespace
