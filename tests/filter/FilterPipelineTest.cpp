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

// Counts of values laid into a 4 x 4 image (the rest 0 = Min), as the chart shows them.
std::vector<double> CountsOf(std::initializer_list<double> values, double max, double min, int bins)
{
    auto image = std::make_unique<SquareMatrix>();
    int i = 0;
    for (double v : values) {
        (*image)[i % 4][i / 4] = v;
        ++i;
    }
    std::vector<double> counts;
    for (const auto& p : filter::FilteredHistogram(*image, 4, max, min, bins))
        counts.push_back(p.y);
    return counts;
}

TEST(FilteredHistogram, BinRuleExamplesAndFarValues)
{
    // B = 32, Min = 0, Max = 320: bins 10 wide; 10 -> bin 1, 10.5 -> bin 2, -5 -> bin 0, 325 -> 33.
    auto counts = CountsOf({10, 10.5, -5, 325, 1e12}, 320, 0, 32);
    ASSERT_EQ(counts.size(), 35u);  // the chart shows bins 0 .. 34
    EXPECT_EQ(counts[0], 12);       // -5 and the eleven zeros
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 1);
    EXPECT_EQ(counts[33], 1);
    // The far value is counted in the last slot of the table, beyond the chart.
    double shown = 0;
    for (double c : counts)
        shown += c;
    EXPECT_EQ(shown, 15);
}

TEST(FilteredHistogram, MaxEqualToMinPutsEverythingIntoBinZero)
{
    const auto counts = CountsOf({3, 3.0000001, 2.9999, 1e6}, 3, 3, 32);
    EXPECT_EQ(counts[0], 16);
}

TEST(FilteredHistogram, PointPositionsAndRefusedBinCounts)
{
    auto image = std::make_unique<SquareMatrix>();
    const auto points = filter::FilteredHistogram(*image, 2, 320, 0, 32);
    EXPECT_EQ(points[3].x, 30);
    EXPECT_EQ(points[34].x, 340);
    EXPECT_EQ(filter::FilteredHistogram(*image, 2, 1, -2.7, 1)[0].x, -2);  // truncated toward zero
    for (int bins : {0, -1, 98})
        EXPECT_THROW(filter::FilteredHistogram(*image, 2, 1, 0, bins), common::InputError) << bins;
    EXPECT_EQ(filter::FilteredHistogram(*image, 2, 1, 0, 97).size(), 100u);
}

} // namespace
