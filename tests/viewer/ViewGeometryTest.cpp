#include <gtest/gtest.h>

#include "Errors.h"
#include "ViewGeometry.h"

namespace {

TEST(ViewGeometry, BoundsBitmapAndLayout)
{
    const struct {
        int w, h;
        double m;
        int shiftX, shiftY;
        viewer::ViewBounds bounds;
        long long bitmapW, bitmapH;
        long long layoutLeft, layoutW;
    } cases[] = {
        {512, 512, 1.0, 0, 0, {0, 511, 0, 511}, 512, 512, 0, 512},
        {512, 256, 1.0, 0, 0, {128, 383, 0, 255}, 256, 256, 0, 512},        // landscape: central square
        {256, 512, 1.0, 0, 0, {0, 255, 0, 511}, 256, 512, 128, 256},        // portrait
        {256, 512, 2.0, 0, 0, {64, 191, 128, 383}, 128, 256, 128, 256},     // not square-limited at 2
        {512, 512, 2.0, 10, 0, {108, 363, 128, 383}, 256, 256, 0, 512},     // positive shift X: picture right
        {512, 512, 2.0, 0, 10, {128, 383, 148, 403}, 256, 256, 0, 512},
        {512, 512, 0.5, 0, 0, {-256, 767, -256, 767}, 1024, 1024, 0, 512},  // zoomed out past the edges
        {100, 100, 3.0, 0, 0, {33, 65, 33, 65}, 33, 33, 0, 512},
    };
    for (const auto& c : cases) {
        const viewer::ViewGeometry g = viewer::ComputeViewGeometry(c.w, c.h, c.m, c.shiftX, c.shiftY);
        EXPECT_EQ(g.bounds, c.bounds) << c.w << "x" << c.h << " m" << c.m;
        EXPECT_EQ(g.bitmapWidth, c.bitmapW);
        EXPECT_EQ(g.bitmapHeight, c.bitmapH);
        const viewer::ImageLayout layout = viewer::ComputeImageLayout(c.w, c.h, g.squareLimited);
        EXPECT_EQ(layout.left, c.layoutLeft);
        EXPECT_EQ(layout.width, c.layoutW);
        EXPECT_EQ(layout.height, 512);
    }
}

TEST(ViewGeometry, ZeroMagnificationAndHeightRaiseTheDivisionError)
{
    try {
        viewer::ComputeViewGeometry(512, 512, 0.0, 0, 0);
        FAIL();
    } catch (const common::FloatError& e) {
        EXPECT_STREQ(e.what(), "0 による浮動小数点数除算");
    }
    EXPECT_THROW(viewer::ComputeImageLayout(512, 0, false), common::FloatError);
}

} // namespace
