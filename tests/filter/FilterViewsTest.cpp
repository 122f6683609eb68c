#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>
#include <memory>

#include "Canvas.h"
#include "Errors.h"
#include "FilterViews.h"

namespace {

using filter::View;

TEST(RenderWindow, WidthLevelAndLabel)
{
    struct Case { int upper, lower, item; const char* label; double scale; };
    const Case cases[] = {
        {100, 0, 2, "101/50", 256.0 / 101},
        {100, 0, 0, "4.04/2", 256.0 / (101 * 0.04)},
        {0, 1, 2, "0/0.5", 16.0},  // width 0 is shown, then replaced by 16
        {10, 20, 3, "-45/75", 16.0},
    };
    for (const Case& c : cases) {
        const auto w = filter::MakeRenderWindow(c.upper, c.lower, filter::WidthFactor(c.item));
        EXPECT_EQ(w.label, c.label);
        EXPECT_DOUBLE_EQ(w.scale, c.scale) << c.label;
    }
}

TEST(GreyOf, WindowExamples)
{
    const auto w = filter::MakeRenderWindow(100, 0, 1.0);
    struct Case { double v; bool log, invert; int grey; };
    const Case cases[] = {
        {50, false, false, 127}, {0, false, false, 0}, {100, false, false, 254}, {1e6, false, false, 254},
        {-1e6, false, false, 0},
        {-1e6, false, true, 255}, {1e6, false, true, 1}, {50, false, true, 128},
        // Log: 0 and below become 0.001, i.e. -3, far below this window.
        {0, true, false, 0}, {100, true, false, 5},  // log10(100) = 2: (2 - 50) * 256 / 101 + 127 = 5.3
    };
    for (const Case& c : cases)
        EXPECT_EQ(filter::GreyOf(c.v, w, c.log, c.invert), c.grey) << c.v << " log " << c.log << " inv " << c.invert;
    // The log floor: width 16 around level -3 puts log10(0.001) = -3 at the middle grey.
    const auto low = filter::MakeRenderWindow(-3, -3, 1.0);  // width 1, level -3
    EXPECT_EQ(filter::GreyOf(0, low, true, false), 127);
    EXPECT_EQ(filter::GreyOf(-7, low, true, false), 127);
    // Width 0 -> 16: scale 16, v = 0.5 maps to 127.
    EXPECT_EQ(filter::GreyOf(0.5, filter::MakeRenderWindow(0, 1, 1.0), false, false), 127);
}

TEST(ViewRules, PowerViewsAreRefusedOnlyWhereTheirScaleIsUndefined)
{
    auto m = std::make_unique<spectrum::SquareMatrix>();
    const struct {
        double max;
        bool refused;
    } cases[] = {{1.0, true}, {0.0, true}, {-2.0, true}, {NAN, true}, {0.5, false}, {1e-9, false}, {1.5, false}};
    for (const auto& c : cases)
        for (View view : {View::Power, View::Convolution}) {
            common::GreyBitmap bitmap;
            const filter::ViewSource source{view, m.get(), c.max, 0};
            const auto render = [&] { filter::RenderViewBitmap(source, 4, filter::MakeRenderWindow(100, 0, 1), false, false, bitmap); };
            if (c.refused)
                EXPECT_THROW(render(), common::InputError) << c.max;
            else
                EXPECT_NO_THROW(render()) << c.max;
        }
}

TEST(ViewRules, ValuesOfTheFiveViews)
{
    auto m = std::make_unique<spectrum::SquareMatrix>();
    filter::ViewSource power{View::Power, m.get(), 10000.0, 0};
    EXPECT_DOUBLE_EQ(filter::ViewValue(power, 10000.0), 100.0);
    EXPECT_DOUBLE_EQ(filter::ViewValue(power, 100.0), 50.0);
    EXPECT_TRUE(std::isnan(filter::ViewValue(power, 0.0)));
    EXPECT_TRUE(std::isnan(filter::ViewValue(power, -3.0)));
    // Below 1 the maximum still scales: log10(sqrt(0.0625)) / log10(sqrt(0.25)) = 2.
    filter::ViewSource small{View::Power, m.get(), 0.25, 0};
    EXPECT_DOUBLE_EQ(filter::ViewValue(small, 0.0625), 200.0);
    EXPECT_DOUBLE_EQ(filter::ViewValue(small, 0.25), 100.0);
    filter::ViewSource gain{View::Filter, m.get(), 0, 0.5};
    EXPECT_DOUBLE_EQ(filter::ViewValue(gain, 0.5), 100.0);
    EXPECT_DOUBLE_EQ(filter::ViewValue(gain, 0.25), 25.0);
    filter::ViewSource filtered{View::Filtered, m.get(), 0, 0};
    EXPECT_EQ(filter::ViewValue(filtered, -12.5), -12.5);
}

TEST(ViewRules, UnscalableViewsAreRefusedAndTheBitmapKept)
{
    auto m = std::make_unique<spectrum::SquareMatrix>();
    common::GreyBitmap bitmap(3, 3, 77);
    const auto w = filter::MakeRenderWindow(100, 0, 1.0);
    for (double max : {1.0, 0.0, -2.0}) {
        filter::ViewSource s{View::Convolution, m.get(), max, 0};
        EXPECT_THROW(filter::RenderViewBitmap(s, 4, w, false, false, bitmap), common::InputError) << max;
    }
    filter::ViewSource f{View::Filter, m.get(), 0, 0.0};
    EXPECT_THROW(filter::RenderViewBitmap(f, 4, w, false, false, bitmap), common::FloatError);
    EXPECT_EQ(bitmap, common::GreyBitmap(3, 3, 77));
}

TEST(ViewRules, RenderedBitmapIsNxNWithPixelXYFromElementXY)
{
    auto m = std::make_unique<spectrum::SquareMatrix>();
    const int n = 16;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            (*m)[x][y] = x == 3 && y == 11 ? 100 : (x == 5 ? 0 : 50);
    common::GreyBitmap bitmap(512, 512);
    const auto w = filter::MakeRenderWindow(100, 0, 1.0);
    filter::RenderViewBitmap({View::Raw, m.get(), 0, 0}, n, w, false, true, bitmap);
    ASSERT_EQ(bitmap.Width(), n);
    ASSERT_EQ(bitmap.Height(), n);
    EXPECT_EQ(bitmap.At(3, 11), 1);
    EXPECT_EQ(bitmap.At(11, 3), 128);
    EXPECT_EQ(bitmap.At(5, 0), 255);
    // The spectral views never invert; elements of 0 show as the darkest grey.
    filter::RenderViewBitmap({View::Power, m.get(), 10000, 0}, n, w, false, true, bitmap);
    EXPECT_EQ(bitmap.At(5, 7), 0);
    EXPECT_EQ(bitmap.At(3, 11), 127);  // log10(10) / log10(100) * 100 = 50
}

TEST(WindowStore, PerViewAndLinked)
{
    filter::WindowStore store;
    const filter::LevelWindow a{200, 10, 300, -5}, b{90, 40, 120, 0};
    filter::StoreWindow(store, View::Raw, a, false);
    filter::StoreWindow(store, View::Filtered, b, false);
    EXPECT_EQ(filter::WindowToShow(store, View::Raw), a);
    EXPECT_EQ(filter::WindowToShow(store, View::Filtered), b);
    filter::StoreWindow(store, View::Filter, {80, 20, 999, 999}, false);
    for (View v : {View::Power, View::Filter, View::Convolution})
        EXPECT_EQ(filter::WindowToShow(store, v), (filter::LevelWindow{80, 20, 140, -40}));
    EXPECT_EQ(filter::WindowToShow(store, View::Raw), a);
    // Linked: either of Raw and Filtered stores both.
    filter::StoreWindow(store, View::Filtered, b, true);
    EXPECT_EQ(filter::WindowToShow(store, View::Raw), b);
    filter::StoreWindow(store, View::Raw, a, true);
    EXPECT_EQ(filter::WindowToShow(store, View::Filtered), a);
}

TEST(WindowStore, RescaledTrackRange)
{
    const auto r = filter::RescaledTrackRange(100, 0);
    EXPECT_EQ(r.max, 140);
    EXPECT_EQ(r.min, -40);
    const auto odd = filter::RescaledTrackRange(7, 2);  // d = 2
    EXPECT_EQ(odd.max, 9);
    EXPECT_EQ(odd.min, 0);
}

} // namespace

