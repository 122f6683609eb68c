// The noise power spectrum against known truths: white noise, filtered white noise, pure trends,
// a direct DFT, Parseval, and the same bits for any thread count.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <complex>
#include <cstring>
#include <numbers>

#include "Errors.h"
#include "NoisePowerSpectrum.h"
#include "NpsExports.h"
#include "NpsTestImages.h"
#include "RadialAverage.h"
#include "RoiGrid.h"
#include "ShownIn.h"

namespace {

using npstest::Image;

nps::NpsRequest RequestFor(const std::vector<const Image*>& images, nps::RoiGrid grid, nps::DetrendKind detrend,
                           nps::DetrendScope scope, double pixelMm, double binWidth = 0.05, int axisLines = 3)
{
    nps::NpsRequest request;
    for (std::size_t i = 0; i < images.size(); ++i)
        request.images.push_back({"image" + std::to_string(i + 1), images[i]->View()});
    request.grid = std::move(grid);
    request.detrend = detrend;
    request.scope = scope;
    request.pixelMm = pixelMm;
    request.binWidth = binWidth;
    request.axisLines = axisLines;
    return request;
}

nps::NpsResult RunNps(const nps::NpsRequest& request, int threads = 1)
{
    nps::Pool pool(nps::PoolThreads(threads));
    return nps::ComputeNps(request, pool);
}

nps::Area Whole(const Image& image) { return {0, 0, image.width, image.height}; }

TEST(NpsCore, WhiteNoiseIsFlatAtVarianceTimesPixelArea)
{
    const double sigma = 10.0, dx = 0.2;
    const Image a = npstest::WhiteNoise(512, 512, sigma, 1), b = npstest::WhiteNoise(512, 512, sigma, 2);
    const auto grid = nps::GridOverArea(64, Whole(a), 0.0);
    const auto result =
        RunNps(RequestFor({&a, &b}, grid, nps::DetrendKind::Mean, nps::DetrendScope::PerRoi, dx, 0.1));
    const double flat = sigma * sigma * dx * dx;
    EXPECT_EQ(result.roiCount, 128u);
    EXPECT_EQ(result.imageCount, 2u);
    ASSERT_EQ(result.curve.size(), 26u);  // centres 0 .. 2.5 cycles/mm
    for (const auto& p : result.curve) {
        if (p.count == 0)
            continue;
        EXPECT_NEAR(p.nps, flat, 4.5 * p.standardError) << p.frequency;
        // The spread of single-ROI bin means is the spread of a mean of p.count / 2 independent
        // exponential samples (each sample and its conjugate partner count twice).
        EXPECT_NEAR(p.standardError, flat / std::sqrt(128.0 * p.count / 2.0),
                    0.5 * flat / std::sqrt(128.0 * p.count / 2.0)) << p.frequency;
        EXPECT_NEAR(p.uAxis, flat, 0.25 * flat) << p.frequency;
        EXPECT_NEAR(p.vAxis, flat, 0.25 * flat) << p.frequency;
    }
    EXPECT_NEAR(result.meanSquare, sigma * sigma, 0.01 * sigma * sigma);
}

// The periodogram of a finite ROI of filtered white noise has the exact expectation
// s^2 dx dy sum_{a,b} r(a, b) (1 - |a|/n) (1 - |b|/n) e^{-2 pi i (u a + v b)}, r the kernel's
// autocorrelation; for n far above the kernel this is |H(u, v)|^2 s^2 dx dy.
TEST(NpsCore, FilteredWhiteNoiseFollowsTheKernel)
{
    const double sigma = 3.0, dx = 0.5;
    const int n = 32;
    // An asymmetric kernel: exchanging u and v, or flipping the picture, changes its spectrum.
    const double h[2][3] = {{1.0, 0.5, 0.0}, {-0.25, 0.0, 0.125}};  // h[row][column]
    const Image noise = npstest::WhiteNoise(1026, 1025, sigma, 7);
    Image filtered{std::vector<double>(1024 * 1024), 1024, 1024};
    for (long long y = 0; y < 1024; ++y)
        for (long long x = 0; x < 1024; ++x) {
            double v = 0.0;
            for (int b = 0; b < 2; ++b)
                for (int a = 0; a < 3; ++a)
                    v += h[b][a] * noise.values[static_cast<std::size_t>((y + 1 - b) * 1026 + (x + 2 - a))];
            filtered.values[static_cast<std::size_t>(y * 1024 + x)] = v;
        }
    const auto result = RunNps(RequestFor({&filtered}, nps::GridOverArea(n, Whole(filtered), 0.0),
                                       nps::DetrendKind::None, nps::DetrendScope::PerRoi, dx));
    const double m = static_cast<double>(result.roiCount);
    double ratioSum = 0.0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const double u = (c - n / 2) / (n * dx), v = (r - n / 2) / (n * dx);
            double expected = 0.0;
            for (int lagY = -1; lagY <= 1; ++lagY)
                for (int lagX = -2; lagX <= 2; ++lagX) {
                    double rho = 0.0;  // autocorrelation of h at (lagX, lagY)
                    for (int b = 0; b < 2; ++b)
                        for (int a = 0; a < 3; ++a)
                            if (b + lagY >= 0 && b + lagY < 2 && a + lagX >= 0 && a + lagX < 3)
                                rho += h[b][a] * h[b + lagY][a + lagX];
                    expected += rho * (1.0 - std::abs(lagX) / double(n)) * (1.0 - std::abs(lagY) / double(n)) *
                                std::cos(2.0 * std::numbers::pi * (u * lagX * dx + v * lagY * dx));
                }
            expected *= sigma * sigma * dx * dx;
            const double got = result.nps2d[static_cast<std::size_t>(r * n + c)];
            // Each sample is a mean of m exponential values: standard deviation expected / sqrt(m).
            EXPECT_NEAR(got, expected, 5.0 * expected / std::sqrt(m)) << "u " << u << " v " << v;
            ratioSum += got / expected;
        }
    EXPECT_NEAR(ratioSum / (n * n), 1.0, 0.01);
}

