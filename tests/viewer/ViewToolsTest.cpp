// Zoom steps, the pan drag and the window drag, and the ROI placed with the mouse.
#include <gtest/gtest.h>

#include "NumberText.h"
#include "RoiDrag.h"
#include "ZoomPan.h"

namespace {

TEST(Zoom, StepDownStopsAtOne)
{
    EXPECT_FALSE(viewer::ZoomStepDown(1.0).has_value());
    EXPECT_FALSE(viewer::ZoomStepDown(0.5).has_value());  // typed by hand: stays
    EXPECT_EQ(common::FloatToStr(*viewer::ZoomStepDown(1.1)), "1");
    EXPECT_EQ(common::FloatToStr(*viewer::ZoomStepDown(2)), "1.9");
}

TEST(Pan, EachAxisIsCheckedAgainstItsMargin)
{
    // A 512 x 512 image at magnification 2: view 128..383 both ways, half a bitmap pixel per
    // client pixel.
    const viewer::ViewBounds zoomed{128, 383, 128, 383};
    const struct {
        int x, y, lastX, lastY;
        viewer::ViewBounds view;
        int shiftX, shiftY;
        std::optional<int> newX, newY;
    } cases[] = {
        {120, 100, 100, 100, zoomed, 0, 0, 10, std::nullopt},    // right 20 -> +10; no vertical move
        {80, 120, 100, 100, zoomed, 0, 0, -10, -10},             // left and down
        {100, 80, 100, 100, zoomed, 0, 0, std::nullopt, 10},     // up raises ShiftY
        {103, 100, 100, 100, zoomed, -3, 0, -1, std::nullopt},   // trunc(-3 + 1.5) = -1
        {120, 80, 100, 100, {8, 263, 128, 383}, 60, 0, std::nullopt, 10},  // 10 is not < 8: refused
        {118, 100, 100, 100, {10, 265, 128, 383}, 60, 0, 69, std::nullopt}, // 9 < 10: taken
        {100, 120, 100, 100, {128, 383, 8, 263}, 0, 0, std::nullopt, std::nullopt},  // 10 not < 8
        {80, 100, 100, 100, {385, 640, 128, 383}, 0, 0, std::nullopt, std::nullopt}, // no room right
    };
    for (const auto& c : cases) {
        viewer::PanInput in;
        in.x = c.x;
        in.y = c.y;
        in.lastX = c.lastX;
        in.lastY = c.lastY;
        in.scale = viewer::PointerScale(256);
        in.view = c.view;
        in.imageWidth = in.imageHeight = 512;
        in.shiftX = c.shiftX;
        in.shiftY = c.shiftY;
        const viewer::PanStep step = viewer::ComputePanStep(in);
        EXPECT_EQ(step.shiftX, c.newX) << c.x << "," << c.y;
        EXPECT_EQ(step.shiftY, c.newY) << c.x << "," << c.y;
    }
    // At magnification 1 the view is the whole image: no margin on any side.
    viewer::PanInput whole;
    whole.x = 90;
    whole.y = 110;
    whole.lastX = whole.lastY = 100;
    whole.view = {0, 511, 0, 511};
    whole.imageWidth = whole.imageHeight = 512;
    const viewer::PanStep none = viewer::ComputePanStep(whole);
    EXPECT_FALSE(none.shiftX || none.shiftY);
}

TEST(WindowDrag, RangeStepsAndAWidthThatNeverDropsToZero)
{
    const int factors[] = {viewer::RangeFactor(-1), viewer::RangeFactor(0), viewer::RangeFactor(1),
                           viewer::RangeFactor(2), viewer::RangeFactor(3)};
    EXPECT_EQ(std::vector<int>(std::begin(factors), std::end(factors)), (std::vector<int>{0, 1, 3, 10, 30}));

    viewer::WindowDragStep step = viewer::ComputeWindowDrag(256, 256, 10, 10, 3);
    EXPECT_EQ(step.width, 286);
    EXPECT_EQ(step.level, 226);
    step = viewer::ComputeWindowDrag(20, 0, -10, -4, 3);  // 20 - 30: the width stays
    EXPECT_FALSE(step.width.has_value());
    EXPECT_EQ(step.level, 12);
    EXPECT_FALSE(viewer::ComputeWindowDrag(3, 0, -1, 0, 3).width.has_value());  // exactly 0
    // The same 10 pixels in steps of 1 end at 2.
    std::int32_t width = 20;
    for (int i = 0; i < 10; ++i)
        if (const auto w = viewer::ComputeWindowDrag(width, 0, -1, 0, 3).width)
            width = *w;
    EXPECT_EQ(width, 2);
    // Far past the 32-bit range the edits still get a number they can read back.
    EXPECT_EQ(viewer::ComputeWindowDrag(2147483600, -2147483600, 100, 100, 30).width, 2147483647);
    EXPECT_EQ(viewer::ComputeWindowDrag(2147483600, -2147483600, 100, 100, 30).level, -2147483647 - 1);
}

TEST(RoiDrag, WhereThePressLands)
{
    const viewer::Rect frame{10, 10, 20, 20};
    using K = viewer::RoiDragKind;
    const struct {
        double px, py;
        bool moved;
        K kind;
    } cases[] = {
        {5, 5, true, {true, false, false}},      // above-left: top-left corner
        {9.5, 9.5, true, {true, false, false}},  // compared as reals
        {25, 21, true, {false, true, false}},    // below-right: bottom-right corner
        {15, 15, true, {false, false, true}},    // strictly inside: move
        {15, 15, false, {}},                     // pointer where the last drag left it: nothing
        {5, 15, true, {}},                       // left of the frame, below its top
        {10, 15, true, {}},                      // on the edge
        {20.5, 15, true, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(viewer::ClassifyRoiPress(frame, c.px, c.py, c.moved), c.kind) << c.px << "," << c.py;
}

TEST(RoiDrag, CornerFollowsThePointerAndMoveKeepsTheSize)
{
    const viewer::Rect frame{10, 10, 20, 20};
    EXPECT_EQ(viewer::DragRoiCorner(frame, true, 3.7, 4.2), (viewer::Rect{3, 4, 20, 20}));
    EXPECT_EQ(viewer::DragRoiCorner(frame, false, 30.9, 25.1), (viewer::Rect{10, 10, 30, 25}));
    EXPECT_EQ(viewer::DragRoiCorner(frame, true, -0.5, -1.5), (viewer::Rect{0, -1, 20, 20}));

    // 64 wide: trunc(x - 32) .. trunc(x + 31); 65 wide: trunc(x - 32) .. trunc(x + 32).
    const viewer::ViewBounds view{16, 300, 8, 400};
    viewer::RoiMove m = viewer::MoveRoiTo({0, 0, 63, 63}, 100.5, 50, view);
    EXPECT_EQ(m.frame, (viewer::Rect{68, 18, 131, 81}));
    EXPECT_EQ(m.posX, 116);  // trunc(100.5 + 16)
    EXPECT_EQ(m.posY, 58);
    m = viewer::MoveRoiTo({0, 0, 64, 2}, 100.5, 50, view);
    EXPECT_EQ(m.frame, (viewer::Rect{68, 49, 132, 51}));
    // Hanging over the view's top-left corner the frame keeps its 64 columns and rows and is the
    // one the new position places, not trunc(10.5 - 32) .. trunc(10.5 + 31), 63 wide.
    m = viewer::MoveRoiTo({0, 0, 63, 63}, 10.5, 10.5, view);
    EXPECT_EQ(m.posX, 26);
    EXPECT_EQ(m.frame, (viewer::Rect{-22, -22, 41, 41}));
    EXPECT_EQ(m.frame, viewer::RoiFrameFromBounds(viewer::RoiBoundsFromEdits(m.posX, m.posY, 64, 64), view));
}

TEST(RoiDrag, PositionOfAFrameIsTheCentreThatPlacesItAgain)
{
    const viewer::ViewBounds view{16, 300, 8, 400};
    const viewer::Rect frames[] = {{50, 60, 383, 383}, {3, 4, 20, 20}, {-22, -22, 41, 41}, {7, 7, 7, 7}, {10, 10, 5, 5}};
    for (const viewer::Rect& f : frames) {
        const viewer::RoiPosition p = viewer::RoiPositionOfFrame(f, view);
        const viewer::Rect bounds = viewer::RoiBoundsFromEdits(p.posX, p.posY, f.Right - f.Left + 1, f.Bottom - f.Top + 1);
        EXPECT_EQ(viewer::RoiFrameFromBounds(bounds, view), f) << f.Left << "," << f.Top;
    }
    EXPECT_EQ(viewer::RoiPositionOfFrame({50, 60, 383, 383}, {}), (viewer::RoiPosition{217, 222}));
}

} // namespace
