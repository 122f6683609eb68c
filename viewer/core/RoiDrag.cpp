#include "RoiDrag.h"

#include <algorithm>
#include <limits>

#include "Rounding.h"

namespace viewer {

namespace {

// Trunc toward zero, kept within the 32-bit range of the frame and the edits.
std::int32_t Trunc32(long double v)
{
    constexpr long double lo = std::numeric_limits<std::int32_t>::min();
    constexpr long double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(common::Trunc(std::clamp(v, lo, hi)));
}

std::int32_t Side(std::int32_t first, std::int32_t last) { return Trunc32(static_cast<long double>(last) - first + 1); }

} // namespace

RoiDragKind ClassifyRoiPress(const Rect& frame, double px, double py, bool pointerMoved)
{
    RoiDragKind kind;
    kind.topLeft = px < frame.Left && py < frame.Top;
    kind.bottomRight = px > frame.Right && py > frame.Bottom;
    kind.move = frame.Left < px && px < frame.Right && frame.Top < py && py < frame.Bottom && pointerMoved;
    return kind;
}

Rect DragRoiCorner(Rect frame, bool topLeft, double px, double py)
{
    if (topLeft) {
        frame.Left = Trunc32(px);
        frame.Top = Trunc32(py);
    } else {
        frame.Right = Trunc32(px);
        frame.Bottom = Trunc32(py);
    }
    return frame;
}

RoiMove MoveRoiTo(const Rect& frame, double px, double py, const ViewBounds& view)
{
    RoiMove m;
    m.posX = Trunc32(px + view.FirstColumn);
    m.posY = Trunc32(py + view.FirstRow);
    // The frame is the one the new position and the kept size name, so that the edits, the frame
    // and the block every tool reads stay one ROI (near the view's top-left corner a frame
    // centred on the pointer by itself would lose a column or a row).
    const Rect bounds = RoiBoundsFromEdits(m.posX, m.posY, Side(frame.Left, frame.Right), Side(frame.Top, frame.Bottom));
    m.frame = RoiFrameFromBounds(bounds, view);
    return m;
}

RoiPosition RoiPositionOfFrame(const Rect& frame, const ViewBounds& view)
{
    // The inverse of placing from the edits: Left = PosX - SizeX div 2.
    RoiPosition p;
    p.posX = Trunc32(static_cast<long double>(view.FirstColumn) + frame.Left + Side(frame.Left, frame.Right) / 2);
    p.posY = Trunc32(static_cast<long double>(view.FirstRow) + frame.Top + Side(frame.Top, frame.Bottom) / 2);
    return p;
}

} // namespace viewer