// A pure trend leaves nothing after the detrending that matches it, fitted per ROI or over the
// area; the detrending one order lower leaves something, so the check can fail.
TEST(NpsCore, PureTrendVanishesAfterItsDetrending)
{
    const struct {
        const char* what;
        nps::DetrendKind exact, lower;
        double cx, cy, cxx, cxy, cyy;
    } cases[] = {
        {"ramp", nps::DetrendKind::Plane, nps::DetrendKind::Mean, 0.75, -1.25, 0, 0, 0},
        {"quadratic", nps::DetrendKind::Poly2, nps::DetrendKind::Plane, 0.5, 2.0, 0.003, -0.002, 0.0045},
    };
    for (const auto& c : cases)
        for (const auto scope : {nps::DetrendScope::PerRoi, nps::DetrendScope::WholeArea})
            for (const int n : {16, 37}) {
                Image image{std::vector<double>(200 * 150), 200, 150};
                for (long long y = 0; y < 150; ++y)
                    for (long long x = 0; x < 200; ++x)
                        image.values[static_cast<std::size_t>(y * 200 + x)] =
                            1000.0 + c.cx * x + c.cy * y + c.cxx * x * x + c.cxy * x * y + c.cyy * y * y;
                const auto grid = nps::GridOverArea(n, {10, 7, 180, 130}, 0.5);
                const std::string what = std::string(c.what) + " " + nps::DetrendScopeName(scope) + " n " +
                                         std::to_string(n);
                const auto exact = RunNps(RequestFor({&image}, grid, c.exact, scope, 0.1));
                double largest = 0.0;
                for (double v : exact.nps2d)
                    largest = std::max(largest, std::abs(v));
                // Signal power is about 1e6 * dx^2 = 1e4: rounding leaves some 1e-20 of it.
                EXPECT_LT(largest, 1e-16) << what;
                EXPECT_LT(exact.meanSquare, 1e-18) << what;
                const auto lower = RunNps(RequestFor({&image}, grid, c.lower, scope, 0.1));
                EXPECT_GT(lower.meanSquare, 1e-3) << what;
            }
}

// The largest ROI is where normal equations in raw coordinates lose digits; the orthogonal basis
// must leave only rounding of the values themselves.
TEST(NpsCore, QuadraticFitIsExactAtTheLargestRoi)
{
    Image image{std::vector<double>(1024 * 1024), 1024, 1024};
    double largest = 0.0;
    for (long long y = 0; y < 1024; ++y)
        for (long long x = 0; x < 1024; ++x) {
            const double v = 3000.0 - 1.5 * x + 0.75 * y + 0.002 * x * x - 0.001 * x * y + 0.0015 * y * y;
            image.values[static_cast<std::size_t>(y * 1024 + x)] = v;
            largest = std::max(largest, std::abs(v));
        }
    std::vector<double> residual(1024 * 1024);
    const auto fit = nps::FitSurface(image.View(), 0, 0, 1024, 1024, nps::DetrendKind::Poly2);
    const auto sums = nps::SubtractSurface(image.View(), 0, 0, 1024, fit, residual, 1024);
    double worst = 0.0;
    for (double r : residual)
        worst = std::max(worst, std::abs(r));
    EXPECT_LT(worst, 1e-12 * largest);
    EXPECT_LT(sums.residualSquares, 1e-20 * largest * largest * 1024 * 1024);
}

// The FFTW transform, the scaling and the centred layout against a direct DFT of each ROI.
TEST(NpsCore, MatchesADirectDft)
{
    for (const int n : {16, 17}) {
        const Image image = npstest::WhiteNoise(40, 30, 2.0, 11);
        const std::vector<nps::RoiCorner> corners = {{0, 0}, {23, 13}, {5, 9}};
        const double dx = 0.15;
        const auto result = RunNps(RequestFor({&image}, nps::GridFromList(n, corners), nps::DetrendKind::None,
                                           nps::DetrendScope::PerRoi, dx, 0.5, 1));
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                const int ky = r - n / 2, kx = c - n / 2;
                double power = 0.0;
                for (const auto& corner : corners) {
                    std::complex<double> x = 0.0;
                    for (int y = 0; y < n; ++y)
                        for (int t = 0; t < n; ++t)
                            x += image.values[static_cast<std::size_t>((corner.y + y) * 40 + corner.x + t)] *
                                 std::polar(1.0, -2.0 * std::numbers::pi * (double(kx) * t + double(ky) * y) / n);
                    power += std::norm(x);
                }
                const double expected = dx * dx / (n * n) * power / 3.0;
                EXPECT_NEAR(result.nps2d[static_cast<std::size_t>(r * n + c)], expected, 1e-12 * expected + 1e-15)
                    << "n " << n << " u " << kx << " v " << ky;
            }
    }
}

