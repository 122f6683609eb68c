#include "RoiFrame.h"

#include "Canvas.h"
#include "Rounding.h"

namespace viewer {

namespace {
std::int32_t Wrap32(long long v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }
} // namespace

Rect RoiBoundsFromEdits(std::int32_t posX, std::int32_t posY, std::int32_t sizeX, std::int32_t sizeY)
{
    Rect r;
    r.Left = Wrap32(static_cast<long long>(posX) - sizeX / 2);
    r.Top = Wrap32(static_cast<long long>(posY) - sizeY / 2);
    r.Right = Wrap32(static_cast<long long>(sizeX) + r.Left - 1);
    r.Bottom = Wrap32(static_cast<long long>(sizeY) + r.Top - 1);
    return r;
}

Rect RoiFrameFromBounds(const Rect& bounds, const ViewBounds& view)
{
    return {Wrap32(static_cast<long long>(bounds.Left) - view.FirstColumn),
            Wrap32(static_cast<long long>(bounds.Top) - view.FirstRow),
            Wrap32(static_cast<long long>(bounds.Right) - view.FirstColumn),
            Wrap32(static_cast<long long>(bounds.Bottom) - view.FirstRow)};
}

long long RoiOutlineCount(long long bitmapHeight)
{
    long long t = bitmapHeight / 512;
    if (bitmapHeight % 512 != 0)
        t += 1;
    return common::Trunc(t * 1.1L);
}

void ToggleRoiFrame(common::GreyBitmap& bitmap, const Rect& frame)
{
    // The first toggle and pass 0 cover the same rectangle and cancel, which leaves the outlines
    // 1..n just outside the frame.
    common::ToggleFocusRect(bitmap, frame.Left, frame.Top, frame.Right, frame.Bottom);
    const long long n = RoiOutlineCount(bitmap.Height());
    if (n < 0)
        return;
    for (long long c = 0; c <= n; ++c) {
        common::ToggleFocusRect(bitmap, Wrap32(frame.Left - c), Wrap32(frame.Top - c),
                                Wrap32(frame.Right + c), Wrap32(frame.Bottom + c));
    }
}

} // namespace viewer