namespace {

// The rendering's fast paths against the element-by-element rule, over values that straddle
// every grey step: random magnitudes, halves, the clamps, zero, negatives and NaN.
TEST(ViewRules, RenderingEqualsTheDirectRuleForEveryView)
{
  // Steps of sixteen (where the processor has AVX-512) and of four, then the scalar tail alone.
  for (const int n : {64, 22, 2}) {
    auto m = std::make_unique<spectrum::SquareMatrix>();
    std::uint64_t state = 12345;
    auto next = [&] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0;
    };
    const double specials[] = {0.0, -1.0, NAN, INFINITY, 1e-300, 50.0, 49.5, 50.5, 127.5, 1e300};
    struct Case { View view; double spectrumMax, filterMax; int upper, lower, item; bool log, invert; double scale; };
    const Case cases[] = {
        {View::Power, 1e6, 0, 100, 0, 2, false, false, 1e7},
        {View::Convolution, 12.5, 0, 140, -40, 0, false, false, 100},
        {View::Convolution, 1e9, 0, 60, 55, 3, false, false, 1e12},
        {View::Power, 1e6, 0, 100, 0, 2, true, false, 1e7},
        {View::Raw, 0, 0, 255, 0, 2, false, true, 300},
        {View::Filtered, 0, 0, 3, 1, 1, false, false, 10},
        {View::Filtered, 0, 0, 0, 1, 2, true, true, 10},
        {View::Filter, 0, 0.75, 100, 0, 2, false, false, 1},
        // A maximum between 0 and 1: a negative divisor, the scale turned around.
        {View::Power, 0.25, 0, 140, -40, 2, false, false, 1},
        {View::Convolution, 0.5, 0, 100, -40, 0, false, false, 0.01},
    };
    for (const Case& c : cases) {
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                const int i = x * n + y;
                const double u = next();
                (*m)[x][y] = i < 10 ? specials[i] : (u - 0.2) * c.scale * (i % 3 ? 1 : u * u);
            }
        const filter::ViewSource source{c.view, m.get(), c.spectrumMax, c.filterMax};
        const auto window = filter::MakeRenderWindow(c.upper, c.lower, filter::WidthFactor(c.item));
        common::GreyBitmap bitmap;
        filter::RenderViewBitmap(source, n, window, c.log, c.invert, bitmap);
        const bool inverted = c.invert && !filter::IsSpectral(c.view);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                ASSERT_EQ(bitmap.At(x, y), filter::GreyOf(filter::ViewValue(source, (*m)[x][y]), window, c.log, inverted))
                    << "n " << n << " view " << static_cast<int>(c.view) << " element " << (*m)[x][y];
        // Only the elements a stretched picture shows: the same picture as stretching the bitmap.
        for (const auto [width, height] : {std::pair{16, 16}, std::pair{24, 40}, std::pair{100, 7}}) {
            common::GreyBitmap picture;
            filter::RenderViewStretched(source, n, window, c.log, c.invert, width, height, picture);
            EXPECT_TRUE(picture == common::StretchNearest(bitmap, width, height))
                << "n " << n << " view " << static_cast<int>(c.view) << ", " << width << " x " << height;
        }
    }
  }
}

} // namespace