TEST(NpsCore, IntegralEqualsVarianceOfDetrendedRois)
{
    const Image a = npstest::WhiteNoise(300, 260, 5.0, 3), b = npstest::WhiteNoise(300, 260, 5.0, 4);
    Image tilted = a;
    for (long long y = 0; y < 260; ++y)
        for (long long x = 0; x < 300; ++x)
            tilted.values[static_cast<std::size_t>(y * 300 + x)] += 500.0 + 0.3 * x - 0.001 * y * y;
    for (const auto kind : {nps::DetrendKind::None, nps::DetrendKind::Mean, nps::DetrendKind::Plane,
                            nps::DetrendKind::Poly2})
        for (const auto scope : {nps::DetrendScope::PerRoi, nps::DetrendScope::WholeArea}) {
            const auto result = RunNps(RequestFor({&tilted, &b}, nps::GridOverArea(50, {20, 10, 270, 240}, 0.5), kind,
                                               scope, 0.143));
            EXPECT_LE(result.parsevalRelativeError, 1e-9) << nps::DetrendName(kind) << nps::DetrendScopeName(scope);
            EXPECT_EQ(result.roiCount, 2u * 9u * 8u);
        }
}

TEST(NpsCore, SameBitsForAnyThreadCount)
{
    const Image a = npstest::WhiteNoise(256, 200, 1.0, 5), b = npstest::WhiteNoise(256, 200, 1.0, 6);
    // 11 x 7 ROIs per image: 154 in all, so the summing blocks of a few ROIs end inside an image
    // and the last one is short.
    const auto request = RequestFor({&a, &b}, nps::GridOverArea(40, {3, 4, 250, 170}, 0.5), nps::DetrendKind::Poly2,
                                    nps::DetrendScope::PerRoi, 0.1);
    const auto single = RunNps(request, 1);
    for (const int threads : {2, 3, 8}) {
        const auto many = RunNps(request, threads);
        ASSERT_EQ(many.nps2d.size(), single.nps2d.size());
        EXPECT_EQ(0, std::memcmp(many.nps2d.data(), single.nps2d.data(), single.nps2d.size() * sizeof(double)))
            << threads;
        EXPECT_EQ(nps::NpsTableText(many), nps::NpsTableText(single)) << threads;
        EXPECT_EQ(many.meanSquare, single.meanSquare) << threads;
        // The axis curves' standard errors are in no table: compared here, bit for bit (NaN too).
        ASSERT_EQ(many.curve.size(), single.curve.size());
        for (std::size_t b = 0; b < single.curve.size(); ++b) {
            EXPECT_EQ(0, std::memcmp(&many.curve[b].uAxisStandardError, &single.curve[b].uAxisStandardError,
                                     sizeof(double))) << threads << " bin " << b;
            EXPECT_EQ(0, std::memcmp(&many.curve[b].vAxisStandardError, &single.curve[b].vAxisStandardError,
                                     sizeof(double))) << threads << " bin " << b;
        }
    }
}

TEST(NpsCore, ReportsProgressAndStopsWhenCancelled)
{
    const Image a = npstest::WhiteNoise(128, 128, 1.0, 8);
    const auto request = RequestFor({&a}, nps::GridOverArea(32, Whole(a), 0.0), nps::DetrendKind::Mean,
                                    nps::DetrendScope::PerRoi, 0.1);
    nps::Pool pool(3);
    std::vector<std::size_t> seen;
    nps::ComputeNps(request, pool, {[&](std::size_t done, std::size_t total) { seen.push_back(done * 100 + total); }});
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), 16u * 100 + 16u);
    std::atomic<bool> cancel{true};
    EXPECT_THROW(nps::ComputeNps(request, pool, {nullptr, &cancel}), nps::NpsCancelled);
}

