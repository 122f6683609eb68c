#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "Errors.h"
#include "FilterPipeline.h"
#include "FilteredHistogram.h"
#include "RadialFilter.h"

namespace {

using filter::SquareMatrix;

// The matrices of one filter run, off the stack.
struct FilterRun {
    int n;
    std::unique_ptr<SquareMatrix> raw = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> re = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> im = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> map = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> gain = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> fRe = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> fIm = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> fPower = std::make_unique<SquareMatrix>();
    std::unique_ptr<SquareMatrix> image = std::make_unique<SquareMatrix>();
    spectrum::FftWorkspace ws;

    explicit FilterRun(int size) : n(size) {}

    // The spectrum by a direct DFT of the raw matrix (the independent reference), and a centred
    // power map with d = 1.
    void Transform()
    {
        const int h = n / 2;
        for (int u = 0; u < n; ++u)
            for (int v = 0; v < n; ++v) {
                double sr = 0, si = 0;
                for (int x = 0; x < n; ++x)
                    for (int y = 0; y < n; ++y) {
                        const double a = -2 * std::numbers::pi * (double(u) * x + double(v) * y) / n;
                        sr += (*raw)[x][y] * std::cos(a);
                        si += (*raw)[x][y] * std::sin(a);
                    }
                (*re)[u][v] = sr;
                (*im)[u][v] = si;
                (*map)[(u + h) % n][(v + h) % n] = (sr * sr + si * si) / n / n;
            }
    }

    double FilterAndBack(std::optional<double> ssir = std::nullopt)
    {
        const double powerMax = filter::FilterSpectrum(*re, *im, *map, *gain, n, *fRe, *fIm, *fPower);
        filter::FilterFft2D(ws, *fRe, *fIm, n, ssir);
        filter::PlaceFilteredImage(*fRe, n, *image);
        return powerMax;
    }
};

TEST(FilterPipeline, NoFilterReturnsTheRoiPixelForPixel)
{
    for (int n : {4, 8, 32}) {
        FilterRun run(n);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                (*run.raw)[x][y] = (x * 7 + y * 13) % 17 + 3 * x;
        run.Transform();
        filter::ResetGain(*run.gain, n);
        const double powerMax = run.FilterAndBack();
        double mapMax = (*run.map)[0][0];
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                ASSERT_NEAR((*run.image)[x][y], (*run.raw)[x][y], 1e-4 * (1 + std::abs((*run.raw)[x][y])))
                    << "n " << n << " at " << x << "," << y;
                ASSERT_EQ((*run.fPower)[x][y], (*run.map)[x][y]);
                mapMax = std::max(mapMax, (*run.map)[x][y]);
            }
        EXPECT_EQ(powerMax, mapMax);
    }
}

TEST(FilterPipeline, ConstantInputStaysConstant)
{
    const int n = 16;
    FilterRun run(n);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            (*run.raw)[x][y] = 250;
    run.Transform();
    filter::ResetGain(*run.gain, n);
    run.FilterAndBack();
    const auto e = filter::FindExtremes(*run.image, n);
    EXPECT_NEAR(e.max, 250, 1e-3);
    EXPECT_NEAR(e.min, 250, 1e-3);
    EXPECT_NEAR(e.max, e.min, 1e-3);
}

TEST(FilterPipeline, GainIsAppliedCentredToTheUnshiftedSpectrum)
{
    const int n = 8, h = 4;
    FilterRun run(n);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            (*run.re)[x][y] = 1;
            (*run.im)[x][y] = -1;
            (*run.map)[x][y] = 2;
            (*run.gain)[x][y] = 10 * x + y;
        }
    filter::FilterSpectrum(*run.re, *run.im, *run.map, *run.gain, n, *run.fRe, *run.fIm, *run.fPower);
    // The constant term takes the centre gain, frequency (1, h + 1) the gain at (h + 1, 1).
    EXPECT_EQ((*run.fRe)[0][0], 44);
    EXPECT_EQ((*run.fIm)[0][0], -44);
    EXPECT_EQ((*run.fRe)[1][h + 1], 10 * (h + 1) + 1);
    EXPECT_EQ((*run.fPower)[3][5], 35.0 * 35.0 * 2);
}

TEST(FilterPipeline, NoiseFloorOfTheConstantTermRemovesAMeanDominatedImage)
{
    const int n = 8;
    FilterRun run(n);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            (*run.raw)[x][y] = 100 + ((x + y) % 2);  // the mean is by far the strongest component
    run.Transform();
    filter::ResetGain(*run.gain, n);
    run.FilterAndBack(1.0);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            ASSERT_EQ((*run.image)[x][y], 0.0) << x << "," << y;
}

TEST(FilterPipeline, NoiseFloorWithDivisorZeroStopsBeforeTheTransform)
{
    const int n = 4;
    FilterRun run(n);
    (*run.fRe)[0][0] = 3;
    (*run.fRe)[1][0] = 5;
    EXPECT_THROW(filter::FilterFft2D(run.ws, *run.fRe, *run.fIm, n, 0.0), common::FloatError);
    EXPECT_EQ((*run.fRe)[0][0], 3);
    EXPECT_EQ((*run.fRe)[1][0], 5);
}

TEST(FilteredHistogram, BinRuleExamples)
{
    struct Case { double v; int bin; };
    // B = 32, Min = 0, Max = 320: bins are 10 wide.
    const Case cases[] = {{10, 1}, {10.5, 2}, {-5, 0}, {0, 0}, {320, 32}, {325, 33}, {330, 33},
                          {1e9, 99}, {NAN, 99}};
    for (const Case& c : cases)
        EXPECT_EQ(filter::HistogramBin(c.v, 320, 0, 32), c.bin) << c.v;
    // Max = Min: everything into bin 0.
    EXPECT_EQ(filter::HistogramBin(5, 3, 3, 32), 0);
    EXPECT_EQ(filter::HistogramBin(1, 3, 3, 32), 0);
}

TEST(FilteredHistogram, PointsAndCounts)
{
    const int n = 4;
    auto image = std::make_unique<SquareMatrix>();
    const double values[] = {10, 10.5, -5, 1e12};
    for (int i = 0; i < n * n; ++i)
        (*image)[i % n][i / n] = values[i % 4];
    const auto points = filter::FilteredHistogram(*image, n, 320, 0, 32);
    ASSERT_EQ(points.size(), 35u);  // bins 0 .. 34
    EXPECT_EQ(points[0].count, 4);
    EXPECT_EQ(points[1].count, 4);
    EXPECT_EQ(points[2].count, 4);
    EXPECT_EQ(points[34].count, 0);  // the far value sits in slot 99, beyond the chart
    EXPECT_EQ(points[3].x, 30);
    EXPECT_EQ(points[34].x, 340);
    // Fractional x positions are truncated toward zero.
    const auto shifted = filter::FilteredHistogram(*image, n, 1, -2.7, 1);
    EXPECT_EQ(shifted[0].x, -2);
}

TEST(FilteredHistogram, BinCountsOutsideTheTableAreRefused)
{
    auto image = std::make_unique<SquareMatrix>();
    EXPECT_THROW(filter::FilteredHistogram(*image, 2, 1, 0, 0), common::FloatError);
    EXPECT_THROW(filter::FilteredHistogram(*image, 2, 1, 0, 98), common::InputError);
    EXPECT_THROW(filter::FilteredHistogram(*image, 2, 1, 0, -1), common::InputError);
    EXPECT_EQ(filter::FilteredHistogram(*image, 2, 1, 0, 97).size(), 100u);
}

} // namespace
