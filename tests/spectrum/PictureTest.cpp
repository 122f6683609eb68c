#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "Canvas.h"
#include "Errors.h"
#include "GreyPicture.h"
#include "SizeLabels.h"
#include "WindowDrag.h"

namespace {

TEST(GreyPicture, WindowMapping)
{
    // Level 128, width 256: 0 -> 0, 127.5 -> 128 (half to even), 255 -> 255, clamps at both ends.
    const std::vector<double> v = {0, 127.5, 255, 300, -5, 126.5, 128.5, 1e300, -1e300};
    const int greys[] = {0, 128, 255, 255, 0, 126, 128, 255, 0};
    common::GreyBitmap out;
    spectrum::RenderGrey(v.data(), 1, 3, 3, 256, 128, out);  // [x][y] = v[x + 3 y]
    ASSERT_EQ(out.Width(), 3);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(out.At(i % 3, i / 3), greys[i]) << v[i];
    EXPECT_THROW(spectrum::RenderGrey(v.data(), 1, 3, 3, 0, 128, out), common::FloatError);
}

// The same greys whichever way the values lie in memory (runs along the rows, along the columns,
// or neither) and whichever part of a line they fall in (sixteen at a time where the processor
// has AVX-512, four at a time, or the rest).
TEST(GreyPicture, SameGreysForEveryLayout)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double v[] = {0, 127.5, 255, 300, -5, 126.5, 128.5, 1e300, -1e300, nan, -0.0, 0.4, 0.5, 254.5, 253.5};
    const int greys[] = {0, 128, 255, 255, 0, 126, 128, 255, 0, 0, 0, 0, 0, 254, 254};
    constexpr int kCases = 15;
    const int n = 39;  // two runs of sixteen, a run of four and a rest of three per line
    const struct {
        const char* what;
        long long strideX, strideY;
    } layouts[] = {{"rows are runs", 1, n}, {"columns are runs", n, 1}, {"neither", 2, 2 * n}};
    for (const auto& layout : layouts) {
        std::vector<double> values(static_cast<std::size_t>(4 * n * n));
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                values[x * layout.strideX + y * layout.strideY] = v[(x + 4 * y) % kCases];
        common::GreyBitmap out;
        spectrum::RenderGrey(values.data(), layout.strideX, layout.strideY, n, 256, 128, out);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                ASSERT_EQ(out.At(x, y), greys[(x + 4 * y) % kCases])
                    << layout.what << ": " << v[(x + 4 * y) % kCases] << " at " << x << "," << y;
    }
}

TEST(GreyPicture, NearestNeighbourStretchTo256)
{
    for (int n : {64, 512}) {
        std::vector<double> v(static_cast<std::size_t>(n) * n);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                v[x * n + y] = (x * 7 + y * 13) % 256;  // [x][y], strides n and 1
        common::GreyBitmap bitmap;
        spectrum::RenderGrey(v.data(), n, 1, n, 256, 128, bitmap);
        const common::GreyBitmap shown = common::StretchNearest(bitmap, 256, 256);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                // N = 64: 4 x 4 blocks; N = 512: every second row and column.
                const int sx = n == 64 ? x / 4 : 2 * x, sy = n == 64 ? y / 4 : 2 * y;
                ASSERT_EQ(shown.At(x, y), bitmap.At(sx, sy)) << n << " " << x << "," << y;
            }
    }
}

TEST(WindowDrag, IntegerAndProportionalSteps)
{
    using spectrum::GreyWindow;
    EXPECT_EQ(spectrum::IntegerDragStep(100, 50, 10, 5), (GreyWindow<long long>{110, 45}));
    EXPECT_EQ(spectrum::IntegerDragStep(5, 50, -5, -3), (GreyWindow<long long>{5, 53}));  // width kept
    EXPECT_EQ(spectrum::ProportionalDragStep(200, 50, 10, 0), (GreyWindow<double>{220, 50}));
    EXPECT_EQ(spectrum::ProportionalDragStep(200, 50, 0, 10), (GreyWindow<double>{200, 45}));
    EXPECT_EQ(spectrum::ProportionalDragStep(200, 50, -100, 0).width, 200);  // would reach 0
    // Steps compound: each is 1 % of the value at that moment.
    auto w = spectrum::ProportionalDragStep(200, -50, 10, 10);
    w = spectrum::ProportionalDragStep(w.width, w.level, 10, 10);
    EXPECT_DOUBLE_EQ(w.width, 242);
    EXPECT_DOUBLE_EQ(w.level, -60.5);
}

TEST(SizeLabels, HeightAndNyquist)
{
    EXPECT_EQ(spectrum::HeightLabel(64, 0.5), "32(mm)");
    EXPECT_EQ(spectrum::NyquistLabel(64, 0.5), "1(cycles/mm)");
    EXPECT_EQ(spectrum::NyquistLabel(64, 0.3), "1.66(cycles/mm)");  // 1.66666666666667, cut
    EXPECT_EQ(spectrum::HeightLabel(64, 0), "0(mm)");
    EXPECT_THROW(spectrum::NyquistLabel(64, 0), common::FloatError);
}

} // namespace