TEST(NpsCore, RefusesWhatItCannotMeasure)
{
    const Image image = npstest::WhiteNoise(100, 80, 1.0, 9);
    const auto grid = nps::GridOverArea(32, {0, 0, 100, 80}, 0.0);
    const struct {
        const char* what;
        std::function<void()> run;
    } cases[] = {
        {"ROI side 15", [] { nps::GridOverArea(15, {0, 0, 100, 100}, 0.0); }},
        {"ROI side 1025", [] { nps::GridFromList(1025, {{0, 0}}); }},
        {"overlap 0.3", [] { nps::GridOverArea(32, {0, 0, 100, 100}, 0.3); }},
        {"area smaller than a ROI", [] { nps::GridOverArea(32, {0, 0, 31, 100}, 0.0); }},
        {"empty list", [] { nps::GridFromList(32, {}); }},
        {"area of 10^18 ROIs", [] { nps::GridOverArea(16, {0, 0, 2'000'000'000, 2'000'000'000}, 0.5); }},
        {"ROI past the right edge", [&] { RunNps(RequestFor({&image}, nps::GridFromList(32, {{69, 0}}),
                                                        nps::DetrendKind::Mean, nps::DetrendScope::PerRoi, 0.1)); }},
        {"ROI above the image", [&] { RunNps(RequestFor({&image}, nps::GridFromList(32, {{0, -1}}),
                                                    nps::DetrendKind::Mean, nps::DetrendScope::PerRoi, 0.1)); }},
        {"area outside", [&] { RunNps(RequestFor({&image}, nps::GridOverArea(32, {0, 0, 100, 81}, 0.0),
                                             nps::DetrendKind::Mean, nps::DetrendScope::PerRoi, 0.1)); }},
        {"no images", [&] { RunNps(RequestFor({}, grid, nps::DetrendKind::Mean, nps::DetrendScope::PerRoi, 0.1)); }},
        {"spacing 0", [&] { RunNps(RequestFor({&image}, grid, nps::DetrendKind::Mean, nps::DetrendScope::PerRoi, 0.0)); }},
        {"bin width negative", [&] { RunNps(RequestFor({&image}, grid, nps::DetrendKind::Mean, nps::DetrendScope::PerRoi,
                                                   0.1, -0.05)); }},
        {"bins too narrow", [&] { RunNps(RequestFor({&image}, grid, nps::DetrendKind::Mean, nps::DetrendScope::PerRoi,
                                                0.1, 1e-6)); }},
        // Nyquist 5 /mm: a width above 2.5 leaves a single bin above zero.
        {"bins too wide", [&] { RunNps(RequestFor({&image}, grid, nps::DetrendKind::Mean, nps::DetrendScope::PerRoi,
                                              0.1, 2.6)); }},
        {"axis lines past the ROI", [&] { RunNps(RequestFor({&image}, grid, nps::DetrendKind::Mean,
                                                        nps::DetrendScope::PerRoi, 0.1, 0.05, 16)); }},
        {"unknown detrending", [] { nps::ParseDetrend("poly3"); }},
    };
    for (const auto& c : cases)
        EXPECT_THROW(c.run(), common::InputError) << c.what;
}

// Refusals and notes are composed from a translatable text and their values: the source form
// reads as the program has always written it (files, logs and the tests above compare it), and
// each language shows the text with the values in place.
TEST(NpsCore, MessagesReadTheSameAndShowInEachLanguage)
{
    const Image image = npstest::WhiteNoise(100, 80, 1.0, 9);
    const auto grid = nps::GridOverArea(32, {0, 0, 100, 80}, 0.0);
    const auto refusal = [](const std::function<void()>& run) {
        try {
            run();
        } catch (const common::AppError& e) {
            return e.Message();
        }
        return common::Text::Verbatim("(nothing refused)");
    };
    const auto request = [&](nps::RoiGrid g, double binWidth) {
        return RequestFor({&image}, std::move(g), nps::DetrendKind::Mean, nps::DetrendScope::PerRoi, 0.1, binWidth);
    };
    // A 32-pixel ROI at 0.1 mm steps 0.3125 /mm in frequency: bins of 0.2 /mm leave some empty.
    const nps::NpsResult narrow = RunNps(request(grid, 0.2));
    ASSERT_EQ(narrow.notes.size(), 1u);
    const struct {
        const char* what;
        common::Text text;
        const char* english;
        const char* japanese;
    } cases[] = {
        {"ROI side 15", refusal([] { nps::GridOverArea(15, {0, 0, 100, 100}, 0.0); }),
         "The NPS ROI side must be 16 to 1024 pixels; it is 15.",
         "NPS の ROI の一辺は 16 ～ 1024 画素にしてください (指定は 15)。"},
        {"area smaller than a ROI", refusal([] { nps::GridOverArea(32, {0, 0, 31, 100}, 0.0); }),
         "The area (0, 0, 31 x 100) holds no whole ROI of 32 pixels.",
         "範囲 (0, 0, 31 x 100) には 32 画素の ROI が 1 つも収まりません。"},
        {"ROI past the right edge", refusal([&] { RunNps(request(nps::GridFromList(32, {{69, 0}}), 0.05)); }),
         "ROI 1 (69, 0, 32 x 32) lies outside the image image1 (100 x 80).",
         "ROI 1 (69, 0, 32 x 32) が画像 image1 (100 x 80) の外にはみ出しています。"},
        {"bins too wide", refusal([&] { RunNps(request(grid, 2.6)); }),
         "The bin width 2.6 /mm leaves fewer than two bins up to the Nyquist frequency 5 /mm; give at most 2.5 /mm.",
         "ビン幅 2.6 /mm では、ナイキスト周波数 5 /mm までのビンが 2 個未満になります。2.5 /mm 以下にしてください。"},
        {"unknown detrending", refusal([] { nps::ParseDetrend("poly3"); }),
         "The detrending must be none, mean, plane or poly2, not 'poly3'.",
         "トレンド除去は none、mean、plane、poly2 のいずれかにしてください ('poly3' は使えません)。"},
        {"bins narrower than the step", narrow.notes[0],
         "The bin width 0.2 /mm is narrower than the frequency step 0.3125 /mm of a 32-pixel ROI: 1 bin(s) above "
         "zero hold no sample and are left empty.",
         "ビン幅 0.2 /mm が 32 画素の ROI の周波数間隔 0.3125 /mm より狭いため、0 より上の 1 個のビンにはサンプルが"
         "なく、空のままです。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text.Plain(), c.english) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::English, c.text), c.english) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::Japanese, c.text), c.japanese) << c.what;
    }
    // The summary keeps the note in its source form, whatever the language.
    EXPECT_NE(nps::NpsSummaryJson(narrow, {"image1"}).find("1 bin(s) above zero"), std::string::npos);
}

TEST(NpsCore, GridTilesTheAreaFromItsCorner)
{
    const auto grid = nps::GridOverArea(32, {5, 6, 100, 60}, 0.5);
    ASSERT_EQ(grid.corners.size(), 10u);  // x 5, 21, 37, 53, 69; y 6, 22
    EXPECT_EQ(grid.corners[4].x, 69);
    EXPECT_EQ(grid.corners[5].y, 22);
    EXPECT_EQ(grid.corners[5].x, 5);
    const auto list = nps::GridFromList(20, {{30, 40}, {10, 50}});
    EXPECT_EQ(list.area.x, 10);
    EXPECT_EQ(list.area.y, 40);
    EXPECT_EQ(list.area.width, 40);
    EXPECT_EQ(list.area.height, 30);
}

TEST(NpsCore, RoiListAndAreaTexts)
{
    const struct {
        const char* text;
        std::vector<std::pair<long long, long long>> corners;
    } lists[] = {
        {"", {}},
        {"  ", {}},
        {"10,20", {{10, 20}}},
        {"10,20;30,40;", {{10, 20}, {30, 40}}},
        {" 10, 20 ;  -1,0 ", {{10, 20}, {-1, 0}}},
    };
    for (const auto& c : lists) {
        const auto corners = nps::ParseRoiList(c.text, "the list");
        ASSERT_EQ(corners.size(), c.corners.size()) << c.text;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            EXPECT_EQ(corners[i].x, c.corners[i].first) << c.text;
            EXPECT_EQ(corners[i].y, c.corners[i].second) << c.text;
        }
    }
    // Each refusal is a message: a wrong count of numbers, or a text that is not a number.
    for (const char* bad : {"10", "10,20,30", "10,20;;30,40", "10;20", "a,b", "10,20;30"})
        EXPECT_THROW(nps::ParseRoiList(bad, "the list"), common::AppError) << bad;

    const nps::Area area = nps::ParseArea("1,2,300,400", "The area");
    EXPECT_EQ(area.x, 1);
    EXPECT_EQ(area.height, 400);
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,3,x"})
        EXPECT_THROW(nps::ParseArea(bad, "The area"), common::AppError) << bad;
}