namespace {

// The logarithmic views settle each element against the smallest element of every grey step:
// the elements at each step and the doubles just below them must take the grey of the rule.
TEST(ViewRules, LogarithmicViewsAtTheEdgeOfEveryGreyStep)
{
    const struct {
        View view;
        double spectrumMax;
        int upper, lower, item;
    } cases[] = {{View::Power, 1e6, 100, 0, 2}, {View::Convolution, 12.5, 140, -40, 0}, {View::Power, 1e9, 60, 55, 3},
                 {View::Convolution, 1.0000001, 100, 0, 1}};
    const int n = 32;
    auto m = std::make_unique<spectrum::SquareMatrix>();
    for (const auto& c : cases) {
        const filter::ViewSource source{c.view, m.get(), c.spectrumMax, 0};
        const auto window = filter::MakeRenderWindow(c.upper, c.lower, filter::WidthFactor(c.item));
        const auto rule = [&](double e) { return filter::GreyOf(filter::ViewValue(source, e), window, false, false); };
        std::vector<double> elements;
        for (int g = 1; g <= 254; ++g) {
            // The smallest positive double whose grey is g or more, by bisection over all of them.
            std::uint64_t lo = 1, hi = 0x7FF0000000000000ULL;
            if (rule(std::bit_cast<double>(hi)) < g)
                break;
            while (lo < hi) {
                const std::uint64_t mid = lo + (hi - lo) / 2;
                if (rule(std::bit_cast<double>(mid)) >= g)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            elements.push_back(std::bit_cast<double>(lo));
            elements.push_back(std::bit_cast<double>(lo - 1));
        }
        ASSERT_LE(elements.size(), static_cast<std::size_t>(n * n));
        for (std::size_t i = 0; i < static_cast<std::size_t>(n * n); ++i)
            (*m)[static_cast<int>(i) / n][static_cast<int>(i) % n] = i < elements.size() ? elements[i] : 1.0;
        common::GreyBitmap bitmap;
        filter::RenderViewBitmap(source, n, window, false, false, bitmap);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                ASSERT_EQ(bitmap.At(x, y), rule((*m)[x][y])) << "maximum " << c.spectrumMax << ", element " << (*m)[x][y];
    }
}

} // namespace