TEST(NpsCore, TableLeavesUndefinedValuesEmpty)
{
    nps::NpsResult result;
    result.curve.push_back({0.0, std::nan(""), std::nan(""), 0, std::nan(""), std::nan(""), std::nan("")});
    result.curve.push_back({0.05, 1.5, 0.25, 12, 1e-7, 2.0, 0.1});
    result.curve.push_back({3 * 0.1, 1.0 / 3.0, 0.0, 1, 0.0, -0.5, 0.0});
    EXPECT_EQ(nps::NpsTableText(result), "frequency_per_mm,nps,standard_error,count,nnps,nps_u_axis,nps_v_axis\n"
                                         "0,,,0,,,\n"
                                         "0.05,1.5,0.25,12,1e-07,2,0.1\n"
                                         "0.3,0.3333333333333333,0,1,0,-0.5,0\n");
}

} // namespace

namespace {

// The standard error must describe the scatter of the NPS between repeated measurements, also
// when the ROIs overlap and their values go together. Many sets of white noise, each measured as
// one image would be; the scatter of each bin's NPS over the sets against the standard error the
// sets report, pooled over the bins (about 2000 degrees of freedom: the ratio is known to 2 %).
TEST(NpsCore, StandardErrorMatchesTheScatterOfRepeatedSets)
{
    constexpr int kSets = 200;
    const struct {
        double overlap;
        nps::DetrendScope scope;
    } cases[] = {
        {0.0, nps::DetrendScope::WholeArea},
        {0.5, nps::DetrendScope::WholeArea},
        {0.5, nps::DetrendScope::PerRoi},
    };
    for (const auto& c : cases) {
        const auto grid = nps::GridOverArea(32, {0, 0, 128, 128}, c.overlap);
        std::vector<std::vector<double>> nps(kSets), se(kSets);
        for (int set = 0; set < kSets; ++set) {
            Image image = npstest::WhiteNoise(128, 128, 3.0, 1000 + static_cast<std::uint64_t>(set));
            for (double& v : image.values)
                v += 500.0;
            const auto result = RunNps(RequestFor({&image}, grid, nps::DetrendKind::Poly2, c.scope, 0.2, 0.25), 2);
            for (const auto& p : result.curve) {
                nps[set].push_back(p.nps);
                se[set].push_back(p.standardError);
            }
        }
        double ratioSum = 0.0;
        int bins = 0;
        for (std::size_t b = 0; b < nps[0].size(); ++b) {
            if (!std::isfinite(nps[0][b]))
                continue;
            double mean = 0.0, reported = 0.0;
            for (int set = 0; set < kSets; ++set) {
                mean += nps[set][b] / kSets;
                reported += se[set][b] * se[set][b] / kSets;
            }
            double scatter = 0.0;
            for (int set = 0; set < kSets; ++set)
                scatter += (nps[set][b] - mean) * (nps[set][b] - mean) / (kSets - 1);
            ratioSum += scatter / reported;
            ++bins;
        }
        ASSERT_GE(bins, 9);
        const double ratio = std::sqrt(ratioSum / bins);
        EXPECT_GT(ratio, 0.85) << "overlap " << c.overlap << " " << nps::DetrendScopeName(c.scope);
        EXPECT_LT(ratio, 1.15) << "overlap " << c.overlap << " " << nps::DetrendScopeName(c.scope);
        std::printf("overlap %.1f, fit over %s: true scatter / reported standard error %.3f\n", c.overlap,
                    nps::DetrendScopeName(c.scope), ratio);
    }
}

// Which ROIs share pixels: in a 3 x 3 grid at half overlap a corner ROI meets 3 others, an edge ROI
// 5 and the centre all 8; at no overlap none meet, and a list finds its own pairs.
TEST(NpsCore, OverlappingRoisAreFound)
{
    const auto half = nps::FindOverlaps(nps::GridOverArea(32, {0, 0, 64, 64}, 0.5));
    EXPECT_EQ(half.degree, (std::vector<std::uint32_t>{4, 6, 4, 6, 9, 6, 4, 6, 4}));
    // ROI 4 (the centre) meets 0, 1, 2 and 3 before it; ROI 8 meets 4, 5 and 7, the farthest back 4.
    EXPECT_EQ(std::vector<std::uint32_t>(half.earlier.begin() + half.start[4], half.earlier.begin() + half.start[5]),
              (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_EQ(half.window, 5u);
    const auto none = nps::FindOverlaps(nps::GridOverArea(32, {0, 0, 96, 64}, 0.0));
    EXPECT_EQ(none.degree, std::vector<std::uint32_t>(6, 1));
    EXPECT_TRUE(none.earlier.empty());
    // Corners 31 apart overlap, 32 apart do not; the list's order is kept, whatever the cells.
    const auto list = nps::FindOverlaps(nps::GridFromList(32, {{100, 0}, {0, 0}, {31, 31}, {68, 0}, {40, 20}}));
    EXPECT_EQ(list.degree, (std::vector<std::uint32_t>{1, 2, 3, 2, 3}));
    EXPECT_EQ(std::vector<std::uint32_t>(list.earlier.begin() + list.start[3], list.earlier.end()),
              (std::vector<std::uint32_t>{2, 3}));  // ROI 3 meets no earlier one, ROI 4 meets 2 and 3
    EXPECT_EQ(list.window, 3u);
}

// A single cosine at (u, v) = (2, 3) frequency steps puts its power P = dx^2 n^2 A^2 / 4 at that
// sample and its mirror, and nothing elsewhere. n = 16, dx = 0.5, bins one step wide, 3 lines on
// each side of each axis; counted by hand over the full plane:
//  - radial placement: the lines |v| = 1, 2, 3 hold 4 + 8 + 8 = 20 samples with
//    round(sqrt(u^2 + v^2)) = 4 (|u| = 4; 3, 4; 2, 3), among them both cosine samples
//    (sqrt 13 = 3.61): bin 4 of the u curve is 2 P / 20, every other bin 0; the v curve likewise;
//  - along the axis: |u| = 2 on 6 lines is 12 samples, so bin 2 of the u curve is 2 P / 12; the v
//    curve has the cosine at |v| = 3, 12 samples as well: bin 3 is 2 P / 12.
TEST(NpsCore, AxisCurvesPlaceEachSampleAsAsked)
{
    const int n = 16;
    const double dx = 0.5, amplitude = 2.0;
    Image image{std::vector<double>(n * n), n, n};
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            image.values[static_cast<std::size_t>(y * n + x)] =
                amplitude * std::cos(2.0 * std::numbers::pi * (2.0 * x + 3.0 * y) / n);
    const double power = dx * dx * n * n * amplitude * amplitude / 4.0;  // 64
    const struct {
        nps::AxisPlacement placement;
        std::size_t uBin, vBin;
        double value;
    } cases[] = {
        {nps::AxisPlacement::Radial, 4, 4, 2.0 * power / 20.0},
        {nps::AxisPlacement::Along, 2, 3, 2.0 * power / 12.0},
    };
    for (const auto& c : cases) {
        auto request = RequestFor({&image}, nps::GridFromList(n, {{0, 0}}), nps::DetrendKind::None,
                                  nps::DetrendScope::PerRoi, dx, 1.0 / (n * dx), 3);
        request.axisPlacement = c.placement;
        const auto result = RunNps(request);
        ASSERT_EQ(result.curve.size(), 9u);  // centres 0 .. 1 /mm in steps of 0.125
        for (std::size_t b = 0; b < result.curve.size(); ++b) {
            const double u = b == c.uBin ? c.value : 0.0, v = b == c.vBin ? c.value : 0.0;
            const std::string what = std::string(nps::AxisPlacementName(c.placement)) + " bin " + std::to_string(b);
            if (b == 0 && c.placement == nps::AxisPlacement::Radial) {
                EXPECT_TRUE(std::isnan(result.curve[b].uAxis)) << what;  // no line sample lies below one step
                continue;
            }
            EXPECT_NEAR(result.curve[b].uAxis, u, 1e-12 * power) << what;
            EXPECT_NEAR(result.curve[b].vAxis, v, 1e-12 * power) << what;
        }
    }
}

// Fitted over the area, each ROI keeps its offset from the area's fit: the mean square the NPS
// integrates to holds it, each ROI's own variance does not. Two 16-pixel ROIs side by side, a
// checkerboard of +-1 on 0 and on 10; the mean over the area is 5, so every residual is +-5 +-1.
TEST(NpsCore, MeanSquareAndRoiVarianceAreNamedForWhatTheyAre)
{
    Image image{std::vector<double>(32 * 16), 32, 16};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            image.values[static_cast<std::size_t>(y * 32 + x)] = (x >= 16 ? 10.0 : 0.0) + ((x + y) % 2 ? 1.0 : -1.0);
    const auto grid = nps::GridOverArea(16, {0, 0, 32, 16}, 0.0);
    const auto area = RunNps(RequestFor({&image}, grid, nps::DetrendKind::Mean, nps::DetrendScope::WholeArea, 0.1, 0.5, 1));
    EXPECT_DOUBLE_EQ(area.meanSquare, 26.0);
    EXPECT_DOUBLE_EQ(area.roiVariance, 1.0);
    EXPECT_LE(area.parsevalRelativeError, 1e-12);  // the NPS integrates to the mean square
    const auto perRoi = RunNps(RequestFor({&image}, grid, nps::DetrendKind::Mean, nps::DetrendScope::PerRoi, 0.1, 0.5, 1));
    EXPECT_DOUBLE_EQ(perRoi.meanSquare, 1.0);
    EXPECT_DOUBLE_EQ(perRoi.roiVariance, 1.0);
    const auto summary = nps::NpsSummaryJson(area, {"image"});
    EXPECT_NE(summary.find("\"mean_square_detrended\": 26.0"), std::string::npos) << summary;
    EXPECT_NE(summary.find("\"roi_variance\": 1.0"), std::string::npos) << summary;
}

} // namespace

namespace {

// One ROI's bin means of the u-axis (or v-axis) curve, straight from a direct DFT over the full
// plane: every sample on the lines 1 <= |v| <= lines (|u| for the v axis) of the bin the
// placement puts it in, each counted once. Unscaled power |X|^2.
std::vector<double> DirectAxisMeans(const Image& image, const nps::RoiCorner& corner, int n, double dx,
                                    double binWidth, int lines, nps::AxisPlacement placement, bool uAxis,
                                    std::size_t binCount)
{
    std::vector<double> sum(binCount, 0.0), count(binCount, 0.0);
    const double df = 1.0 / (n * dx);
    for (int ky = -(n - 1) / 2; ky <= n / 2; ++ky)
        for (int kx = -(n - 1) / 2; kx <= n / 2; ++kx) {
            const int across = std::abs(uAxis ? ky : kx), along = std::abs(uAxis ? kx : ky);
            if (across < 1 || across > lines)
                continue;
            const double f = placement == nps::AxisPlacement::Radial ? df * std::hypot(double(kx), double(ky))
                                                                      : df * along;
            const auto bin = static_cast<std::size_t>(std::nearbyint(f / binWidth));
            if (bin >= binCount)
                continue;
            std::complex<double> x = 0.0;
            for (int y = 0; y < n; ++y)
                for (int t = 0; t < n; ++t)
                    x += image.values[static_cast<std::size_t>((corner.y + y) * image.width + corner.x + t)] *
                         std::polar(1.0, -2.0 * std::numbers::pi * (double(kx) * t + double(ky) * y) / n);
            sum[bin] += std::norm(x);
            count[bin] += 1.0;
        }
    for (std::size_t b = 0; b < binCount; ++b)
        sum[b] = count[b] > 0.0 ? sum[b] / count[b] : std::nan("");
    return sum;
}

// The axis curves' standard errors against their definition: for ROIs that share no pixel, the
// sample standard deviation of the single-ROI bin means over sqrt(M), scaled as the NPS is. The
// bins are narrower than the frequency step's multiples (0.2 /mm against 0.125 /mm), the two
// placements and an odd n bin the lines differently, and u and v differ for noise, so a swapped
// axis, a wrong weight on the half plane or a wrong count shows.
TEST(NpsCore, AxisStandardErrorsAreTheSpreadOfSingleRoiMeans)
{
    const double dx = 0.5, binWidth = 0.2;
    const int lines = 2;
    const struct {
        int n;
        nps::AxisPlacement placement;
    } cases[] = {
        {16, nps::AxisPlacement::Radial},
        {16, nps::AxisPlacement::Along},
        {17, nps::AxisPlacement::Radial},
    };
    for (const auto& c : cases) {
        const Image image = npstest::WhiteNoise(60, 40, 2.0, 21);
        const std::vector<nps::RoiCorner> corners = {{0, 0}, {20, 3}, {40, 0}, {5, 20}, {30, 22}};
        auto request = RequestFor({&image}, nps::GridFromList(c.n, corners), nps::DetrendKind::None,
                                  nps::DetrendScope::PerRoi, dx, binWidth, lines);
        request.axisPlacement = c.placement;
        const auto result = RunNps(request);
        const std::size_t binCount = result.curve.size();
        const double m = static_cast<double>(corners.size()), scale = dx * dx / (c.n * c.n);
        for (const bool uAxis : {true, false}) {
            std::vector<std::vector<double>> means;
            for (const auto& corner : corners)
                means.push_back(DirectAxisMeans(image, corner, c.n, dx, binWidth, lines, c.placement, uAxis, binCount));
            int checked = 0;
            for (std::size_t b = 0; b < binCount; ++b) {
                const auto& p = result.curve[b];
                const double value = uAxis ? p.uAxis : p.vAxis, se = uAxis ? p.uAxisStandardError : p.vAxisStandardError;
                const std::string what = "n " + std::to_string(c.n) + " " + nps::AxisPlacementName(c.placement) +
                                         (uAxis ? " u" : " v") + " bin " + std::to_string(b);
                if (std::isnan(means[0][b])) {
                    EXPECT_TRUE(std::isnan(value)) << what;
                    EXPECT_TRUE(std::isnan(se)) << what;
                    continue;
                }
                double mean = 0.0, squares = 0.0;
                for (const auto& roi : means)
                    mean += roi[b] / m;
                for (const auto& roi : means)
                    squares += (roi[b] - mean) * (roi[b] - mean);
                const double expected = scale * std::sqrt(squares / (m - 1.0) / m);
                EXPECT_NEAR(value, scale * mean, 1e-10 * scale * mean) << what;
                EXPECT_NEAR(se, expected, 1e-9 * expected) << what;
                ++checked;
            }
            EXPECT_GE(checked, 4) << c.n;
        }
    }
}

// Where the spread of single-ROI means says nothing, the axis curves' standard errors are NaN,
// as the radial one is: one ROI, and two ROIs that overlap each other.
TEST(NpsCore, AxisStandardErrorsAreUndefinedWithoutIndependentRois)
{
    const Image image = npstest::WhiteNoise(64, 64, 1.0, 22);
    const struct {
        const char* what;
        std::vector<nps::RoiCorner> corners;
    } cases[] = {
        {"one ROI", {{0, 0}}},
        {"two overlapping ROIs", {{0, 0}, {8, 8}}},
    };
    for (const auto& c : cases) {
        const auto result = RunNps(RequestFor({&image}, nps::GridFromList(32, c.corners), nps::DetrendKind::Mean,
                                              nps::DetrendScope::PerRoi, 0.1, 0.5));
        for (const auto& p : result.curve) {
            EXPECT_TRUE(std::isnan(p.standardError)) << c.what << " " << p.frequency;
            EXPECT_TRUE(std::isnan(p.uAxisStandardError)) << c.what << " " << p.frequency;
            EXPECT_TRUE(std::isnan(p.vAxisStandardError)) << c.what << " " << p.frequency;
        }
    }
}

// The axis curves' standard errors must describe their scatter between repeated measurements on
// ROIs at half overlap, whose values go together. Independent white-noise images, each measured
// alone; per bin the variance of the curve over the images against the mean of the reported
// squared standard errors, pooled over the bins (some 1000 degrees of freedom: the ratio is known
// to about 5 %; ignoring the overlap would make it about 2).
TEST(NpsCore, AxisStandardErrorsMatchTheScatterOfRepeatedSets)
{
    constexpr int kSets = 100;
    const auto grid = nps::GridOverArea(32, {0, 0, 128, 128}, 0.5);
    std::vector<std::vector<nps::NpsCurvePoint>> curves;
    for (int set = 0; set < kSets; ++set) {
        Image image = npstest::WhiteNoise(128, 128, 3.0, 5000 + static_cast<std::uint64_t>(set));
        for (double& v : image.values)
            v += 500.0;
        curves.push_back(
            RunNps(RequestFor({&image}, grid, nps::DetrendKind::Poly2, nps::DetrendScope::WholeArea, 0.2, 0.25), 2)
                .curve);
    }
    const struct {
        const char* what;
        double nps::NpsCurvePoint::*value;
        double nps::NpsCurvePoint::*standardError;
    } cases[] = {
        {"u axis", &nps::NpsCurvePoint::uAxis, &nps::NpsCurvePoint::uAxisStandardError},
        {"v axis", &nps::NpsCurvePoint::vAxis, &nps::NpsCurvePoint::vAxisStandardError},
    };
    for (const auto& c : cases) {
        double ratioSum = 0.0;
        int bins = 0;
        for (std::size_t b = 0; b < curves[0].size(); ++b) {
            if (!std::isfinite(curves[0][b].*c.value))
                continue;
            double mean = 0.0, reported = 0.0;
            for (const auto& curve : curves) {
                mean += curve[b].*c.value / kSets;
                reported += curve[b].*c.standardError * (curve[b].*c.standardError) / kSets;
            }
            double scatter = 0.0;
            for (const auto& curve : curves)
                scatter += (curve[b].*c.value - mean) * (curve[b].*c.value - mean) / (kSets - 1);
            ratioSum += scatter / reported;
            ++bins;
        }
        ASSERT_GE(bins, 9) << c.what;
        const double ratio = ratioSum / bins;
        EXPECT_GT(ratio, 0.8) << c.what;
        EXPECT_LT(ratio, 1.25) << c.what;
        std::printf("%s at half overlap: scatter variance / reported squared standard error %.3f\n", c.what, ratio);
    }
}

} // namespace
